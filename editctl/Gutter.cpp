#include "editctl/Gutter.h"

#include <string>

namespace editctl {

int gutterWidth(int digits, int zeroWidth) {
    return zeroWidth * (digits + 1);
}

void drawGutter(HDC dc, const GutterLine& line) {
    const int width = gutterWidth(line.digits, line.zeroWidth);
    const std::string number = std::to_string(line.number);
    const std::u16string text(number.begin(), number.end());
    const RECT area{0, 0, width, line.lineHeight};
    const COLORREF oldText = SetTextColor(dc, line.text);
    const COLORREF oldBack = SetBkColor(dc, line.background);
    SetTextAlign(dc, TA_RIGHT | TA_TOP);
    ExtTextOutW(dc, width - line.zeroWidth + 1, line.textTop, ETO_OPAQUE, &area, text.data(),
                static_cast<UINT>(text.size()), nullptr);
    SetTextAlign(dc, TA_LEFT | TA_TOP);
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);

    const int separator = width - line.zeroWidth / 2;
    const HPEN pen = CreatePen(PS_SOLID, 1, line.text);
    const HPEN previous = SelectObject(dc, pen);
    MoveToEx(dc, separator, 0, nullptr);
    LineTo(dc, separator, line.lineHeight);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

} // namespace editctl
