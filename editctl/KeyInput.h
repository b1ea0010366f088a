#pragma once
// The keyboard: movement and editing keys on WM_KEYDOWN, typed characters on WM_CHAR and the
// input method's characters on WM_IME_CHAR.

#include "platform/Window.h"

#include <string_view>

namespace editctl {

struct EditState;

// WM_KEYDOWN with a virtual key; Ctrl and Shift are read as held for this message.
LRESULT onKeyDown(EditState& state, WPARAM virtualKey);
// WM_CHAR: one UTF-16 unit typed.
LRESULT onChar(EditState& state, WPARAM character);
// WM_IME_CHAR: one UTF-16 unit from the input method, inserted as it is.
LRESULT onImeChar(EditState& state, WPARAM character);
// Inserts typed or pasted text at the caret in the current mode (or insert mode when
// `forceInsert`), with the notifications, and brings the caret into view.
bool typeText(EditState& state, std::u16string_view chars, bool forceInsert);
// Backspace: deletes the selection, or the character before the caret.
void backspaceAction(EditState& state);
// Delete: deletes the selection, or the character after the caret.
void deleteAction(EditState& state);

} // namespace editctl
