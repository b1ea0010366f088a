#pragma once
// What the edit control does for the input method: its "nImeComp" child draws the composition
// in place, the result string is inserted like typed text, the candidate window is placed at
// the clause being converted, and the input context follows the focus and the read-only flag.

#include "platform/Window.h"

namespace editctl {

struct EditState;

// WM_CREATE: makes the composition child (visible, no size, no title).
void createImeWindow(EditState& state);
// WM_IME_STARTCOMPOSITION: brings the caret into view, gives the child the font, moves it to
// the caret and hides the caret.
LRESULT onImeStartComposition(EditState& state);
// WM_IME_COMPOSITION: inserts a result string (unless read-only) in the current mode and shows
// the composition, placing the candidate and composition windows at the target clause.
LRESULT onImeComposition(EditState& state, LPARAM flags);
// WM_IME_ENDCOMPOSITION: removes the composition's drawing and shows the caret again.
LRESULT onImeEndComposition(EditState& state);
// Focus gained or lost: opens or closes the input method, unless NEO_NOIMEONFOCUS.
void openImeOnFocus(const EditState& state, bool open);
// Read-only detaches the input context and keeps it; writable attaches the kept one again.
void followReadOnly(EditState& state);
// The child's origin goes to the caret (WM_SIZE).
void moveImeWindowToCaret(EditState& state);

} // namespace editctl
