#pragma once
// Modal message boxes.

#include "platform/WinTypes.h"

// Shows text under caption with the buttons and icon of type (MB_OK, MB_OKCANCEL,
// MB_YESNO, MB_YESNOCANCEL, ...; MB_ICONSTOP, MB_ICONQUESTION, ...) and waits for a button.
// Returns IDOK, IDCANCEL, IDYES or IDNO; closing the box counts as Cancel (or No when
// there is no Cancel button).
int MessageBox(HWND owner, const char16_t* text, const char16_t* caption, UINT type);
