// Draws arbitrary UTF-16 text (lone surrogates, control characters, unassigned code points)
// with arbitrary alignment, options, rectangles, clip regions and fonts into a small bitmap,
// and checks what must hold: a run's extent is the sum of its single widths, DT_CALCRECT
// reports that extent, and pixels outside the clip region are never touched. Fuzz with
// -detect_leaks=0: the toolkit's font configuration is deliberately never torn down here.
#include "fuzz/support/FuzzHost.h"
#include "platform/Gdi.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 32;

struct Reader {
    const std::uint8_t* data;
    std::size_t size;
    std::uint8_t byte() {
        if (size == 0)
            return 0;
        --size;
        return *data++;
    }
    int coordinate() { return static_cast<int>(static_cast<std::int8_t>(byte())); }
};

HFONT pickFont(std::uint8_t choice) {
    LOGFONTW description;
    static const char16_t* const faces[] = {u"KivTestFont", u"IPAGothic", u"DejaVu Sans", u""};
    const std::u16string face = faces[choice % 4];
    face.copy(description.lfFaceName, LF_FACESIZE - 1);
    description.lfHeight = static_cast<LONG>(choice / 4 % 40) - 20;
    description.lfWeight = (choice & 0x80) != 0 ? FW_BOLD : FW_NORMAL;
    description.lfUnderline = (choice & 0x40) != 0 ? 1 : 0;
    return CreateFontIndirectW(&description);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    kivfuzz::startHeadlessToolkit();
    Reader in{data, size};
    const std::uint8_t fontChoice = in.byte();
    const UINT align = in.byte();
    const UINT options = in.byte();
    const UINT format = in.byte() | (in.byte() << 8);
    const int mode = (in.byte() & 1) != 0 ? OPAQUE : TRANSPARENT;
    const RECT rect{in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate()};
    const RECT clip{in.coordinate(), in.coordinate(), in.coordinate(), in.coordinate()};
    const int x = in.coordinate();
    const int y = in.coordinate();
    std::u16string text;
    while (in.size >= 2)
        text.push_back(static_cast<char16_t>(in.byte() | (in.byte() << 8)));

    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, kWidth, kHeight);
    HBITMAP oldBitmap = SelectObject(dc, bitmap);
    HFONT font = pickFont(fontChoice);
    HFONT oldFont = SelectObject(dc, font);
    const RECT all{0, 0, kWidth, kHeight};
    FillRect(dc, &all, GetStockBrush(WHITE_BRUSH));
    HRGN region = CreateRectRgnIndirect(&clip);
    SelectClipRgn(dc, region);
    SetTextAlign(dc, align);
    SetBkMode(dc, mode);
    SetBkColor(dc, RGB(0, 0, 255));
    SetTextColor(dc, RGB(255, 0, 0));

    const int count = static_cast<int>(text.size());
    SIZE whole;
    if (!GetTextExtentPoint32W(dc, text.data(), count, &whole))
        std::abort();
    long sum = 0;
    for (char16_t unit : text) {
        SIZE single;
        GetTextExtentPoint32W(dc, &unit, 1, &single);
        sum += single.cx;
    }
    if (sum != whole.cx)
        std::abort();

    ExtTextOutW(dc, x, y, options, (options & 1) != 0 ? nullptr : &rect, text.data(),
                static_cast<UINT>(count), nullptr);
    RECT label = rect;
    DrawTextW(dc, text.data(), count, &label, format & ~DT_CALCRECT);
    RECT measured = rect;
    DrawTextW(dc, text.data(), count, &measured, format | DT_CALCRECT | DT_NOPREFIX);
    if (measured.right - measured.left != whole.cx)
        std::abort();

    // Nothing may have been drawn outside the clip region.
    SelectClipRgn(dc, nullptr);
    for (int py = 0; py < kHeight; ++py) {
        for (int px = 0; px < kWidth; ++px) {
            if (!PtInRegion(region, px, py) && GetPixel(dc, px, py) != RGB(255, 255, 255))
                std::abort();
        }
    }

    DeleteObject(region);
    SelectObject(dc, oldFont);
    DeleteObject(font);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return 0;
}
