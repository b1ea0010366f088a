#pragma once
// Draws display lines into the control's one-line strip: text in runs of at most 256
// characters, the selection, symbol cells for invisible characters, the line-number gutter and
// the caret-line underline. One painter serves one WM_PAINT.

#include "editctl/SymbolCells.h"
#include "platform/Gdi.h"

#include <array>

namespace editctl {

struct EditState;

// What one paint needs besides the state.
struct PaintArea {
    int left = 0;                // the update area's left edge, client x
    int right = 0;               // and its right edge (exclusive)
    bool selectionShown = false; // the control has the focus or ES_NOHIDESEL
    int caretLine = -1;          // display line underlined, -1 for none
};

class LinePainter {
public:
    // Resolves the colours once for the paint; draws into `strip`, a context of client width
    // holding the control's font, left/top aligned.
    LinePainter(EditState& state, HDC strip, const PaintArea& area);

    // Draws display line `line` (0 <= line < line count) into the strip, which the caller has
    // filled with the window colour.
    void paintLine(int line);

private:
    // Draws the collected run, opaque over the line height, and starts an empty one at x.
    void flushRun();
    // Draws a symbol cell from the current x to x1 and moves x there.
    void drawCell(SymbolKind kind, int x1, bool selected, bool showSymbol);
    // Whether the character at `index` is drawn in the selection colours.
    bool shownSelected(int index) const noexcept;
    // The number in the gutter and the underline of the caret's line.
    void drawLineDecorations(int line);

    EditState& state_;
    HDC dc_;
    PaintArea area_;
    int lineHeight_;
    int textTop_;
    int selectionStart_;
    int selectionEnd_;
    COLORREF window_;
    COLORREF windowText_;
    COLORREF highlight_;
    COLORREF highlightText_;
    COLORREF underline_;

    // The run being collected.
    const char16_t* runText_ = nullptr;
    int runLength_ = 0;
    int runX_ = 0; // where the run starts
    int runWidth_ = 0;
    std::array<int, 256> advances_{};
};

} // namespace editctl
