#pragma once
// The measures layout works with. Pixels, except tab size and the column limit (cells).

namespace editctl {

struct Margins {
    int left = 1;
    int top = 1;
    int right = 1;
    int bottom = 1;
};

struct LayoutParams {
    bool wordWrap = true;
    int wrapColumn = 0; // 0: wrap at the window's right edge
    int tabSize = 8;
    int columnLimit = 0x8000;
    int lineSpacing = 0;
    int lineHeight = 0; // line spacing + font height
    int cellWidth = 0;  // the font's average character width
    int clientWidth = 0;
    int clientHeight = 0;
    Margins margins;
    bool lineNumbers = false;
    int lineNumberDigits = 0;
    int widestLine = 0;
    // Set while the line table does not reflect a real layout (no client width yet).
    bool layoutPending = true;
};

} // namespace editctl
