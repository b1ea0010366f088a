#pragma once
// Editing as the user and the messages see it: the primitives of EditOperations followed by
// the notifications, repainting and scroll-bar updates the window owes its parent and screen.
// Typing, pasting, EM_REPLACESEL and undo insert through insertAtCaretAndShow; Backspace,
// Delete and clearing a selection delete through deleteAndShow.

#include <string_view>

namespace editctl {

struct EditState;

// Inserts at the caret (replacing a selection; overwrite mode replaces following characters):
// EN_MAXTEXT when the limit cut it, then EN_UPDATE, repaint, scroll bars, the caret into view
// and EN_CHANGE.
// Returns false when nothing was inserted.
bool insertAtCaretAndShow(EditState& state, std::u16string_view chars, bool overwrite);
// Deletes [start, end) with EN_UPDATE, repaint, scroll bars, the caret into view and
// EN_CHANGE; the caret and anchor go to start. Returns false for an empty or out-of-range request.
bool deleteAndShow(EditState& state, int start, int end);
// Replaces the whole text under the wait cursor, lays it out, sets the scroll bars and
// repaints everything.
void replaceAllAndShow(EditState& state, std::u16string_view text);
// Reads the font measures and client size and lays the whole text out again (when there is a
// client width), then the scroll bars; repaints everything when `repaint` is set.
void reformat(EditState& state, bool repaint);
// True when reformat() would lay the whole text out: the client it reads has a width.
bool reformatLaysOut(const EditState& state);

} // namespace editctl
