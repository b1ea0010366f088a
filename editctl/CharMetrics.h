#pragma once
// What layout needs to know about the control's font: the advance of each code unit, the font
// height and the character cell. The window measures with its drawing context; tests use fixed
// widths.

namespace editctl {

class CharMetrics {
public:
    virtual ~CharMetrics() = default;
    // Pixel advance of one UTF-16 code unit drawn alone in the current font.
    virtual int charWidth(char16_t ch) = 0;
    // Height of the font in pixels, line spacing not included.
    virtual int fontHeight() = 0;
    // The font's average character width: the width of one character cell.
    virtual int averageCharWidth() = 0;
};

} // namespace editctl
