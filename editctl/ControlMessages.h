#pragma once
// Handlers of the selection, focus, option and context-menu messages of the "nEdit" window
// procedure. Each receives the control's state and the message parameters and returns the
// message's result.

#include "platform/Window.h"

namespace editctl {

struct EditState;

// EM_GETSEL: start and end into the optional DWORD outputs; MAKELONG(start, end), each cut to
// 16 bits.
LRESULT onGetSel(const EditState& state, DWORD* start, DWORD* end);
// EM_SETSEL: commits; anchor = the smaller end, caret = the larger, -1 meaning the end.
LRESULT onSetSel(EditState& state, WPARAM oneEnd, LPARAM otherEnd);
// EM_REPLACESEL: inserts the text in insert mode in place of the selection (also read-only).
LRESULT onReplaceSel(EditState& state, const char16_t* text);
// EM_LIMITTEXT: the longest text insertions may make, 0 = none.
LRESULT onLimitText(EditState& state, WPARAM limit);
// EM_SCROLLCARET: brings the caret into view (wParam 1: centres its line), repaints all.
LRESULT onScrollCaret(EditState& state, WPARAM centre);
// EM_SETREADONLY: sets or clears read-only and the ES_READONLY style.
LRESULT onSetReadOnly(EditState& state, WPARAM readOnly);
// NEM_SETOPTIONS: the masked option bits take the new values; the line-number gutter is laid
// out again only when it may have changed.
LRESULT onSetOptions(EditState& state, WPARAM mask, LPARAM values);

// WM_SETFOCUS and WM_KILLFOCUS: the caret, the shown selection and EN_SETFOCUS/EN_KILLFOCUS.
LRESULT onSetFocus(EditState& state);
LRESULT onKillFocus(EditState& state);

// WM_CONTEXTMENU: the edit menu at the pointer; the chosen entry is sent to the control.
LRESULT onContextMenu(EditState& state);

} // namespace editctl
