#pragma once
// The button control's window procedure. Platform-only.

#include "platform/WinTypes.h"

namespace platform {

// The "BUTTON" class's procedure: push buttons, check boxes, radio buttons and group boxes.
LRESULT ButtonControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace platform
