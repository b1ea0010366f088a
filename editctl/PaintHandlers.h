#pragma once
// The painting messages of the "nEdit" window procedure: WM_PAINT and the settings that only
// change how the text looks (symbols, colours, the composition's target underline).

#include "platform/Window.h"

namespace editctl {

struct EditState;

// WM_PAINT: paints the update area line by line through the strip; when focused, puts the
// caret in place and moves the composition window to it.
LRESULT onPaint(EditState& state);
// NEM_SETSYMBOLS: stores the symbol bits and repaints everything.
LRESULT onSetSymbols(EditState& state, WPARAM bits);
// NEM_SETCOLOR: stores a slot's colour (-1: system default), hands the resolved colour to the
// composition window and repaints everything; a slot outside 0..4 is ignored.
LRESULT onSetColor(EditState& state, WPARAM slot, LPARAM color);
// NEM_SETIMEUNDERLINE: stores the flag and hands it to the composition window.
LRESULT onSetImeUnderline(EditState& state, WPARAM flag);

} // namespace editctl
