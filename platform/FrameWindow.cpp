#include "platform/FrameWindow.h"

#include "platform/AppObject.h"
#include "platform/SoftKeyBar.h"

namespace platform {

FrameWindow::~FrameWindow() {
    if (accelerators_ != nullptr)
        DestroyAcceleratorTable(accelerators_);
}

void FrameWindow::setAccelerators(HACCEL table) {
    if (accelerators_ != nullptr && accelerators_ != table)
        DestroyAcceleratorTable(accelerators_);
    accelerators_ = table;
}

void FrameWindow::recalcLayout() {
    if (hwnd() == nullptr)
        return;
    RECT client;
    GetClientRect(hwnd(), &client);
    int barHeight = 0;
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsSoftKeyBar(child))
            continue;
        barHeight = SoftKeyBarHeight();
        SetWindowPos(child, nullptr, 0, client.bottom - barHeight, client.right, barHeight,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    HWND pane = view_ != nullptr ? view_->hwnd() : GetDlgItem(hwnd(), kFirstPaneId);
    if (pane != nullptr)
        MoveWindow(pane, 0, 0, client.right, std::max(0, client.bottom - barHeight), TRUE);
}

bool FrameWindow::preTranslateMessage(MSG& msg) {
    return accelerators_ != nullptr && TranslateAccelerator(hwnd(), accelerators_, &msg) != 0;
}

bool FrameWindow::routeCommand(UINT id, CommandState* query) {
    if (view_ != nullptr && view_->routeCommand(id, query))
        return true;
    if (handleOwnCommand(id, query))
        return true;
    AppObject* app = AppObject::current();
    return app != nullptr && app->routeCommand(id, query);
}

const MessageMap& FrameWindow::messageMap() const {
    static constexpr MessageEntry entries[] = {
        onMessage<WM_SIZE, &FrameWindow::OnSize>(),
        onMessage<WM_SETFOCUS, &FrameWindow::OnSetFocus>(),
        onMessage<WM_ACTIVATE, &FrameWindow::OnActivate>(),
        onMessage<WM_DESTROY, &FrameWindow::OnDestroy>(),
    };
    static const MessageMap map{&WindowObject::messageMap(), entries};
    return map;
}

LRESULT FrameWindow::OnSize(WPARAM wParam, LPARAM lParam) {
    recalcLayout();
    return defaultProc(WM_SIZE, wParam, lParam);
}

LRESULT FrameWindow::OnSetFocus(WPARAM /*wParam*/, LPARAM /*lParam*/) {
    if (view_ != nullptr && view_->hwnd() != nullptr)
        SetFocus(view_->hwnd());
    return 0;
}

LRESULT FrameWindow::OnActivate(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = defaultProc(WM_ACTIVATE, wParam, lParam);
    if (LOWORD(wParam) == WA_INACTIVE || hwnd() == nullptr)
        return result;
    HWND focus = GetFocus();
    while (focus != nullptr && focus != hwnd())
        focus = (GetWindowLong(focus, GWL_STYLE) & WS_CHILD) != 0 ? GetParent(focus) : nullptr;
    if (focus == nullptr)
        SetFocus(hwnd());
    return result;
}

LRESULT FrameWindow::OnDestroy(WPARAM wParam, LPARAM lParam) {
    AppObject* app = AppObject::current();
    if (app != nullptr && app->mainWindow() == this) {
        app->setMainWindow(nullptr);
        PostQuitMessage(0);
    }
    return defaultProc(WM_DESTROY, wParam, lParam);
}

} // namespace platform
