#pragma once
// The one place where keyboard and mouse messages made from the toolkit's input events reach
// window procedures. Every input message is pre-translated first, as a message loop does
// before dispatching: the window objects from the target up (accelerators, the bars' keys, the
// editor's keys), then the soft keys of the target's top-level window.

#include "platform/WinTypes.h"

namespace platform {

// Pre-translates the message and, unless that consumed it, sends it to hwnd. Returns false
// when it was consumed, so a consumed key-down types no character.
bool dispatchInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace platform
