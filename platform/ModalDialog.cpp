#include "platform/ModalDialog.h"

#include <utility>

namespace platform {

namespace {

// The dialog whose doModal is running: the dialog window's first message attaches it, so it
// sees the window from creation on.
ModalDialog*& dialogBeingMade() {
    static ModalDialog* dialog = nullptr;
    return dialog;
}

} // namespace

ModalDialog::ModalDialog(const DialogTemplate& dialog) : template_(dialog) {}

INT_PTR ModalDialog::doModal(HWND owner) {
    if (hwnd() != nullptr)
        return -1;
    ModalDialog* const saved = std::exchange(dialogBeingMade(), this);
    const INT_PTR result = DialogBoxIndirectParam(nullptr, &template_, owner, &dialogProc,
                                                  reinterpret_cast<LPARAM>(this));
    dialogBeingMade() = saved;
    return result;
}

INT_PTR ModalDialog::dialogProc(HWND hwnd, UINT message, WPARAM /*wParam*/, LPARAM lParam) {
    if (ModalDialog* made = dialogBeingMade();
        made != nullptr && made->hwnd() == nullptr && WindowObject::fromHandle(hwnd) == nullptr) {
        dialogBeingMade() = nullptr;
        made->subclass(hwnd);
    }
    if (message != WM_INITDIALOG)
        return FALSE;
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    auto* dialog = reinterpret_cast<ModalDialog*>(lParam);
    return dialog != nullptr && dialog->hwnd() == hwnd ? dialog->onInitDialog() : -1;
}

void ModalDialog::endDialog(INT_PTR result) {
    if (hwnd() != nullptr)
        EndDialog(hwnd(), result);
}

bool ModalDialog::updateData(bool saveAndValidate) {
    if (hwnd() == nullptr)
        return false;
    DataExchange dx(hwnd(), saveAndValidate);
    doDataExchange(dx);
    return !dx.failed();
}

HWND ModalDialog::item(int id) const {
    return hwnd() != nullptr ? GetDlgItem(hwnd(), id) : nullptr;
}

const CommandMap& ModalDialog::commandMap() const {
    static constexpr CommandEntry entries[] = {
        onCommand<&ModalDialog::onOKCommand>(IDOK),
        onCommand<&ModalDialog::onCancelCommand>(IDCANCEL),
    };
    static const CommandMap map{&WindowObject::commandMap(), entries};
    return map;
}

LRESULT ModalDialog::windowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A control's notification (a selection change, an edit change) goes to the dialog's
    // handler before the framework's reflection and routing.
    if (message == WM_COMMAND && lParam != 0 && HIWORD(wParam) != 0 &&
        onNotification(LOWORD(wParam), HIWORD(wParam),
                       reinterpret_cast<HWND>(lParam))) // NOLINT(performance-no-int-to-ptr)
        return 0;
    return WindowObject::windowProc(message, wParam, lParam);
}

int ModalDialog::onInitDialog() {
    updateData(false);
    return TRUE;
}

void ModalDialog::doDataExchange(DataExchange& /*dx*/) {}

bool ModalDialog::onNotification(int /*id*/, UINT /*code*/, HWND /*control*/) {
    return false;
}

void ModalDialog::onOK() {
    if (updateData(true))
        endDialog(IDOK);
}

void ModalDialog::onCancel() {
    endDialog(IDCANCEL);
}

void ModalDialog::onOKCommand() {
    onOK();
}

void ModalDialog::onCancelCommand() {
    onCancel();
}

} // namespace platform
