#pragma once
// Dialogs made from a DialogTemplate: modal ones (DialogBoxIndirectParam runs a nested loop
// until EndDialog) and modeless ones. The dialog procedure sees WM_INITDIALOG (lParam: the
// caller's value) once every control exists, then the dialog's messages; returning FALSE
// leaves a message to the default dialog handling (DefDlgProc). Keyboard navigation is the
// platform's: input to a control inside a dialog passes IsDialogMessage after the window
// objects' pre-translation (Tab / Shift+Tab move among WS_TABSTOP controls, Return presses
// the default button IDOK, Escape sends IDCANCEL, unless the control asks for the key with
// WM_GETDLGCODE). A dialog's own soft-key bar (CreateSoftKeyBar / platform::SoftKeyMenuBar
// with the dialog as parent) sits along the dialog's bottom edge below the client area,
// so it never scrolls with the content.
//
// Tests answer modal dialogs with platform::test::queueDialogAnswer (TestHooks.h); on the
// headless platform a dialog nobody answers is dismissed at once, as with Cancel.

#include "platform/ControlMessages.h"
#include "platform/DialogTemplate.h"
#include "platform/Window.h"

using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

// The class of dialog windows.
inline constexpr const char16_t* WC_DIALOG = u"#32770";

// Creates the dialog owned by owner (disabled meanwhile), sends WM_INITDIALOG, focuses the
// first tab stop unless the procedure answered FALSE, and runs until EndDialog. Returns
// EndDialog's result, or -1 when the dialog could not be made.
INT_PTR DialogBoxIndirectParam(HINSTANCE instance, const platform::DialogTemplate* dialog,
                               HWND owner, DLGPROC proc, LPARAM initParam);
// The same without waiting: the dialog is shown and its handle returned (null on failure);
// EndDialog then destroys it.
HWND CreateDialogIndirectParam(HINSTANCE instance, const platform::DialogTemplate* dialog,
                               HWND owner, DLGPROC proc, LPARAM initParam);
// Ends a dialog with a result: a modal loop returns it once the current message is done.
// FALSE when hwnd is not a dialog.
BOOL EndDialog(HWND dialog, INT_PTR result);
// What a dialog procedure's unhandled messages get: WM_COMMAND IDCANCEL from the close
// request, focus restored to the last focused control, the rest as DefWindowProc.
LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
// Whether hwnd is a dialog made by the functions above.
bool IsDialogWindow(HWND hwnd);

// Sends a message to a control of the dialog; 0 when there is no such control.
LRESULT SendDlgItemMessage(HWND dialog, int id, UINT msg, WPARAM wParam, LPARAM lParam);
// The text of a control, through WM_SETTEXT / WM_GETTEXT; the length copied.
BOOL SetDlgItemText(HWND dialog, int id, const char16_t* text);
UINT GetDlgItemText(HWND dialog, int id, char16_t* buffer, int size);
// Writes value in decimal (signed or not).
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL isSigned);
// Reads the control's text as a decimal integer (leading and trailing blanks allowed, a '-'
// only when signed); *translated says whether it was one and fits, and the result is 0
// when not.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL isSigned);
// BM_SETCHECK / BM_GETCHECK on a button of the dialog.
BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);

// The dialog's keyboard navigation for one input message addressed to the dialog or a
// control inside it; TRUE when it handled the message.
BOOL IsDialogMessage(HWND dialog, MSG* msg);
// The next (or previous) visible, enabled WS_TABSTOP control after control, wrapping
// around; control null starts at the first.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// Converts a rectangle from dialog units to pixels for the dialog's font.
BOOL MapDialogRect(HWND dialog, RECT* rect);
