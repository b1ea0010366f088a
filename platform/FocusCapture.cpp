#include "platform/ClientWidget.h"
#include "platform/FrameWidget.h"
#include "platform/WindowInternal.h"

#include <QApplication>

namespace {

struct FocusState {
    HWND focus = nullptr;
    HWND capture = nullptr;
};

FocusState& state() {
    static FocusState s;
    return s;
}

} // namespace

namespace platform {

void loseFocusToDesktop(HWND hwnd) {
    if (state().focus != hwnd)
        return;
    state().focus = nullptr;
    SendMessage(hwnd, WM_KILLFOCUS, 0, 0);
    SendMessage(hwnd, WM_IME_SETCONTEXT, FALSE, ISC_SHOWUIALL);
}

void returnActivationTo(QWidget* owner, const QWidget* closing) {
    if (owner == nullptr || !owner->isVisible())
        return;
    const QWidget* active = QApplication::activeWindow();
    if (active == nullptr || active == closing || !active->isVisible())
        owner->activateWindow();
}

void forgetFocusAndCapture(HWND hwnd) {
    if (state().focus == hwnd)
        state().focus = nullptr;
    if (state().capture == hwnd)
        state().capture = nullptr;
}

} // namespace platform

HWND SetFocus(HWND hwnd) {
    using namespace platform;
    auto& s = state();
    if (hwnd != nullptr && !IsWindow(hwnd))
        return nullptr;
    const HWND old = liveWindow(s.focus);
    if (hwnd == old)
        return old;
    s.focus = hwnd;
    if (old != nullptr) {
        SendMessage(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
        SendMessage(old, WM_IME_SETCONTEXT, FALSE, ISC_SHOWUIALL);
    }
    // The old window's handlers may have moved the focus elsewhere already.
    if (hwnd != nullptr && s.focus == hwnd && IsWindow(hwnd)) {
        setFocusQuietly(hwnd->client);
        SendMessage(hwnd, WM_IME_SETCONTEXT, TRUE, ISC_SHOWUIALL);
    }
    if (hwnd != nullptr && s.focus == hwnd && IsWindow(hwnd))
        SendMessage(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() {
    return platform::liveWindow(state().focus);
}

HWND SetCapture(HWND hwnd) {
    auto& s = state();
    const HWND old = platform::liveWindow(s.capture);
    if (hwnd != nullptr && !IsWindow(hwnd))
        return old;
    s.capture = hwnd;
    if (old != nullptr && old != hwnd)
        SendMessage(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    return old;
}

BOOL ReleaseCapture() {
    auto& s = state();
    const HWND old = platform::liveWindow(s.capture);
    s.capture = nullptr;
    if (old != nullptr)
        SendMessage(old, WM_CAPTURECHANGED, 0, 0);
    return TRUE;
}

HWND GetCapture() {
    return platform::liveWindow(state().capture);
}
