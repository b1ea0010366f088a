#include "shell/CScrollDialog.h"

#include "platform/Device.h"
#include "platform/HandheldShell.h"
#include "resources/ResourceIds.h"
#include "resources/Resources.h"
#include "resources/UserMessages.h"
#include "shell/CApplication.h"
#include "shell/ScrollArithmetic.h"

#include <algorithm>

namespace shell {

namespace {

constexpr DWORD kFullScreenFlags = SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON | SHFS_HIDESTARTICON;
constexpr int kContentMargin = 16;

// Every control of a scroll dialog reports receiving the focus to its dialog, then behaves as
// before; its own procedure waits in its user-data slot.
LRESULT focusReportingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS)
        PostMessage(GetParent(hwnd), UM_ENSUREVISIBLE, wParam, reinterpret_cast<LPARAM>(hwnd));
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    const auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (previous == nullptr)
        return DefWindowProc(hwnd, message, wParam, lParam);
    return CallWindowProc(previous, hwnd, message, wParam, lParam);
}

// A child's rectangle in the dialog's client coordinates.
RECT childRect(HWND dialog, HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

} // namespace

CScrollDialog::CScrollDialog(const platform::DialogTemplate& dialog) : ModalDialog(dialog) {}

const platform::MessageMap& CScrollDialog::messageMap() const {
    using platform::onMessage;
    static constexpr platform::MessageEntry entries[] = {
        onMessage<UM_ENSUREVISIBLE, &CScrollDialog::OnEnsureVisible>(),
        onMessage<WM_SIZE, &CScrollDialog::OnSize>(),
        onMessage<WM_VSCROLL, &CScrollDialog::OnVScroll>(),
        onMessage<WM_LBUTTONDOWN, &CScrollDialog::OnPenDown>(),
    };
    static const platform::MessageMap map{&ModalDialog::messageMap(), entries};
    return map;
}

int CScrollDialog::onInitDialog() {
    const int result = ModalDialog::onInitDialog();
    if (result == -1 || platform::platformKind() != platform::PlatformKind::PocketPc)
        return result;
    const CApplication* app = CApplication::Current();
    if (app != nullptr && app->FullScreenDialogs()) {
        SHFullScreen(hwnd(), kFullScreenFlags);
        SHACTIVATEINFO info;
        SHHandleWMSettingChange(hwnd(), static_cast<WPARAM>(-1), 0, &info);
        RECT desktop;
        GetWindowRect(GetDesktopWindow(), &desktop);
        SetWindowPos(hwnd(), nullptr, 0, 0, desktop.right - desktop.left,
                     desktop.bottom - desktop.top, SWP_NOZORDER);
    }
    // Measured in the dialog's own coordinates, so where the dialog sits on the screen does
    // not make its content look taller.
    int lowest = 0;
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        SetWindowLongPtr(child, GWLP_USERDATA, GetWindowLongPtr(child, GWLP_WNDPROC));
        SetWindowLongPtr(child, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&focusReportingProc));
        lowest = std::max(lowest, static_cast<int>(childRect(hwnd(), child).bottom));
    }
    contentHeight_ = lowest + kContentMargin;
    scrollPosition_ = 0;
    scrolls_ = true;
    RECT client;
    GetClientRect(hwnd(), &client);
    ResetScrollBar(client.bottom - client.top);
    return result;
}

bool CScrollDialog::CreateMenuBar() {
    return menuBar_.create(hwnd(), kMenuBarId, kMenuBarStyle) &&
           menuBar_.loadMenu(resources::loadMenu(IDR_DIALOGBAR));
}

bool CScrollDialog::preTranslateMessage(MSG& msg) {
    // The hardware Back key arrives as a hot key; the shell hands it to the focus window.
    if (msg.message == WM_HOTKEY && HIWORD(msg.lParam) == VK_TBACK) {
        SHSendBackToFocusWindow(msg.message, msg.wParam, msg.lParam);
        return true;
    }
    return ModalDialog::preTranslateMessage(msg);
}

LRESULT CScrollDialog::OnEnsureVisible(WPARAM /*wParam*/, LPARAM lParam) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    const auto control = reinterpret_cast<HWND>(lParam);
    if (!scrolls_ || !IsWindow(control))
        return 0;
    RECT client;
    GetClientRect(hwnd(), &client);
    SCROLLINFO info;
    info.fMask = SIF_ALL;
    GetScrollInfo(hwnd(), SB_VERT, &info);
    const auto target = EnsureVisiblePosition(childRect(hwnd(), control), client, info.nPos,
                                              info.nMax, static_cast<int>(info.nPage));
    if (target.has_value())
        PostMessage(hwnd(), WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, *target), 0);
    return 0;
}

LRESULT CScrollDialog::OnSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = defaultProc(WM_SIZE, wParam, lParam);
    if (scrolls_)
        ResetScrollBar(HIWORD(lParam));
    return result;
}

void CScrollDialog::ResetScrollBar(int cy) {
    // Back at the top, the controls return to their places with the thumb.
    if (scrollPosition_ != 0)
        ScrollBy(-scrollPosition_);
    viewHeight_ = cy;
    const int range = ScrollRange(contentHeight_, cy);
    SCROLLINFO info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
    info.nMin = 0;
    info.nMax = range;
    info.nPage = static_cast<UINT>(range / 10);
    info.nPos = 0;
    SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
}

LRESULT CScrollDialog::OnVScroll(WPARAM wParam, LPARAM lParam) {
    if (scrolls_) {
        const int range = ScrollRange(contentHeight_, viewHeight_);
        const auto requested = static_cast<short>(HIWORD(wParam));
        if (const auto delta =
                ScrollAmount(LOWORD(wParam), requested, scrollPosition_, range, viewHeight_))
            ScrollBy(*delta);
    }
    return defaultProc(WM_VSCROLL, wParam, lParam);
}

void CScrollDialog::ScrollBy(int delta) {
    if (delta == 0)
        return;
    scrollPosition_ += delta;
    SCROLLINFO info;
    info.fMask = SIF_POS;
    info.nPos = scrollPosition_;
    SetScrollInfo(hwnd(), SB_VERT, &info, TRUE);
    ScrollWindowEx(hwnd(), 0, -delta, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
}

LRESULT CScrollDialog::OnPenDown(WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd(), WM_LBUTTONDOWN, wParam, lParam);
}

} // namespace shell
