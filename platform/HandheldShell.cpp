#include "platform/HandheldShell.h"

#include "platform/FrameWidget.h"
#include "platform/WindowInternal.h"

namespace {

// The window-manager scan code of a virtual key, for the injected events.
BYTE scanCodeOf(BYTE virtualKey) {
    switch (virtualKey) {
    case VK_SHIFT:
        return 0x2A;
    case VK_PRIOR:
        return 0x49;
    case VK_NEXT:
        return 0x51;
    default:
        return 0;
    }
}

} // namespace

BOOL SHFullScreen(HWND hwnd, DWORD state) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr || !w->frame->isWindow())
        return FALSE;
    QWidget* frame = w->frame;
    if (state & SHFS_HIDETASKBAR)
        frame->setWindowState(frame->windowState() | Qt::WindowFullScreen);
    else if (state & SHFS_SHOWTASKBAR)
        frame->setWindowState(frame->windowState() & ~Qt::WindowFullScreen);
    return TRUE;
}

BOOL SHHandleWMSettingChange(HWND hwnd, WPARAM /*wParam*/, LPARAM /*lParam*/,
                             SHACTIVATEINFO* /*info*/) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr || !w->frame->isWindow())
        return FALSE;
    if (w->frame->isFullScreen() && w->frame->isVisible())
        w->frame->showFullScreen();
    return TRUE;
}

void SHSendBackToFocusWindow(UINT message, WPARAM wParam, LPARAM lParam) {
    if (HWND focus = GetFocus(); focus != nullptr)
        PostMessage(focus, message, wParam, lParam);
}

void SendShiftKey(bool down) {
    keybd_event(VK_SHIFT, scanCodeOf(VK_SHIFT), down ? 0 : KEYEVENTF_KEYUP, 0);
}

void SendKeyStroke(BYTE virtualKey) {
    const BYTE scan = scanCodeOf(virtualKey);
    keybd_event(virtualKey, scan, 0, 0);
    keybd_event(virtualKey, scan, KEYEVENTF_KEYUP, 0);
}
