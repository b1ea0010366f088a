#pragma once
// Caret and selection moves: the movement keys, and setting the selection with the lines it
// touched repainted.

#include "platform/Window.h"

namespace editctl {

struct EditState;

// Puts the caret and anchor at the given indices and repaints the display lines between the
// old and the new ends (no scrolling).
void setSelection(EditState& state, int anchor, int caret);
// The movement keys VK_PRIOR .. VK_DOWN (after a commit); with `extend` the anchor stays.
void moveByKey(EditState& state, WPARAM virtualKey, bool extend, bool control);
// The start and end of the selection.
int selectionStart(const EditState& state);
int selectionEnd(const EditState& state);

} // namespace editctl
