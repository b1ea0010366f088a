#pragma once
// What the standard controls share: a desktop widget hosted in the control's window, with
// the toolkit's input to it routed through the platform's pre-translation and the window's
// procedure before the widget sees it. Platform-only: includes the toolkit.

#include "platform/WindowInternal.h"

#include <QPointer>
#include <QWidget>

namespace platform {

// Puts widget (made with the window's client widget as parent) over the whole client area
// and makes it the window's keyboard focus target; with routeInput its input is routed to
// hwnd (a window whose input belongs to a child window says false). The window owns it.
void hostWidget(HWND hwnd, QWidget* widget, bool routeInput = true);
// Makes widget, which lives elsewhere (a combo box's field inside the combo box), the one
// hwnd's messages act on; focusWidget takes the keyboard for it and its input is routed to
// hwnd. The widget's geometry and font stay its owner's business.
void adoptWidget(HWND hwnd, QWidget* widget, QWidget* focusWidget);
// The widget a control window hosts, or null for any other window.
QWidget* hostedWidget(HWND hwnd);
// The widget that takes a control window's keyboard and pointer input (the hosted widget, or
// the combo box an editable field lives in), or null for any other window.
QWidget* hostedInputWidget(HWND hwnd);
// The hosted widget of a control window cast to its kind, or null.
template <class W> W* hosted(HWND hwnd) {
    return dynamic_cast<W*>(hostedWidget(hwnd));
}

// The default handling every hosted control ends with: size, font, focus, the keyboard
// messages (a toolkit key on its way to the widget passes; one the program sent is typed
// into the widget), the context menu (to the parent), the widget's release; the rest as
// DefWindowProc.
LRESULT hostedControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Sends WM_COMMAND (MAKEWPARAM(id, code), hwnd) to the control's parent.
void notifyParent(HWND hwnd, UINT code);

// True while the control's procedure changes its widget itself, so the widget's signals
// are not taken for the user's doing.
bool changingProgrammatically(HWND hwnd);
// Marks the control's own changes for the duration of a scope.
class ProgrammaticChange {
public:
    explicit ProgrammaticChange(HWND hwnd);
    ~ProgrammaticChange();
    ProgrammaticChange(const ProgrammaticChange&) = delete;
    ProgrammaticChange& operator=(const ProgrammaticChange&) = delete;

private:
    HWND hwnd_;
    bool saved_;
};

// Copies text into a WM_GETTEXT buffer (NUL-terminated, cut to size - 1); the length copied.
LRESULT copyText(const QString& text, WPARAM size, LPARAM buffer);
// The text a WM_SETTEXT carries.
QString textParam(LPARAM text);
// The font a control draws with: the one given with WM_SETFONT, else the stock font a
// device context starts with, so a label measured with a window's device context fits.
QFont controlFont(HWND hwnd);

} // namespace platform
