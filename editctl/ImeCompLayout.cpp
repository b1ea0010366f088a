#include "editctl/ImeCompLayout.h"

#include "platform/Gdi.h"

#include <algorithm>
#include <array>

namespace editctl {

namespace {

struct PieceStyle {
    COLORREF text;
    COLORREF back;
    int underlineStyle;
    int underlineWidth;
};

// Input is dashed on the window colours; the clause being converted is highlighted, or with
// the thick-target flag keeps the window colours under a 2-pixel line; converted text is
// underlined solid.
PieceStyle styleFor(const ImeCompState& state, BYTE attribute) {
    const auto& c = state.colors;
    if (attribute == ATTR_INPUT) {
        return PieceStyle{c[1], c[0], PS_DASH, 1};
    }
    if (attribute == ATTR_TARGET_CONVERTED) {
        return state.thickTarget ? PieceStyle{c[1], c[0], PS_SOLID, 2}
                                 : PieceStyle{c[3], c[2], PS_DASH, 1};
    }
    return PieceStyle{c[1], c[0], PS_SOLID, 1};
}

// The row's underline, one pixel above its bottom, in the window-text colour.
void drawUnderline(HDC dc, const ImeCompState& state, const PieceStyle& style, int fromX, int toX,
                   int bottom) {
    const HPEN pen = CreatePen(style.underlineStyle, style.underlineWidth, state.colors[1]);
    const HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, fromX + 1, bottom - 1, nullptr);
    LineTo(dc, toX - 1, bottom - 1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

bool startsPair(std::u16string_view chars, std::size_t i) {
    return i + 1 < chars.size() && chars[i] >= 0xD800 && chars[i] <= 0xDBFF &&
           chars[i + 1] >= 0xDC00 && chars[i + 1] <= 0xDFFF;
}

struct Piece {
    int from;
    int to;
    BYTE attribute;
};

BYTE attributeAt(const ImeCompState& state, int index) {
    return index < state.attributeCount ? state.attributes[static_cast<std::size_t>(index)]
                                        : ATTR_INPUT;
}

// The clauses as pieces of the kept text. Offsets outside the text are cut to it, and
// characters no clause covers form a last piece, so every kept character is drawn.
int piecesOf(const ImeCompState& state, std::array<Piece, ImeCompState::kMaxClauses>& pieces) {
    const int n = state.charCount();
    int count = 0;
    int from = 0;
    for (int i = 1; i < state.clauseCount && from < n; ++i) {
        const int to = std::clamp(static_cast<int>(std::min<DWORD>(
                                      state.clauses[static_cast<std::size_t>(i)], 0x7FFFFFFF)),
                                  from, n);
        if (to > from) {
            pieces[static_cast<std::size_t>(count++)] = Piece{from, to, attributeAt(state, from)};
            from = to;
        }
    }
    if (from < n) {
        pieces[static_cast<std::size_t>(count++)] = Piece{from, n, attributeAt(state, from)};
    }
    return count;
}

} // namespace

CompositionRun layoutPiece(ImeCompState& state, const CompositionSurface& surface, POINT at,
                           std::u16string_view chars, BYTE attribute, bool marksTarget) {
    const PieceStyle style = styleFor(state, attribute);
    const int spacing = state.lineSpacing;
    CompositionRun run;
    int x = at.x;
    int y = at.y;
    int rowStart = x;
    int rowHeight = 0;
    HRGN cellRegion = surface.region != nullptr ? CreateRectRgn(0, 0, 0, 0) : nullptr;
    for (std::size_t i = 0; i < chars.size();) {
        const int units = startsPair(chars, i) ? 2 : 1;
        SIZE size;
        GetTextExtentPoint32W(surface.dc, chars.data() + i, units, &size);
        rowHeight = size.cy + spacing;
        if (x + size.cx > surface.client.right && x > surface.client.left) {
            // A piece that begins with the wrap has nothing to underline on the row it leaves.
            if (surface.draw && x > rowStart) {
                drawUnderline(surface.dc, state, style, rowStart, x, y + rowHeight);
            }
            x = rowStart = surface.client.left;
            y += rowHeight;
            if (y + rowHeight > surface.client.bottom) {
                run.overflow = true;
            }
        }
        const RECT cell{x, y, x + size.cx, y + rowHeight};
        if (surface.draw) {
            SetBkColor(surface.dc, style.back);
            SetTextColor(surface.dc, style.text);
            ExtTextOutW(surface.dc, x, y + spacing / 2, ETO_OPAQUE, &cell, chars.data() + i,
                        static_cast<UINT>(units), nullptr);
        }
        if (cellRegion != nullptr) {
            SetRectRgn(cellRegion, cell.left, cell.top, cell.right, cell.bottom);
            CombineRgn(surface.region, surface.region, cellRegion, RGN_OR);
        }
        if (i == 0 && marksTarget) {
            state.target = POINT{cell.left, cell.bottom + 1};
        }
        x += size.cx;
        run.totalWidth += size.cx;
        i += static_cast<std::size_t>(units);
    }
    if (surface.draw && !chars.empty()) {
        drawUnderline(surface.dc, state, style, rowStart, x, y + rowHeight);
    }
    if (cellRegion != nullptr) {
        DeleteObject(cellRegion);
    }
    run.end = POINT{x, y};
    run.lastRowHeight = rowHeight;
    return run;
}

CompositionRun layoutComposition(ImeCompState& state, const CompositionSurface& surface) {
    std::array<Piece, ImeCompState::kMaxClauses> pieces{};
    const int count = piecesOf(state, pieces);
    const bool hasTarget = std::any_of(pieces.begin(), pieces.begin() + count, [](const Piece& p) {
        return p.attribute == ATTR_TARGET_CONVERTED;
    });
    const std::u16string_view text(state.text.data(), static_cast<std::size_t>(state.charCount()));
    CompositionRun run;
    run.end = state.start;
    for (int i = 0; i < count; ++i) {
        const Piece& p = pieces[static_cast<std::size_t>(i)];
        const bool marks = p.attribute == ATTR_TARGET_CONVERTED || (!hasTarget && i == 0);
        const CompositionRun piece = layoutPiece(
            state, surface, run.end,
            text.substr(static_cast<std::size_t>(p.from), static_cast<std::size_t>(p.to - p.from)),
            p.attribute, marks);
        run.end = piece.end;
        run.totalWidth += piece.totalWidth;
        run.lastRowHeight = piece.lastRowHeight;
        run.overflow = run.overflow || piece.overflow;
    }
    return run;
}

} // namespace editctl
