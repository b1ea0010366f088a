#pragma once
// Helpers for drawing tests: a memory context with its own bitmap, and pixel queries.

#include "platform/Gdi.h"
#include "platform/GdiInternal.h"

#include <QImage>

#include <string>

namespace gditest {

// A memory context with a width x height bitmap filled white, freed on destruction.
class Canvas {
public:
    Canvas(int width, int height)
        : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateCompatibleBitmap(dc_, width, height)) {
        previous_ = SelectObject(dc_, bitmap_);
        RECT all{0, 0, width, height};
        FillRect(dc_, &all, GetStockBrush(WHITE_BRUSH));
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteObject(bitmap_);
        DeleteDC(dc_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    HBITMAP bitmap() const { return bitmap_; }
    const QImage& image() const { return *platform::gdi::bitmapImage(bitmap_); }
    // The pixel as stored, whatever the context's clip.
    COLORREF at(int x, int y) const {
        return platform::gdi::colorRef(QColor::fromRgb(image().pixel(x, y)));
    }

    // How many pixels of the rectangle [left, right) x [top, bottom) have the colour.
    int count(COLORREF color, int left, int top, int right, int bottom) const {
        int found = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x)
                found += at(x, y) == color ? 1 : 0;
        }
        return found;
    }
    // The bounding box of the pixels that are not white (all zero when there are none).
    RECT ink() const {
        RECT box{0, 0, 0, 0};
        bool any = false;
        const QImage& pixels = image();
        for (int y = 0; y < pixels.height(); ++y) {
            for (int x = 0; x < pixels.width(); ++x) {
                if ((pixels.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                    continue;
                if (!any)
                    box = {x, y, x + 1, y + 1};
                box = {std::min<LONG>(box.left, x), std::min<LONG>(box.top, y),
                       std::max<LONG>(box.right, x + 1), std::max<LONG>(box.bottom, y + 1)};
                any = true;
            }
        }
        return box;
    }

private:
    HDC dc_;
    HBITMAP bitmap_;
    HBITMAP previous_;
};

// A font from a face name and height.
inline HFONT makeFont(const std::u16string& face, LONG height, LONG weight = FW_NORMAL) {
    LOGFONTW description;
    description.lfHeight = height;
    description.lfWeight = weight;
    description.lfCharSet = DEFAULT_CHARSET;
    face.copy(description.lfFaceName, LF_FACESIZE - 1);
    return CreateFontIndirectW(&description);
}

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

} // namespace gditest
