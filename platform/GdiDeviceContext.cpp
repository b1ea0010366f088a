#include "platform/GdiDeviceContext.h"

#include "platform/GdiInternal.h"

#include <unordered_map>

namespace platform::gdi {

DeviceContext::DeviceContext(QImage* image, const QRegion& systemClip)
    : image_(image), systemClip_(systemClip), font_(defaultFont()), pen_(GetStockPen(BLACK_PEN)),
      brush_(GetStockBrush(WHITE_BRUSH)) {
    noteSelected(font_);
    noteSelected(pen_);
    noteSelected(brush_);
}

DeviceContext::DeviceContext()
    : memory_(true), font_(defaultFont()), pen_(GetStockPen(BLACK_PEN)),
      brush_(GetStockBrush(WHITE_BRUSH)), bitmap_(stockBitmap()) {
    noteSelected(font_);
    noteSelected(pen_);
    noteSelected(brush_);
    noteSelected(bitmap_);
}

DeviceContext::~DeviceContext() {
    endPainting();
    noteDeselected(font_);
    noteDeselected(pen_);
    noteDeselected(brush_);
    noteDeselected(bitmap_);
}

QImage* DeviceContext::target() const {
    if (!memory_)
        return image_;
    // The stock bitmap is shared by every fresh memory context, so nobody draws into it.
    if (bitmap_ == stockBitmap())
        return nullptr;
    return &bitmapOf(bitmap_)->image;
}

namespace {

// Which context paints each image right now: an image takes one painter at a time, so a
// second context drawing into the same window image takes over from the first.
std::unordered_map<const QImage*, DeviceContext*>& paintingContexts() {
    static std::unordered_map<const QImage*, DeviceContext*> contexts;
    return contexts;
}

} // namespace

QPainter* DeviceContext::painter() {
    if (painter_)
        return painter_.get();
    QImage* image = target();
    if (image == nullptr || image->isNull())
        return nullptr;
    if (const auto other = paintingContexts().find(image); other != paintingContexts().end())
        other->second->endPainting();
    painter_ = std::make_unique<QPainter>();
    if (!painter_->begin(image)) {
        painter_.reset();
        return nullptr;
    }
    paintingImage_ = image;
    paintingContexts()[image] = this;
    painter_->setRenderHint(QPainter::Antialiasing, false);
    painter_->setRenderHint(QPainter::TextAntialiasing, true);
    applyClip();
    return painter_.get();
}

void DeviceContext::endPainting() {
    if (painter_) {
        painter_->end();
        painter_.reset();
        paintingContexts().erase(paintingImage_);
        paintingImage_ = nullptr;
    }
}

namespace {

// Swaps the selected object of one kind and keeps the selection counts right.
template <typename Handle> Handle swapSelected(Handle& slot, Handle next) {
    Handle previous = slot;
    noteSelected(next);
    slot = next;
    noteDeselected(previous);
    return previous;
}

} // namespace

HFONT DeviceContext::selectFont(HFONT font) {
    return swapSelected(font_, font);
}

HPEN DeviceContext::selectPen(HPEN pen) {
    penPhase = 0;
    return swapSelected(pen_, pen);
}

HBRUSH DeviceContext::selectBrush(HBRUSH brush) {
    return swapSelected(brush_, brush);
}

HBITMAP DeviceContext::selectBitmap(HBITMAP bitmap) {
    Managed* state = managed(bitmap);
    if (!memory_ || state == nullptr)
        return nullptr;
    if (bitmap == bitmap_)
        return bitmap_;
    if (!state->stock && state->selections > 0)
        return nullptr;
    endPainting();
    return swapSelected(bitmap_, bitmap);
}

int DeviceContext::setClip(bool hasClip, const QRegion& clip) {
    hasClip_ = hasClip;
    clip_ = hasClip ? clip : QRegion();
    applyClip();
    return hasClip_ ? regionKind(drawableRegion()) : SIMPLEREGION;
}

QRegion DeviceContext::drawableRegion() const {
    QImage* image = target();
    QRegion region(image != nullptr ? image->rect() : QRect(0, 0, 1, 1));
    if (!systemClip_.isEmpty())
        region &= systemClip_;
    if (hasClip_)
        region &= clip_;
    return region;
}

bool DeviceContext::canDraw(int x, int y) const {
    QImage* image = target();
    if (image == nullptr || !image->rect().contains(x, y))
        return false;
    if (!systemClip_.isEmpty() && !systemClip_.contains(QPoint(x, y)))
        return false;
    return !hasClip_ || clip_.contains(QPoint(x, y));
}

QRect DeviceContext::toDevice(const RECT& rect) const {
    // An empty or inside-out rectangle covers no pixel at all.
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        return QRect(rect.left + origin_.x(), rect.top + origin_.y(), 0, 0);
    return QRect(QPoint(rect.left + origin_.x(), rect.top + origin_.y()),
                 QPoint(rect.right + origin_.x() - 1, rect.bottom + origin_.y() - 1));
}

void DeviceContext::narrowClip(const QRect& rect) {
    if (painter_)
        painter_->setClipRegion(drawableRegion() & rect);
}

void DeviceContext::applyClip() {
    if (!painter_)
        return;
    if (systemClip_.isEmpty() && !hasClip_)
        painter_->setClipping(false);
    else
        painter_->setClipRegion(drawableRegion());
}

HDC createImageDC(QImage* image, const QRegion& clip) {
    if (image == nullptr)
        return nullptr;
    return std::make_unique<DeviceContext>(image, clip).release();
}

void releaseImageDC(HDC dc) {
    // Handles are owned by the caller until released; this is where ownership returns.
    std::unique_ptr<DeviceContext> owned(dc);
}

QImage* targetImage(HDC dc) {
    return dc != nullptr ? dc->target() : nullptr;
}

} // namespace platform::gdi

using platform::gdi::DeviceContext;

HDC CreateCompatibleDC(HDC) {
    return std::make_unique<DeviceContext>().release();
}

BOOL DeleteDC(HDC dc) {
    if (dc == nullptr)
        return FALSE;
    std::unique_ptr<DeviceContext> owned(dc);
    return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
    QImage* image = platform::gdi::targetImage(dc);
    switch (index) {
    case LOGPIXELSX:
    case LOGPIXELSY:
        return 96;
    case HORZRES:
        return image != nullptr ? image->width() : GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
        return image != nullptr ? image->height() : GetSystemMetrics(SM_CYSCREEN);
    case BITSPIXEL:
        return 32;
    case PLANES:
        return 1;
    default:
        return 0;
    }
}

BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old) {
    if (dc == nullptr)
        return FALSE;
    if (old != nullptr)
        *old = {dc->origin().x(), dc->origin().y()};
    dc->setOrigin(QPoint(x, y));
    return TRUE;
}

BOOL GetViewportOrgEx(HDC dc, POINT* origin) {
    if (dc == nullptr || origin == nullptr)
        return FALSE;
    *origin = {dc->origin().x(), dc->origin().y()};
    return TRUE;
}
