#include "platform/EditControl.h"
#include "platform/ClientWidget.h"
#include "platform/ControlHost.h"
#include "platform/HostedLineEdit.h"
#include "platform/StandardControls.h"

#include <algorithm>
#include <limits>
#include <utility>

namespace platform {

namespace {

// The default limit of a single-line edit, as on the handheld system.
constexpr int kDefaultLimit = 30000;

HostedLineEdit* lineEditOf(HWND hwnd) {
    return hosted<HostedLineEdit>(hwnd);
}

// The combo box field being made: its line edit lives inside the combo box.
struct PendingField {
    HostedLineEdit* edit = nullptr;
    QWidget* focusWidget = nullptr;
};
PendingField& pendingField() {
    static PendingField pending;
    return pending;
}

void notifyChanges(HWND hwnd, HostedLineEdit* edit) {
    QObject::connect(edit, &QLineEdit::textChanged, edit, [hwnd] {
        if (IsWindow(hwnd))
            notifyParent(hwnd, EN_CHANGE);
    });
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [hwnd, edit] {
        if (IsWindow(hwnd) && edit->text().size() >= edit->maxLength())
            notifyParent(hwnd, EN_MAXTEXT);
    });
}

void create(HWND hwnd, const CREATESTRUCT& cs) {
    if (PendingField& pending = pendingField(); pending.edit != nullptr) {
        HostedLineEdit* edit = std::exchange(pending.edit, nullptr);
        edit->setMaxLength(kDefaultLimit);
        adoptWidget(hwnd, edit, pending.focusWidget);
        notifyChanges(hwnd, edit);
        return;
    }
    auto* edit = new HostedLineEdit(hwnd->client);
    // The window's border (WS_BORDER, WS_EX_CLIENTEDGE) frames the field already.
    edit->setFrame((cs.style & WS_BORDER) == 0 && (cs.dwExStyle & WS_EX_CLIENTEDGE) == 0);
    edit->setMaxLength(kDefaultLimit);
    edit->setDigitsOnly((cs.style & ES_NUMBER) != 0);
    edit->setReadOnly((cs.style & ES_READONLY) != 0);
    if ((cs.style & ES_PASSWORD) != 0)
        edit->setEchoMode(QLineEdit::Password);
    if ((cs.style & ES_CENTER) != 0)
        edit->setAlignment(Qt::AlignCenter);
    else if ((cs.style & ES_RIGHT) != 0)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    if (cs.lpszName != nullptr)
        edit->setText(QString::fromUtf16(cs.lpszName));
    edit->setModified(false);
    hostWidget(hwnd, edit);
    notifyChanges(hwnd, edit);
}

} // namespace

HWND createComboField(HWND combo, int id, HostedLineEdit* edit, QWidget* focusWidget) {
    pendingField() = PendingField{edit, focusWidget};
    const HWND field = CreateWindowEx(0, WC_EDIT, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, combo,
                                      childId(id), nullptr, nullptr);
    pendingField() = PendingField{};
    return field;
}

LRESULT editSelection(QLineEdit* edit, WPARAM wParam, LPARAM lParam) {
    int start = edit->cursorPosition();
    int end = start;
    if (edit->hasSelectedText()) {
        start = static_cast<int>(edit->selectionStart());
        end = start + static_cast<int>(edit->selectedText().size());
    }
    // NOLINTBEGIN(performance-no-int-to-ptr)
    if (auto* out = reinterpret_cast<DWORD*>(wParam); out != nullptr)
        *out = static_cast<DWORD>(start);
    if (auto* out = reinterpret_cast<DWORD*>(lParam); out != nullptr)
        *out = static_cast<DWORD>(end);
    // NOLINTEND(performance-no-int-to-ptr)
    return MAKELONG(static_cast<WORD>(std::min(start, 0xFFFF)),
                    static_cast<WORD>(std::min(end, 0xFFFF)));
}

void setEditSelection(QLineEdit* edit, int start, int end) {
    const int length = static_cast<int>(edit->text().size());
    if (start < 0) {
        // -1 removes the selection and leaves the caret where it is.
        edit->deselect();
        return;
    }
    start = std::min(start, length);
    end = end < 0 ? length : std::min(end, length);
    // The caret goes to end, which may lie before start.
    edit->setSelection(start, end - start);
    if (start == end)
        edit->setCursorPosition(end);
}

LRESULT EditControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_CREATE) {
        create(hwnd,
               *reinterpret_cast<const CREATESTRUCT*>(lParam)); // NOLINT(performance-no-int-to-ptr)
        return 0;
    }
    HostedLineEdit* edit = lineEditOf(hwnd);
    if (edit == nullptr)
        return hostedControlProc(hwnd, msg, wParam, lParam);
    switch (msg) {
    case WM_SETTEXT: {
        edit->setText(textParam(lParam));
        edit->setModified(false);
        return TRUE;
    }
    case WM_GETTEXT:
        return copyText(edit->text(), wParam, lParam);
    case WM_GETTEXTLENGTH:
        return edit->text().size();
    case EM_GETSEL:
        return editSelection(edit, wParam, lParam);
    case EM_SETSEL:
        setEditSelection(edit, static_cast<int>(static_cast<LONG>(wParam)),
                         static_cast<int>(static_cast<LONG>(lParam)));
        return 0;
    case EM_REPLACESEL:
        edit->insert(textParam(lParam));
        return 0;
    case EM_LIMITTEXT: {
        const auto limit = static_cast<std::uint64_t>(wParam);
        edit->setMaxLength(limit == 0 || limit > std::numeric_limits<int>::max() / 2
                               ? std::numeric_limits<int>::max() / 2
                               : static_cast<int>(limit));
        return 0;
    }
    case EM_GETLIMITTEXT:
        return edit->maxLength();
    case EM_SETREADONLY:
        edit->setReadOnly(wParam != 0);
        return TRUE;
    case EM_GETMODIFY:
        return edit->isModified() ? TRUE : FALSE;
    case EM_SETMODIFY:
        edit->setModified(wParam != 0);
        return 0;
    case EM_CANUNDO:
        return edit->isUndoAvailable() ? TRUE : FALSE;
    case EM_UNDO:
    case WM_UNDO:
        edit->undo();
        return TRUE;
    case WM_COPY:
        edit->copy();
        return 0;
    case WM_CUT:
        if (!edit->isReadOnly())
            edit->cut();
        return 0;
    case WM_PASTE:
        edit->pasteFirstLine();
        return 0;
    case WM_CLEAR:
        if (!edit->isReadOnly() && edit->hasSelectedText())
            edit->del();
        return 0;
    case WM_GETDLGCODE:
        return DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
    case WM_SETFOCUS:
        hostedControlProc(hwnd, msg, wParam, lParam);
        notifyParent(hwnd, EN_SETFOCUS);
        return 0;
    case WM_KILLFOCUS:
        hostedControlProc(hwnd, msg, wParam, lParam);
        notifyParent(hwnd, EN_KILLFOCUS);
        return 0;
    case WM_STYLECHANGED:
        if (wParam == static_cast<WPARAM>(GWL_STYLE)) {
            const auto* change = reinterpret_cast<const STYLESTRUCT*>(lParam); // NOLINT
            edit->setDigitsOnly((change->styleNew & ES_NUMBER) != 0);
            edit->setReadOnly((change->styleNew & ES_READONLY) != 0);
        }
        return 0;
    default:
        return hostedControlProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace platform
