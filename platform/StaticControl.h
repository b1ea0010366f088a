#pragma once
// The static text control's window procedure. Platform-only.

#include "platform/WinTypes.h"

namespace platform {

// The "STATIC" class's procedure: paints its text in its font on the background its parent
// chooses (WM_CTLCOLORSTATIC, else the dialog colour); otherwise a plain window.
LRESULT StaticControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace platform
