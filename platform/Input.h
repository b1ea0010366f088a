#pragma once
// The state of keys and buttons as the message being handled sees it, injected key events,
// and the pointer's position.

#include "platform/WinTypes.h"

using SHORT = std::int16_t;

// The key's state when the current input message was made: the high bit (negative result)
// when held down, bit 0 toggled for lock keys. VK_SHIFT also reports a Shift injected with
// keybd_event (the shell's shift lock).
SHORT GetKeyState(int virtualKey);
// The key's state now; same bits as GetKeyState.
SHORT GetAsyncKeyState(int virtualKey);
// Injects a key event as if typed: Shift, Control and Alt change the held state (a Shift
// injected down stays held until injected up); other keys reach the focus window as
// WM_KEYDOWN / WM_KEYUP through the posted queue. KEYEVENTF_KEYUP marks a release.
void keybd_event(BYTE virtualKey, BYTE scanCode, DWORD flags, std::uintptr_t extraInfo);
// The pointer's position in screen coordinates.
BOOL GetCursorPos(POINT* point);
// Moves the pointer.
BOOL SetCursorPos(int x, int y);
