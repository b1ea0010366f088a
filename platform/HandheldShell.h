#pragma once
// The handheld shell's services around a program's windows, as a desktop stands in for them:
// full-screen flags, the re-fit after a settings change, handing the hardware Back key back to
// the shell, and injected key events (the shift lock, page keys).

#include "platform/WinTypes.h"

// SHFullScreen flags.
constexpr DWORD SHFS_SHOWTASKBAR = 0x0001;
constexpr DWORD SHFS_HIDETASKBAR = 0x0002;
constexpr DWORD SHFS_SHOWSIPBUTTON = 0x0004;
constexpr DWORD SHFS_HIDESIPBUTTON = 0x0008;
constexpr DWORD SHFS_SHOWSTARTICON = 0x0010;
constexpr DWORD SHFS_HIDESTARTICON = 0x0020;

// What SHHandleWMSettingChange remembers between calls for one window.
struct SHACTIVATEINFO {
    DWORD cbSize = sizeof(SHACTIVATEINFO);
    HWND hwndLastFocus = nullptr;
    UINT fSipUp = 0;
    UINT fSipOnDeactivation = 0;
    UINT fActive = 0;
    UINT fReserved = 0;
};

// Hides or shows the shell's task bar, input-panel button and start icon for a top-level
// window. On a desktop, hiding the task bar makes the window cover the whole screen (now, or
// when it is shown); showing it again gives the window back its frame.
BOOL SHFullScreen(HWND hwnd, DWORD state);
// Lets the shell re-fit a top-level window after a settings change: a full-screen window is
// made to cover the screen again. TRUE when the window was handled.
BOOL SHHandleWMSettingChange(HWND hwnd, WPARAM wParam, LPARAM lParam, SHACTIVATEINFO* info);
// Hands a key message the program does not handle itself (the hardware Back key) back to the
// shell, which delivers it to the window that has the focus.
void SHSendBackToFocusWindow(UINT message, WPARAM wParam, LPARAM lParam);

// Injects one Shift event (down or up), as the keyboard would: the shift lock.
void SendShiftKey(bool down);
// Injects a press and a release of a virtual key; they reach the focus window after the
// current message.
void SendKeyStroke(BYTE virtualKey);
