#pragma once
// The line-number gutter at the left of each display line: the line's number right-aligned
// in it, and a thin separator half a digit inside its right edge.

#include "platform/Gdi.h"

namespace editctl {

struct GutterLine {
    int number = 0;     // display line index + 1
    int digits = 0;     // digits the gutter is sized for
    int zeroWidth = 0;  // width of "0" in the control's font
    int lineHeight = 0; // font height plus line spacing
    int textTop = 0;    // half the line spacing
    COLORREF text = 0;  // window-text colour: the number and the separator
    COLORREF background = 0;
};

// The gutter's width: one digit more than the line numbers need.
int gutterWidth(int digits, int zeroWidth);
// Draws the number opaque over the gutter and the separator into dc (a line strip whose text
// alignment is left/top, which it is again afterwards).
void drawGutter(HDC dc, const GutterLine& line);

} // namespace editctl
