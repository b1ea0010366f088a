#pragma once
// The "nEdit" window class: a multi-line edit control driven by window messages.

#include "platform/Window.h"

namespace editctl {

// Registers the "nEdit" class once per process; returns its atom.
ATOM registerNEditClass();
// The class's window procedure. Every exception from a handler ends here: the user is told
// "Out of Memory", and the text stays unless it has become inconsistent.
LRESULT nEditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace editctl
