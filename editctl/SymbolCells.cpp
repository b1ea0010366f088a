#include "editctl/SymbolCells.h"

#include <initializer_list>

namespace editctl {

namespace {

void polyline(HDC dc, std::initializer_list<POINT> points) {
    Polyline(dc, points.begin(), static_cast<int>(points.size()));
}

// A downward arrow whose head is as wide as the cell.
void drawLineBreak(HDC dc, int x0, int x1, int y0, int y1) {
    const int m = (x0 + x1) / 2;
    const int h = (x1 - x0) / 2;
    const int b = y0 + 8 * (y1 - y0) / 10 - 1;
    polyline(dc, {{m, y0 + 2 * (y1 - y0) / 10}, {m, b}});
    polyline(dc, {{m, b}, {m - h, b - h}});
    polyline(dc, {{m, b}, {m + h, b - h}});
}

// A small chevron at the cell's left, whatever the tab's width.
void drawTab(HDC dc, int x0, int y0, int y1) {
    const int c = (y0 + y1) / 2;
    polyline(dc, {{x0 + 1, c - 4}, {x0 + 5, c}, {x0 + 1, c + 4}});
}

// An open bracket along the bottom of the cell.
void drawSpace(HDC dc, int x0, int x1, int y0, int y1) {
    const int t = 4 * (y0 + y1) / 5;
    polyline(dc, {{x0 + 1, t}, {x0 + 1, y1 - 2}, {x1 - 2, y1 - 2}, {x1 - 2, t - 1}});
}

// A box just inside the cell; the pen is dashed.
void drawWideSpace(HDC dc, int x0, int x1, int y0, int y1) {
    const HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    Rectangle(dc, x0 + 1, y0 + 1, x1 - 1, y1 - 1);
    SelectObject(dc, previousBrush);
}

} // namespace

void drawSymbolCell(HDC dc, const SymbolCell& cell) {
    const RECT area{cell.x0, 0, cell.x1, cell.lineHeight};
    const HBRUSH brush = CreateSolidBrush(cell.fill);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
    if (!cell.showSymbol || cell.x1 <= cell.x0) {
        return;
    }
    const int y0 = cell.textTop;
    const int y1 = cell.lineHeight - y0 / 2;
    const int style = cell.kind == SymbolKind::WideSpace ? PS_DASH : PS_SOLID;
    const HPEN pen = CreatePen(style, 1, cell.stroke);
    const HPEN previousPen = SelectObject(dc, pen);
    switch (cell.kind) {
    case SymbolKind::LineBreak:
        drawLineBreak(dc, cell.x0, cell.x1, y0, y1);
        break;
    case SymbolKind::Tab:
        drawTab(dc, cell.x0, y0, y1);
        break;
    case SymbolKind::Space:
        drawSpace(dc, cell.x0, cell.x1, y0, y1);
        break;
    case SymbolKind::WideSpace:
        drawWideSpace(dc, cell.x0, cell.x1, y0, y1);
        break;
    }
    SelectObject(dc, previousPen);
    DeleteObject(pen);
}

} // namespace editctl
