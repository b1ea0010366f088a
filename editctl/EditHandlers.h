#pragma once
// The message handlers of the "nEdit" window procedure, one per message. Each receives the
// control's state and the message parameters and returns the message's result.

#include "platform/Window.h"

namespace editctl {

struct EditState;

// Creation and destruction (the state does not exist yet / is going away).
LRESULT onCreate(HWND hwnd, const CREATESTRUCT* create);
void onDestroy(HWND hwnd);

// Text in and out.
LRESULT onSetText(EditState& state, const char16_t* text);
LRESULT onSetTextBytes(EditState& state, WPARAM bytes, const char16_t* text);
LRESULT onGetText(EditState& state, WPARAM size, char16_t* buffer);
LRESULT onCopyText(EditState& state, char16_t* buffer);
LRESULT onGetBuffer(EditState& state);

// Display-line queries.
LRESULT onLineIndex(const EditState& state, WPARAM line);
LRESULT onLineLength(const EditState& state, WPARAM index);
LRESULT onLineFromChar(const EditState& state, WPARAM index);
LRESULT onGetLine(const EditState& state, WPARAM line, char16_t* buffer);

// Size, font and layout settings.
LRESULT onSize(EditState& state, WPARAM type, LPARAM size);
// True when WM_SIZE of this type reformats: with word wrap, or before the first layout.
bool sizeReformats(const EditState& state, WPARAM type);
LRESULT onSetFont(EditState& state, HFONT font);
LRESULT onSetTabStops(EditState& state, WPARAM count, const int* stops);
LRESULT onGetRect(const EditState& state, RECT* rect);
LRESULT onSetRectNp(EditState& state, const RECT* rect);
LRESULT onSetWordWrap(EditState& state, bool wrap);
LRESULT onSetWrapColumn(EditState& state, WPARAM columns, LPARAM applyNow);
LRESULT onSetLineSpacing(EditState& state, WPARAM pixels);

// The state kept in the window's user-data slot, or null.
EditState* stateOf(HWND hwnd);

} // namespace editctl
