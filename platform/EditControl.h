#pragma once
// The single-line edit control's window procedure and the selection helpers the editable
// combo box shares. Platform-only: includes the toolkit.

#include "platform/WinTypes.h"

class QLineEdit;
class QWidget;

namespace platform {

// The "EDIT" class's procedure.
LRESULT EditControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
class HostedLineEdit;

// Makes the window of an editable combo box's field: an "EDIT" child of combo with id that
// acts on edit, whose keyboard input arrives at focusWidget (the combo box).
HWND createComboField(HWND combo, int id, HostedLineEdit* edit, QWidget* focusWidget);
// EM_GETSEL: writes start and end to the DWORDs wParam and lParam point to (when not null)
// and returns MAKELONG(start, end).
LRESULT editSelection(QLineEdit* edit, WPARAM wParam, LPARAM lParam);
// EM_SETSEL: start -1 removes the selection, end -1 means the end of the text; the caret
// goes to end.
void setEditSelection(QLineEdit* edit, int start, int end);

} // namespace platform
