#pragma once
// The caret of a focused control: a bar two borders wide and one line high, standing before the
// caret's character. Painting and every caret move bring it up to date.

namespace editctl {

struct EditState;

// When the control has the focus: makes the caret anew, puts it at the caret's position (also
// when that line is out of view) and shows it unless it lies left of the left margin.
void refreshCaret(EditState& state);
// Hides and removes the caret; for a control that is losing the focus (and so owns it).
void removeCaret(const EditState& state);

} // namespace editctl
