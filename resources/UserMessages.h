#pragma once
// The program's own window messages between the editor wrapper, the bottom bars, the view
// and the frame. All are posted, so they run after the message that caused them.

#include "platform/Messages.h"

// To the view: wParam = the control's modified flag; the caption follows it.
constexpr UINT UM_SETMODIFIED = WM_APP + 0x64;
// To the frame: wParam 1 shows the shift-lock bar, 0 removes it.
constexpr UINT UM_SHIFTLOCK = WM_APP + 0x65;
// To the frame: rebuild the soft-key menu bar (wParam is not used).
constexpr UINT UM_REBUILDMENU = WM_APP + 0x66;
// To the frame: lParam 1 shows bar menu wParam (a bottom bar's soft keys), 0 goes back to the
// main menu bar.
constexpr UINT UM_BARMENU = WM_APP + 0x67;
// To the view: wParam = the edit window that just got the focus.
constexpr UINT UM_EDITFOCUS = WM_APP + 0x68;
// To a scroll dialog, from a control that got the focus: wParam = the window that lost it,
// lParam = the control. Only dialogs receive it, so it may share UM_SETMODIFIED's number.
constexpr UINT UM_ENSUREVISIBLE = WM_APP + 0x64;
