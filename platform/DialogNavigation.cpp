#include "platform/DialogInternal.h"
#include "platform/SoftKeyBar.h"
#include "platform/StandardControls.h"

#include <vector>

namespace platform {

namespace {

std::vector<HWND> childrenOf(HWND dialog) {
    std::vector<HWND> children;
    for (HWND w = GetWindow(dialog, GW_CHILD); w != nullptr; w = GetWindow(w, GW_HWNDNEXT))
        children.push_back(w);
    return children;
}

bool isTabStop(HWND hwnd) {
    return (GetWindowLong(hwnd, GWL_STYLE) & static_cast<LONG>(WS_TABSTOP)) != 0 &&
           IsWindowVisible(hwnd) && IsWindowEnabled(hwnd) && !IsSoftKeyBar(hwnd);
}

bool shiftHeld() {
    return (GetKeyState(VK_SHIFT) & 0x8000) != 0;
}

// The control Return presses: a focused push button, else the default button.
int returnCommand(HWND dialog, HWND focused, LRESULT code) {
    if ((code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0)
        return GetDlgCtrlID(focused);
    const LRESULT id = SendMessage(dialog, DM_GETDEFID, 0, 0);
    return HIWORD(id) == DC_HASDEFID ? LOWORD(id) : IDOK;
}

void sendCommand(HWND dialog, int id) {
    const HWND button = GetDlgItem(dialog, id);
    if (button != nullptr && !IsWindowEnabled(button))
        return;
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                reinterpret_cast<LPARAM>(button));
}

} // namespace

} // namespace platform

using namespace platform;

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
    const std::vector<HWND> children = childrenOf(dialog);
    const auto count = static_cast<std::ptrdiff_t>(children.size());
    if (count == 0)
        return nullptr;
    std::ptrdiff_t at = -1;
    for (std::ptrdiff_t i = 0; i < count; ++i) {
        if (children[static_cast<std::size_t>(i)] == control)
            at = i;
    }
    if (at < 0)
        at = previous ? 0 : count - 1; // so the first step lands on the first (or last) one
    for (std::ptrdiff_t step = 1; step <= count; ++step) {
        const std::ptrdiff_t i = ((at + (previous ? -step : step)) % count + count) % count;
        const HWND candidate = children[static_cast<std::size_t>(i)];
        if (isTabStop(candidate))
            return candidate;
    }
    return control;
}

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
    if (msg == nullptr || dialogState(dialog) == nullptr || msg->message != WM_KEYDOWN)
        return FALSE;
    const HWND target = msg->hwnd;
    if (target != dialog && dialogChildOf(dialog, target) == nullptr)
        return FALSE;
    const LRESULT code =
        SendMessage(target, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
    if ((code & DLGC_WANTALLKEYS) != 0)
        return FALSE;
    switch (static_cast<int>(msg->wParam)) {
    case VK_TAB: {
        if ((code & DLGC_WANTTAB) != 0)
            return FALSE;
        const HWND next = GetNextDlgTabItem(dialog, dialogChildOf(dialog, target), shiftHeld());
        if (next != nullptr)
            SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
        return TRUE;
    }
    case VK_RETURN:
        sendCommand(dialog, returnCommand(dialog, target, code));
        return TRUE;
    case VK_ESCAPE:
        sendCommand(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}
