#pragma once
// Stylus and mouse: taps place the caret, Shift+tap extends, drags select, a double tap selects
// a word and a drag after it grows the selection by words, a right tap opens the context menu.

#include "platform/Window.h"

namespace editctl {

struct EditState;

// WM_LBUTTONDOWN, WM_MOUSEMOVE, WM_LBUTTONUP, WM_LBUTTONDBLCLK: key flags and a client point.
LRESULT onLeftButtonDown(EditState& state, WPARAM keys, LPARAM point);
LRESULT onMouseMove(EditState& state, WPARAM keys, LPARAM point);
LRESULT onLeftButtonUp(EditState& state, WPARAM keys, LPARAM point);
LRESULT onLeftButtonDoubleClick(EditState& state, WPARAM keys, LPARAM point);
// WM_RBUTTONDOWN: the caret goes to the point unless that lies inside the selection.
LRESULT onRightButtonDown(EditState& state, WPARAM keys, LPARAM point);
// WM_RBUTTONUP: the context menu.
LRESULT onRightButtonUp(EditState& state);

} // namespace editctl
