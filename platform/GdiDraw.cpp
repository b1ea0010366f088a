#include "platform/GdiDeviceContext.h"
#include "platform/GdiInternal.h"
#include "platform/GdiPixels.h"

#include <cstdlib>
#include <vector>

namespace platform::gdi {

namespace {

// Pixels drawn and skipped by each pen style, for 1-pixel pens.
struct DashPattern {
    int on;
    int off;
};

DashPattern patternOf(int style) {
    switch (style) {
    case PS_DASH:
        return {3, 3};
    case PS_DOT:
        return {1, 1};
    default:
        return {1, 0};
    }
}

// The pixels of the line from a up to, not including, b (Bresenham), split into those the
// dash pattern draws and those it skips; phase carries the pattern on to the next segment.
void rasterizeLine(QPoint a, QPoint b, DashPattern pattern, int& phase, std::vector<QPoint>& on,
                   std::vector<QPoint>& off) {
    const int dx = std::abs(b.x() - a.x());
    const int dy = -std::abs(b.y() - a.y());
    const int sx = a.x() < b.x() ? 1 : -1;
    const int sy = a.y() < b.y() ? 1 : -1;
    int error = dx + dy;
    int x = a.x();
    int y = a.y();
    const int period = pattern.on + pattern.off;
    while (x != b.x() || y != b.y()) {
        (phase < pattern.on ? on : off).emplace_back(x, y);
        phase = (phase + 1) % period;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x += sx;
        }
        if (twice <= dx) {
            error += dx;
            y += sy;
        }
    }
}

// Draws a chain of segments (device pixels) with the selected pen; the last point is not
// drawn.
void strokeSegments(DeviceContext& dc, const std::vector<QPoint>& points) {
    PenImpl* pen = penOf(dc.pen());
    if (pen == nullptr || pen->style == PS_NULL || points.size() < 2)
        return;
    QPainter* painter = dc.painter();
    if (painter == nullptr)
        return;
    if (pen->width > 1) {
        QPen wide(toolkitColor(pen->color), pen->width,
                  pen->style == PS_DASH  ? Qt::DashLine
                  : pen->style == PS_DOT ? Qt::DotLine
                                         : Qt::SolidLine,
                  Qt::FlatCap, Qt::MiterJoin);
        painter->setPen(wide);
        painter->drawPolyline(points.data(), static_cast<int>(points.size()));
        return;
    }
    std::vector<QPoint> on;
    std::vector<QPoint> off;
    for (std::size_t i = 0; i + 1 < points.size(); ++i)
        rasterizeLine(points[i], points[i + 1], patternOf(pen->style), dc.penPhase, on, off);
    painter->setPen(QPen(toolkitColor(pen->color), 1));
    painter->drawPoints(on.data(), static_cast<int>(on.size()));
    // Gaps of a styled pen show the background colour in opaque mode.
    if (dc.bkMode == OPAQUE && !off.empty()) {
        painter->setPen(QPen(toolkitColor(dc.bkColor), 1));
        painter->drawPoints(off.data(), static_cast<int>(off.size()));
    }
}

void fillWith(DeviceContext& dc, const QRect& rect, HBRUSH brush) {
    BrushImpl* impl = brushOf(brush);
    if (impl == nullptr || impl->style == BS_NULL || rect.isEmpty())
        return;
    if (QPainter* painter = dc.painter())
        painter->fillRect(rect, toolkitColor(impl->currentColor()));
}

} // namespace

} // namespace platform::gdi

using namespace platform::gdi;

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (dc == nullptr || rect == nullptr || brushOf(brush) == nullptr)
        return 0;
    fillWith(*dc, dc->toDevice(*rect), brush);
    return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
    if (dc == nullptr || rect == nullptr || brushOf(brush) == nullptr)
        return 0;
    const QRect box = dc->toDevice(*rect);
    if (box.isEmpty())
        return 1;
    fillWith(*dc, QRect(box.left(), box.top(), box.width(), 1), brush);
    fillWith(*dc, QRect(box.left(), box.bottom(), box.width(), 1), brush);
    fillWith(*dc, QRect(box.left(), box.top(), 1, box.height()), brush);
    fillWith(*dc, QRect(box.right(), box.top(), 1, box.height()), brush);
    return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
    if (dc == nullptr || rect == nullptr)
        return FALSE;
    invertPixels(*dc, dc->toDevice(*rect));
    return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr)
        return FALSE;
    if (right < left)
        std::swap(left, right);
    if (bottom < top)
        std::swap(top, bottom);
    if (right - left < 1 || bottom - top < 1)
        return TRUE;
    fillWith(*dc, dc->toDevice(RECT{left, top, right, bottom}), dc->brush());
    const QPoint topLeft = dc->toDevice(left, top);
    const QPoint bottomRight = dc->toDevice(right - 1, bottom - 1);
    dc->penPhase = 0;
    strokeSegments(*dc, {topLeft, QPoint(bottomRight.x(), topLeft.y()), bottomRight,
                         QPoint(topLeft.x(), bottomRight.y()), topLeft});
    return TRUE;
}

BOOL MoveToEx(HDC dc, int x, int y, POINT* old) {
    if (dc == nullptr)
        return FALSE;
    if (old != nullptr)
        *old = dc->position;
    dc->position = {x, y};
    dc->penPhase = 0;
    return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
    if (dc == nullptr)
        return FALSE;
    strokeSegments(*dc, {dc->toDevice(dc->position.x, dc->position.y), dc->toDevice(x, y)});
    dc->position = {x, y};
    return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
    if (dc == nullptr || points == nullptr || count < 2)
        return FALSE;
    std::vector<QPoint> device;
    device.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        device.push_back(dc->toDevice(points[i].x, points[i].y));
    dc->penPhase = 0;
    strokeSegments(*dc, device);
    return TRUE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
    if (dc == nullptr)
        return CLR_INVALID;
    const QPoint at = dc->toDevice(x, y);
    if (!dc->canDraw(at.x(), at.y()))
        return CLR_INVALID;
    QPainter* painter = dc->painter();
    if (painter == nullptr)
        return CLR_INVALID;
    painter->fillRect(QRect(at, QSize(1, 1)), toolkitColor(color));
    return color;
}

COLORREF GetPixel(HDC dc, int x, int y) {
    if (dc == nullptr)
        return CLR_INVALID;
    const QPoint at = dc->toDevice(x, y);
    if (!dc->canDraw(at.x(), at.y()))
        return CLR_INVALID;
    return colorRef(QColor::fromRgb(dc->target()->pixel(at)));
}
