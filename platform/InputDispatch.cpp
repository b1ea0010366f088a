#include "platform/InputDispatch.h"

#include "platform/DialogInternal.h"
#include "platform/SoftKeyBar.h"
#include "platform/WindowObject.h"

namespace platform {

namespace {

constexpr LPARAM kPreviouslyDown = 0x40000000;

// F1 and F2 are the two soft keys; a held key does not press again.
bool pressSoftKey(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || (msg.lParam & kPreviouslyDown) != 0)
        return false;
    if (msg.wParam != static_cast<WPARAM>(VK_TSOFT1) &&
        msg.wParam != static_cast<WPARAM>(VK_TSOFT2))
        return false;
    const HWND bar = SoftKeyBarOf(msg.hwnd);
    if (bar == nullptr)
        return false;
    SendMessage(bar, SKBM_PRESS, msg.wParam == static_cast<WPARAM>(VK_TSOFT1) ? 0 : 1, 0);
    return true;
}

} // namespace

bool dispatchInputMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg;
    msg.hwnd = hwnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    msg.time = GetTickCount();
    GetCursorPos(&msg.pt);
    if (preTranslateInput(msg) || pressSoftKey(msg))
        return false;
    // Inside a dialog the dialog's keyboard navigation comes next, as a dialog's message loop
    // asks IsDialogMessage before dispatching.
    if (const HWND dialog = dialogOf(hwnd); dialog != nullptr && IsDialogMessage(dialog, &msg))
        return false;
    if (IsWindow(hwnd))
        SendMessage(hwnd, message, wParam, lParam);
    return true;
}

} // namespace platform
