#pragma once
// The "nImeComp" window: the input method's composition drawn in place at the editor's caret,
// in the editor's font, colours and line spacing. It covers the editor's client area, but its
// window region is cut down to the cells of the composed characters, so it hides only the
// text under the composition. Only its editor sends it messages (ImeCompMessages.h).

#include "platform/Window.h"

inline constexpr const char16_t* kImeCompClassName = u"nImeComp";

namespace editctl {

// Registers the "nImeComp" class once per process; returns its atom.
ATOM registerImeCompClass();
// The class's window procedure.
LRESULT imeCompWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace editctl
