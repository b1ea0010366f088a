#pragma once
// The application framework's dialog: a window object over a dialog made from a template,
// run modally, with dialog data exchange and the OK / Cancel commands in its command table.
// Derived dialogs add message and command tables as any window object does.

#include "platform/DataExchange.h"
#include "platform/Dialog.h"
#include "platform/WindowObject.h"

namespace platform {

class ModalDialog : public WindowObject {
public:
    // The template must outlive the dialog.
    explicit ModalDialog(const DialogTemplate& dialog);

    // Runs the dialog owned by owner; returns IDOK, IDCANCEL or what endDialog was given,
    // -1 when it could not be made or onInitDialog failed.
    INT_PTR doModal(HWND owner);
    // Ends the dialog with result once the current message is done.
    void endDialog(INT_PTR result);
    // Moves the values between the members and the controls: saveAndValidate reads the
    // controls and validates, stopping at the first failing field (its message shown, the
    // field focused). False when a field failed.
    bool updateData(bool saveAndValidate);
    // The control with id, or null.
    HWND item(int id) const;

    const CommandMap& commandMap() const override;
    // Offers a control's notification to onNotification first.
    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    // Runs after every control exists: the default moves the members into the controls.
    // TRUE focuses the first tab stop, FALSE keeps the focus the handler set, -1 fails the
    // dialog (it ends at once with -1).
    virtual int onInitDialog();
    // The members exchanged with the controls, in field order; the default has none.
    virtual void doDataExchange(DataExchange& dx);
    // A control's notification (WM_COMMAND with a code: CBN_SELCHANGE, EN_CHANGE, ...); true
    // when handled. The default handles none.
    virtual bool onNotification(int id, UINT code, HWND control);
    // OK (IDOK, the Return key, a soft key): validates and ends with IDOK when all fields pass.
    virtual void onOK();
    // Cancel (IDCANCEL, Escape, the close request): ends with IDCANCEL.
    virtual void onCancel();

private:
    static INT_PTR dialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void onOKCommand();
    void onCancelCommand();

    const DialogTemplate& template_;
};

} // namespace platform
