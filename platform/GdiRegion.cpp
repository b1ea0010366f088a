#include "platform/GdiDeviceContext.h"
#include "platform/GdiInternal.h"

#include <memory>

namespace platform::gdi {

int regionKind(const QRegion& pixels) {
    if (pixels.isEmpty())
        return NULLREGION;
    return pixels.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

QRegion regionPixels(HRGN region) {
    RegionImpl* impl = regionOf(region);
    return impl != nullptr ? impl->pixels : QRegion();
}

void setRegionPixels(HRGN region, const QRegion& pixels) {
    if (RegionImpl* impl = regionOf(region))
        impl->pixels = pixels;
}

namespace {

QRect rectOf(int left, int top, int right, int bottom) {
    if (right <= left || bottom <= top)
        return QRect();
    return QRect(left, top, right - left, bottom - top);
}

// Clipping without an application clip means the whole coordinate space.
QRegion currentClip(const DeviceContext& dc) {
    if (dc.hasClip())
        return dc.clip();
    return QRegion(QRect(-0x4000000, -0x4000000, 0x8000000, 0x8000000));
}

} // namespace

} // namespace platform::gdi

using namespace platform::gdi;

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return std::make_unique<RegionImpl>(QRegion(rectOf(left, top, right, bottom))).release();
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    if (rect == nullptr)
        return nullptr;
    return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode) {
    RegionImpl* target = regionOf(dest);
    RegionImpl* first = regionOf(a);
    RegionImpl* second = regionOf(b);
    if (target == nullptr || first == nullptr || (mode != RGN_COPY && second == nullptr))
        return RGN_ERROR;
    QRegion result;
    switch (mode) {
    case RGN_AND:
        result = first->pixels & second->pixels;
        break;
    case RGN_OR:
        result = first->pixels | second->pixels;
        break;
    case RGN_XOR:
        result = first->pixels ^ second->pixels;
        break;
    case RGN_DIFF:
        result = first->pixels - second->pixels;
        break;
    case RGN_COPY:
        result = first->pixels;
        break;
    default:
        return RGN_ERROR;
    }
    target->pixels = result;
    return regionKind(result);
}

BOOL PtInRegion(HRGN region, int x, int y) {
    RegionImpl* impl = regionOf(region);
    return impl != nullptr && impl->pixels.contains(QPoint(x, y)) ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, RECT* box) {
    RegionImpl* impl = regionOf(region);
    if (impl == nullptr || box == nullptr)
        return RGN_ERROR;
    const QRect bounds = impl->pixels.boundingRect();
    *box = bounds.isEmpty()
               ? RECT{}
               : RECT{bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1};
    return regionKind(impl->pixels);
}

int OffsetRgn(HRGN region, int dx, int dy) {
    RegionImpl* impl = regionOf(region);
    if (impl == nullptr)
        return RGN_ERROR;
    impl->pixels.translate(dx, dy);
    return regionKind(impl->pixels);
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    RegionImpl* impl = regionOf(region);
    if (impl == nullptr)
        return FALSE;
    impl->pixels = QRegion(rectOf(left, top, right, bottom));
    return TRUE;
}

BOOL EqualRgn(HRGN a, HRGN b) {
    RegionImpl* first = regionOf(a);
    RegionImpl* second = regionOf(b);
    if (first == nullptr || second == nullptr)
        return FALSE;
    return first->pixels == second->pixels ? TRUE : FALSE;
}

BOOL FillRgn(HDC dc, HRGN region, HBRUSH brush) {
    RegionImpl* impl = regionOf(region);
    BrushImpl* fill = brushOf(brush);
    if (dc == nullptr || impl == nullptr || fill == nullptr)
        return FALSE;
    if (fill->style == BS_NULL)
        return TRUE;
    QPainter* painter = dc->painter();
    if (painter == nullptr)
        return TRUE;
    const QColor color = toolkitColor(fill->currentColor());
    for (const QRect& part : impl->pixels.translated(dc->origin()))
        painter->fillRect(part, color);
    return TRUE;
}

int SelectClipRgn(HDC dc, HRGN region) {
    if (dc == nullptr)
        return RGN_ERROR;
    if (region == nullptr)
        return dc->setClip(false, QRegion());
    RegionImpl* impl = regionOf(region);
    if (impl == nullptr)
        return RGN_ERROR;
    return dc->setClip(true, impl->pixels);
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr)
        return RGN_ERROR;
    const QRegion rect(rectOf(left, top, right, bottom).translated(dc->origin()));
    return dc->setClip(true, currentClip(*dc) & rect);
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
    if (dc == nullptr)
        return RGN_ERROR;
    const QRegion rect(rectOf(left, top, right, bottom).translated(dc->origin()));
    return dc->setClip(true, currentClip(*dc) - rect);
}

int GetClipBox(HDC dc, RECT* box) {
    if (dc == nullptr || box == nullptr)
        return RGN_ERROR;
    const QRegion drawable = dc->drawableRegion();
    const QRect bounds = drawable.boundingRect().translated(-dc->origin());
    *box = drawable.isEmpty()
               ? RECT{}
               : RECT{bounds.left(), bounds.top(), bounds.right() + 1, bounds.bottom() + 1};
    return regionKind(drawable);
}
