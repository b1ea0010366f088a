#pragma once
// Pixel-by-pixel raster operations, for the few that a painter cannot express on every image
// format (inversions, exclusive-or, and, or).

#include "platform/GdiDeviceContext.h"

namespace platform::gdi {

// Applies op to every drawable pixel of rect (device pixels) in dc's target; op gets the
// pixel's position and colour and returns the new colour (kept opaque).
template <typename Op> void transformPixels(DeviceContext& dc, const QRect& rect, Op op) {
    QImage* image = dc.target();
    if (image == nullptr)
        return;
    // Writing pixels directly must not race the painter's view of the image.
    dc.endPainting();
    for (const QRect& part : dc.drawableRegion() & rect) {
        for (int y = part.top(); y <= part.bottom(); ++y) {
            for (int x = part.left(); x <= part.right(); ++x)
                image->setPixel(x, y, op(x, y, image->pixel(x, y)) | 0xFF000000U);
        }
    }
}

// Inverts the colours of rect.
inline void invertPixels(DeviceContext& dc, const QRect& rect) {
    transformPixels(dc, rect, [](int, int, QRgb pixel) { return pixel ^ 0x00FFFFFFU; });
}

} // namespace platform::gdi
