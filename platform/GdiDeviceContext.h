#pragma once
// A device context: the target image, the selected objects, the text and background state,
// the clip, and the one painter that draws into the target.

#include "platform/GdiFontImpl.h"
#include "platform/GdiObjects.h"

#include <QPainter>

#include <memory>

namespace platform::gdi {

class DeviceContext {
public:
    // A context drawing into *image (not owned), always clipped to systemClip unless it is
    // empty.
    DeviceContext(QImage* image, const QRegion& systemClip);
    // A memory context holding the stock 1 x 1 bitmap.
    DeviceContext();
    // Ends drawing and deselects every object.
    ~DeviceContext();
    DeviceContext(const DeviceContext&) = delete;
    DeviceContext& operator=(const DeviceContext&) = delete;

    // Whether this is a memory context (it can hold bitmaps).
    bool isMemory() const { return memory_; }
    // The image drawn into; nullptr when there is none to draw into.
    QImage* target() const;
    // The painter on the target, begun on first use with the current clip; nullptr when
    // there is no target.
    QPainter* painter();
    // Ends the painter (before the target changes).
    void endPainting();

    // Selection of objects; each returns the previous one.
    HFONT selectFont(HFONT font);
    HPEN selectPen(HPEN pen);
    HBRUSH selectBrush(HBRUSH brush);
    // nullptr (and no change) when the bitmap is held by another context.
    HBITMAP selectBitmap(HBITMAP bitmap);
    HFONT font() const { return font_; }
    HPEN pen() const { return pen_; }
    HBRUSH brush() const { return brush_; }
    HBITMAP bitmap() const { return bitmap_; }
    // The selected font's implementation (the default font when none was selected).
    FontImpl& fontImpl() const { return *fontOf(font_); }

    // The application clip in device pixels; hasClip() false means none.
    bool hasClip() const { return hasClip_; }
    const QRegion& clip() const { return clip_; }
    // Replaces the application clip (hasClip false removes it) and returns the new kind.
    int setClip(bool hasClip, const QRegion& clip);
    // Where drawing may land, in device pixels: target bounds, system clip and clip.
    QRegion drawableRegion() const;
    // Whether the device pixel (x, y) may be drawn.
    bool canDraw(int x, int y) const;

    // Logical to device coordinates.
    QPoint toDevice(int x, int y) const { return {x + origin_.x(), y + origin_.y()}; }
    QRect toDevice(const RECT& rect) const;
    QPoint origin() const { return origin_; }
    void setOrigin(QPoint origin) { origin_ = origin; }

    COLORREF textColor = RGB(0, 0, 0);
    COLORREF bkColor = RGB(255, 255, 255);
    int bkMode = OPAQUE;
    UINT textAlign = TA_LEFT | TA_TOP;
    POINT position;   // current position for MoveToEx / LineTo, logical
    int penPhase = 0; // where the dash pattern of the selected pen continues

    // Narrows the painter's clip further to rect (device pixels) until applyClip().
    void narrowClip(const QRect& rect);
    // Gives the painter the context's own clip again.
    void applyClip();

private:
    QImage* image_ = nullptr; // window image, when not a memory context
    QRegion systemClip_;
    bool memory_ = false;
    HFONT font_ = nullptr;
    HPEN pen_ = nullptr;
    HBRUSH brush_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    bool hasClip_ = false;
    QRegion clip_;
    QPoint origin_;
    std::unique_ptr<QPainter> painter_;
    const QImage* paintingImage_ = nullptr; // what painter_ was begun on
};

} // namespace platform::gdi
