#pragma once
// The combo box control's window procedure. Platform-only.

#include "platform/WinTypes.h"

namespace platform {

// The "COMBOBOX" class's procedure.
LRESULT ComboBoxControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace platform
