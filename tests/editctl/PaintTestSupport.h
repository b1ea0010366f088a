#pragma once
// Painting a state without a window: the state's memory context and strip are made as the
// control makes them, with the deterministic test font, and the client area is a memory
// bitmap that tests read pixel by pixel.

#include "EditTestSupport.h"

#include "editctl/ColorSlots.h"
#include "editctl/Paint.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <memory>
#include <string>

namespace editctl::test {

inline constexpr COLORREF kWindow = RGB(255, 255, 255);
inline constexpr COLORREF kText = RGB(0, 0, 0);
inline constexpr COLORREF kHighlight = RGB(0, 0, 200);
inline constexpr COLORREF kHighlightText = RGB(255, 255, 0);
inline constexpr COLORREF kUnderline = RGB(255, 0, 0);
inline constexpr COLORREF kUntouched = RGB(1, 2, 3);

class PaintCanvas {
public:
    // A client area of `width` x `height` showing `text` laid out in the test font.
    PaintCanvas(const std::u16string& text, int width, int height, bool wordWrap = true)
        : state(makeState(text, width - 2, wordWrap)), width_(width), height_(height) {
        state->layout.clientHeight = height;
        state->memoryDc = CreateCompatibleDC(nullptr);
        LOGFONTW description;
        std::u16string face = u"KivTestFont";
        std::copy(face.begin(), face.end(), description.lfFaceName);
        font_ = CreateFontIndirectW(&description);
        SelectObject(state->memoryDc, font_);
        SetTextAlign(state->memoryDc, TA_LEFT | TA_TOP);
        SetBkMode(state->memoryDc, TRANSPARENT);
        rebuildStrip();
        target_ = CreateCompatibleDC(nullptr);
        bitmap_ = CreateCompatibleBitmap(target_, width, height);
        SelectObject(target_, bitmap_);
        storeColor(*state, NEC_WINDOW, kWindow);
        storeColor(*state, NEC_WINDOWTEXT, kText);
        storeColor(*state, NEC_HIGHLIGHT, kHighlight);
        storeColor(*state, NEC_HIGHLIGHTTEXT, kHighlightText);
        storeColor(*state, NEC_UNDERLINE, kUnderline);
    }
    ~PaintCanvas() {
        DeleteDC(target_);
        DeleteObject(bitmap_);
        DeleteDC(state->memoryDc);
        DeleteObject(state->lineStrip);
        DeleteObject(font_);
        DeleteObject(state->marginRegion);
    }
    PaintCanvas(const PaintCanvas&) = delete;
    PaintCanvas& operator=(const PaintCanvas&) = delete;

    // Makes the strip and margin region anew for the current line height and margins.
    void rebuildStrip() {
        layoutAllText(*state);
        if (state->lineStrip != nullptr) {
            SelectObject(state->memoryDc, static_cast<HBITMAP>(state->previousBitmap));
            DeleteObject(state->lineStrip);
            DeleteObject(state->marginRegion);
        }
        state->lineStrip =
            CreateCompatibleBitmap(state->memoryDc, width_, state->layout.lineHeight);
        state->previousBitmap = SelectObject(state->memoryDc, state->lineStrip);
        const Margins& m = state->layout.margins;
        const HRGN whole = CreateRectRgn(0, 0, width_, height_);
        const HRGN inner = CreateRectRgn(0, m.top, width_ - m.right, height_ - m.bottom);
        state->marginRegion = CreateRectRgn(0, 0, 0, 0);
        CombineRgn(state->marginRegion, whole, inner, RGN_DIFF);
        DeleteObject(whole);
        DeleteObject(inner);
    }

    // Fills the client area with a colour painting never uses, then paints `update`.
    void paint(const PaintArea& area, RECT update) {
        const HBRUSH untouched = CreateSolidBrush(kUntouched);
        const RECT all{0, 0, width_, height_};
        FillRect(target_, &all, untouched);
        DeleteObject(untouched);
        paintUpdateArea(*state, target_, update, area);
    }
    void paint(const PaintArea& area) { paint(area, RECT{0, 0, width_, height_}); }
    // The whole client area as the update area, with the selection shown as given.
    static PaintArea wholeArea(int width, bool selectionShown, int caretLine = -1) {
        PaintArea area;
        area.right = width;
        area.selectionShown = selectionShown;
        area.caretLine = caretLine;
        return area;
    }
    PaintArea wholeArea(bool selectionShown, int caretLine = -1) const {
        return wholeArea(width_, selectionShown, caretLine);
    }

    COLORREF at(int x, int y) const { return GetPixel(target_, x, y); }
    // Row y from x0 to x1 as characters: '.' window, '#' text, 'H' highlight, 'T' highlight
    // text, 'U' underline, '?' anything else.
    std::string row(int y, int x0, int x1) const {
        std::string pixels;
        for (int x = x0; x < x1; ++x) {
            pixels += symbolOf(at(x, y));
        }
        return pixels;
    }
    // Column x from y0 to y1, as row() spells it.
    std::string column(int x, int y0, int y1) const {
        std::string pixels;
        for (int y = y0; y < y1; ++y) {
            pixels += symbolOf(at(x, y));
        }
        return pixels;
    }
    // Every pixel of the client area, for comparing two paints.
    std::u32string pixels() const {
        std::u32string all;
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                all += static_cast<char32_t>(at(x, y));
            }
        }
        return all;
    }

    std::unique_ptr<EditState> state;

private:
    static char symbolOf(COLORREF c) {
        switch (c) {
        case kWindow:
            return '.';
        case kText:
            return '#';
        case kHighlight:
            return 'H';
        case kHighlightText:
            return 'T';
        case kUnderline:
            return 'U';
        default:
            return '?';
        }
    }

    int width_;
    int height_;
    HFONT font_ = nullptr;
    HDC target_ = nullptr;
    HBITMAP bitmap_ = nullptr;
};

} // namespace editctl::test
