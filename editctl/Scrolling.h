#pragma once
// Moving the view: scroll-bar actions, EM_SCROLL, EM_LINESCROLL and the wheel, keeping the
// caret inside the view after the view moved, and bringing the caret into view after it moved.

#include "platform/Window.h"

#include <cstdint>

namespace editctl {

struct EditState;

// Where the view goes to show the caret: first display line and horizontal cell position.
struct ViewPosition {
    int firstLine = 0;
    int horizontal = 0;
};
// The view position that keeps the caret 5 cells from either side with its line in view
// (one-line steps when it is just outside, else centred; `centre` centres its line in any
// case), without moving anything.
ViewPosition caretInViewPosition(EditState& state, bool centre);
// The same for a caret on display line `line`, `offset` pixels from its start.
ViewPosition viewPositionShowing(const EditState& state, int line, std::int64_t offset,
                                 bool centre);
// Scrolls the view to caretInViewPosition.
void scrollCaretIntoView(EditState& state, bool centre);
// Moves the view to `firstLine` and `horizontal` (clamped), scrolls the window contents and
// the scroll bars with it. Returns true when anything moved.
bool scrollViewTo(EditState& state, int firstLine, int horizontal);
// After the view moved: a caret that left it is brought back to the nearest visible place
// (the anchor follows unless Shift is held).
void keepCaretInView(EditState& state);

// WM_VSCROLL and WM_HSCROLL: a scroll-bar code, with the thumb's position for SB_THUMB*.
LRESULT onVScroll(EditState& state, WPARAM code);
LRESULT onHScroll(EditState& state, WPARAM code);
// EM_SCROLL: MAKELONG(lines moved, 1), or 0 when nothing can move.
LRESULT onScroll(EditState& state, WPARAM code);
// EM_LINESCROLL: moves the view by cells and lines.
LRESULT onLineScroll(EditState& state, WPARAM cells, LPARAM lines);
// WM_MOUSEWHEEL: three lines up for a positive delta, down otherwise.
LRESULT onMouseWheel(EditState& state, WPARAM wParam);

} // namespace editctl
