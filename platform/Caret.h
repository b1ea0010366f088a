#pragma once
// The one caret of the program: a blinking inverted block that the platform draws over the
// window that owns it. It starts hidden; each HideCaret needs a ShowCaret to undo it.

#include "platform/WinTypes.h"

// Makes hwnd the caret's owner with the given size (a null bitmap: solid; any other value:
// grey). Replaces any earlier caret. The caret starts hidden at (0, 0).
BOOL CreateCaret(HWND hwnd, HBITMAP bitmap, int width, int height);
// Removes the caret; FALSE when there is none.
BOOL DestroyCaret();
// Moves the caret to client coordinates of its owner.
BOOL SetCaretPos(int x, int y);
// The caret's position in its owner's client coordinates.
BOOL GetCaretPos(POINT* point);
// Undoes one HideCaret (or the hidden start); hwnd must own the caret or be null.
BOOL ShowCaret(HWND hwnd);
// Hides the caret; hwnd must own the caret or be null.
BOOL HideCaret(HWND hwnd);
// The blink period (half on, half off) in milliseconds.
UINT GetCaretBlinkTime();
BOOL SetCaretBlinkTime(UINT milliseconds);
