#include "platform/ClientWidget.h"
#include "platform/DialogAnswers.h"
#include "platform/DialogInternal.h"
#include "platform/FrameWidget.h"
#include "platform/GdiFontImpl.h"
#include "platform/GdiInternal.h"
#include "platform/ModalAnswers.h"
#include "platform/SoftKeyBar.h"
#include "platform/StandardControls.h"
#include "platform/WindowClassRegistry.h"

#include <QApplication>
#include <QEventLoop>
#include <QFontMetrics>
#include <QStyle>

#include <algorithm>
#include <unordered_map>

namespace platform {

namespace {

std::unordered_map<HWND, DialogState>& dialogs() {
    static std::unordered_map<HWND, DialogState> map;
    return map;
}

// The state of the dialog being created: its first message claims it.
std::optional<DialogState>& pendingState() {
    static std::optional<DialogState> pending;
    return pending;
}

HWND topLevelOf(HWND hwnd) {
    while (IsWindow(hwnd) && (GetWindowLong(hwnd, GWL_STYLE) & static_cast<LONG>(WS_CHILD)) != 0 &&
           GetParent(hwnd) != nullptr)
        hwnd = GetParent(hwnd);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

// The dialog font's base units: the average width of the Latin letters and the height.
QSize baseUnitsOf(HFONT font) {
    const QFontMetrics metrics(gdi::toolkitFont(font));
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {std::max(1, (letters + 26) / 52), std::max(1, metrics.height())};
}

RECT toPixels(const QSize& units, int x, int y, int cx, int cy) {
    return RECT{x * units.width() / 4, y * units.height() / 8, (x + cx) * units.width() / 4,
                (y + cy) * units.height() / 8};
}

HWND firstTabStop(HWND dialog) {
    return GetNextDlgTabItem(dialog, nullptr, FALSE);
}

// Focus goes where Tab would take it, and an edit's text is selected, as Tab does.
void focusControl(HWND control) {
    if (control == nullptr)
        return;
    SetFocus(control);
    const LRESULT code = SendMessage(control, WM_GETDLGCODE, 0, 0);
    if ((code & DLGC_HASSETSEL) != 0)
        SendMessage(control, EM_SETSEL, 0, -1);
}

bool createControls(HWND dialog, const DialogTemplate& t, const DialogState& state) {
    for (const DialogControl& c : t.controls) {
        const RECT r = toPixels(state.baseUnits, c.x, c.y, c.cx, c.cy);
        const HWND control = CreateWindowEx(0, c.className, c.text, c.style | WS_CHILD, r.left,
                                            r.top, r.right - r.left, r.bottom - r.top, dialog,
                                            childId(c.id & 0xFFFF), nullptr, nullptr);
        if (control == nullptr)
            return false;
        SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), FALSE);
        for (const char16_t* item : c.items)
            SendMessage(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    return true;
}

// The size of the dialog's window: the template's client size (or the owner's whole top-level
// window for a 0 x 0 template) plus a scroll bar.
QRect dialogGeometry(const DialogTemplate& t, HWND ownerTop, const QSize& units) {
    QRect area(0, 0, 480, 640);
    if (ownerTop != nullptr) {
        RECT owner;
        GetWindowRect(ownerTop, &owner);
        area = toQRect(owner);
    }
    if (t.cx == 0 && t.cy == 0)
        return area;
    const RECT client = toPixels(units, 0, 0, t.cx, t.cy);
    int width = client.right;
    if ((t.style & WS_VSCROLL) != 0)
        width += QApplication::style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QRect r(0, 0, width, client.bottom);
    r.moveCenter(area.center());
    return r;
}

} // namespace

DialogState* dialogState(HWND hwnd) {
    if (!IsWindow(hwnd))
        return nullptr;
    const auto it = dialogs().find(hwnd);
    return it != dialogs().end() ? &it->second : nullptr;
}

HWND dialogOf(HWND hwnd) {
    for (HWND w = hwnd; IsWindow(w); w = GetParent(w)) {
        if (dialogState(w) != nullptr)
            return w;
        if ((GetWindowLong(w, GWL_STYLE) & static_cast<LONG>(WS_CHILD)) == 0)
            break;
    }
    return nullptr;
}

HWND dialogChildOf(HWND dialog, HWND hwnd) {
    for (HWND w = hwnd; IsWindow(w); w = GetParent(w)) {
        if (GetParent(w) == dialog)
            return w;
    }
    return nullptr;
}

void dockSoftKeyBar(HWND dialog, HWND bar) {
    PlatformWindow* d = liveWindow(dialog);
    PlatformWindow* b = liveWindow(bar);
    if (d == nullptr || b == nullptr)
        return;
    b->frame->setParent(d->frame);
    d->dockedBar = bar;
    syncClientArea(dialog);
    b->frame->show();
}

LRESULT dialogWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE && pendingState().has_value()) {
        dialogs()[hwnd] = *pendingState();
        pendingState().reset();
    }
    DialogState* state = dialogState(hwnd);
    if (state != nullptr && state->proc != nullptr) {
        const DLGPROC proc = state->proc;
        const INT_PTR answer = proc(hwnd, msg, wParam, lParam);
        if (msg == WM_INITDIALOG)
            return answer;
        if (answer != 0 && msg != WM_NCDESTROY)
            return answer;
    }
    return DefDlgProc(hwnd, msg, wParam, lParam);
}

} // namespace platform

using namespace platform;

namespace {

// Makes the dialog and its controls and initialises it; null when any part fails.
HWND makeDialog(const DialogTemplate* t, HWND owner, DLGPROC proc, LPARAM initParam, bool modal) {
    registerStandardClasses();
    if (t == nullptr)
        return nullptr;
    DialogState state;
    state.proc = proc;
    state.modal = modal;
    if (t->pointSize > 0 || t->fontFace != nullptr) {
        state.font = CreatePointFontW((t->pointSize > 0 ? t->pointSize : 9) * 10,
                                      t->fontFace != nullptr ? t->fontFace : u"", nullptr);
        state.ownsFont = state.font != nullptr;
    }
    if (state.font == nullptr) {
        // The desktop's own dialog font at its default size.
        const QFont desktop = QApplication::font();
        const std::u16string face = desktop.family().toStdU16String();
        const int tenths = desktop.pointSizeF() > 0 ? qRound(desktop.pointSizeF() * 10) : 100;
        state.font = CreatePointFontW(tenths, face.c_str(), nullptr);
        state.ownsFont = state.font != nullptr;
    }
    if (state.font == nullptr)
        state.font = gdi::defaultFont();
    state.baseUnits = baseUnitsOf(state.font);
    const HWND ownerTop = topLevelOf(owner);
    const QRect geometry = dialogGeometry(*t, ownerTop, state.baseUnits);
    const DWORD style = (t->style & ~(WS_CHILD | WS_VISIBLE)) | WS_POPUP | WS_CAPTION;
    const HFONT font = state.font;
    const bool ownsFont = state.ownsFont;
    pendingState() = state;
    const HWND dialog = CreateWindowEx(WS_EX_CONTROLPARENT, WC_DIALOG, t->caption, style,
                                       geometry.x(), geometry.y(), geometry.width(),
                                       geometry.height(), ownerTop, nullptr, nullptr, nullptr);
    if (pendingState().has_value()) {
        pendingState().reset();
        if (ownsFont)
            DeleteObject(font);
    }
    if (dialog == nullptr)
        return nullptr;
    if (!createControls(dialog, *t, *dialogState(dialog))) {
        DestroyWindow(dialog);
        return nullptr;
    }
    const HWND first = firstTabStop(dialog);
    const LRESULT init =
        SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), initParam);
    DialogState* s = dialogState(dialog);
    if (s == nullptr)
        return nullptr;
    if (init == -1) {
        DestroyWindow(dialog);
        return nullptr;
    }
    // An EndDialog inside WM_INITDIALOG ends the dialog before anyone sees it.
    if (s->ended)
        return dialog;
    ShowWindow(dialog, SW_SHOW);
    if (init != FALSE && IsWindow(dialog))
        focusControl(GetNextDlgTabItem(dialog, nullptr, FALSE));
    return dialog;
}

bool isPushButton(HWND hwnd) {
    if (hwnd == nullptr)
        return false;
    const LRESULT code = SendMessage(hwnd, WM_GETDLGCODE, 0, 0);
    return (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// Presses a button of the dialog as a click would: through the button when there is one,
// else as the command a soft key posts.
void pressButton(HWND dialog, int id) {
    const HWND button = GetDlgItem(dialog, id);
    if (isPushButton(button) && IsWindowEnabled(button)) {
        SendMessage(button, BM_CLICK, 0, 0);
    } else {
        PostMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0), 0);
    }
    drainPostedMessages();
}

INT_PTR runModal(HWND dialog, HWND owner) {
    HWND ownerTop = topLevelOf(owner);
    // The owner counts as disabled while the dialog runs; the toolkit's modality keeps the
    // input away from it (disabling its widgets would disable the dialog's, which are theirs).
    const bool ownerWasEnabled = ownerTop != nullptr && IsWindowEnabled(ownerTop);
    if (ownerWasEnabled)
        ownerTop->style |= WS_DISABLED;
    dialog->frame->setWindowModality(Qt::WindowModal);
    int answersUsed = 0;
    while (DialogState* s = dialogState(dialog)) {
        if (s->ended)
            break;
        if (auto answer = takeQueuedDialogAnswer()) {
            ++answersUsed;
            if (answer->setControls)
                answer->setControls(dialog);
            drainPostedMessages();
            if ((s = dialogState(dialog)) == nullptr || s->ended)
                break;
            pressButton(dialog, answer->button);
            continue;
        }
        if (modalLoopsUnattended()) {
            // Nobody can answer: the dialog is dismissed as Cancel would.
            PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
            drainPostedMessages();
            if ((s = dialogState(dialog)) != nullptr && !s->ended)
                EndDialog(dialog, IDCANCEL);
            break;
        }
        QEventLoop loop;
        s->loop = &loop;
        loop.exec();
        if ((s = dialogState(dialog)) != nullptr)
            s->loop = nullptr;
    }
    INT_PTR result = IDCANCEL;
    std::u16string caption;
    if (DialogState* s = dialogState(dialog); s != nullptr) {
        result = s->result;
        const int length = GetWindowTextLength(dialog);
        caption.resize(static_cast<std::size_t>(length) + 1);
        caption.resize(static_cast<std::size_t>(GetWindowText(dialog, caption.data(), length + 1)));
    }
    if (ownerWasEnabled && IsWindow(ownerTop))
        ownerTop->style &= ~WS_DISABLED;
    if (IsWindow(dialog)) {
        const QWidget* closing = dialog->frame;
        DestroyWindow(dialog);
        if (PlatformWindow* top = liveWindow(ownerTop); top != nullptr)
            returnActivationTo(top->frame->window(), closing);
    }
    recordDialog(test::DialogCall{owner, caption, result, answersUsed});
    return result;
}

} // namespace

INT_PTR DialogBoxIndirectParam(HINSTANCE /*instance*/, const DialogTemplate* dialog, HWND owner,
                               DLGPROC proc, LPARAM initParam) {
    const HWND focusBefore = GetFocus();
    const HWND hwnd = makeDialog(dialog, owner, proc, initParam, true);
    if (hwnd == nullptr) {
        recordDialog(test::DialogCall{owner,
                                      dialog != nullptr && dialog->caption != nullptr
                                          ? std::u16string(dialog->caption)
                                          : std::u16string(),
                                      -1, 0});
        return -1;
    }
    const INT_PTR result = runModal(hwnd, owner);
    // The keyboard goes back where it was before the dialog took it.
    if (IsWindow(focusBefore))
        SetFocus(focusBefore);
    return result;
}

HWND CreateDialogIndirectParam(HINSTANCE /*instance*/, const DialogTemplate* dialog, HWND owner,
                               DLGPROC proc, LPARAM initParam) {
    const HWND hwnd = makeDialog(dialog, owner, proc, initParam, false);
    if (hwnd != nullptr && dialogState(hwnd)->ended) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    return hwnd;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    DialogState* s = dialogState(dialog);
    if (s == nullptr)
        return FALSE;
    s->ended = true;
    s->result = result;
    if (s->loop != nullptr)
        s->loop->quit();
    if (!s->modal)
        DestroyWindow(dialog);
    return TRUE;
}

bool IsDialogWindow(HWND hwnd) {
    return dialogState(hwnd) != nullptr;
}

LRESULT DefDlgProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    DialogState* s = dialogState(dialog);
    switch (msg) {
    case WM_CLOSE:
        SendMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0);
        return 0;
    case WM_SETFOCUS:
        // The dialog itself passes the keyboard on to its first control.
        if (s != nullptr) {
            if (const HWND target = GetNextDlgTabItem(dialog, nullptr, FALSE); target != nullptr)
                SetFocus(target);
        }
        return 0;
    case WM_NEXTDLGCTL: {
        HWND target = nullptr;
        if (LOWORD(lParam) != 0)
            target = reinterpret_cast<HWND>(wParam); // NOLINT(performance-no-int-to-ptr)
        else
            target = GetNextDlgTabItem(dialog, dialogChildOf(dialog, GetFocus()), wParam != 0);
        if (IsWindow(target))
            focusControl(target);
        return 0;
    }
    case DM_GETDEFID:
        return s != nullptr ? MAKELONG(static_cast<WORD>(s->defaultId), DC_HASDEFID) : 0;
    case DM_SETDEFID:
        if (s != nullptr)
            s->defaultId = static_cast<int>(wParam);
        return TRUE;
    case WM_NCDESTROY:
        if (s != nullptr) {
            if (s->ownsFont)
                DeleteObject(s->font);
            if (s->loop != nullptr)
                s->loop->quit();
            dialogs().erase(dialog);
        }
        return DefWindowProc(dialog, msg, wParam, lParam);
    default:
        return DefWindowProc(dialog, msg, wParam, lParam);
    }
}

BOOL MapDialogRect(HWND dialog, RECT* rect) {
    const DialogState* s = dialogState(dialog);
    if (s == nullptr || rect == nullptr)
        return FALSE;
    const int bx = s->baseUnits.width();
    const int by = s->baseUnits.height();
    *rect =
        RECT{rect->left * bx / 4, rect->top * by / 8, rect->right * bx / 4, rect->bottom * by / 8};
    return TRUE;
}
