#include "platform/ClientWidget.h"
#include "platform/FrameWidget.h"
#include "platform/IconInternal.h"
#include "platform/InputMethodInternal.h"
#include "platform/WindowClassRegistry.h"
#include "platform/WindowInternal.h"

#include <QPointer>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace platform {

namespace {

struct LiveWindows {
    std::vector<std::pair<HWND, std::uint64_t>> windows; // in creation order
    std::uint64_t nextSerial = 1;
};

LiveWindows& live() {
    static LiveWindows l;
    return l;
}

auto findLive(HWND hwnd) {
    auto& w = live().windows;
    return std::find_if(w.begin(), w.end(), [hwnd](const auto& e) { return e.first == hwnd; });
}

// Children of hwnd in creation order.
std::vector<HWND> childrenOf(HWND hwnd) {
    std::vector<HWND> result;
    for (const auto& [w, serial] : live().windows) {
        if (w->parent == hwnd)
            result.push_back(w);
    }
    return result;
}

void sendDestroy(HWND hwnd) {
    if (!IsWindow(hwnd))
        return;
    SendMessage(hwnd, WM_DESTROY, 0, 0);
    for (HWND child : childrenOf(hwnd))
        sendDestroy(child);
}

// WM_NCDESTROY goes to the children before their parent; then each handle stops being valid.
void finishDestroy(HWND hwnd) {
    for (HWND child : childrenOf(hwnd))
        finishDestroy(child);
    if (!IsWindow(hwnd))
        return;
    killTimersOf(hwnd);
    forgetCaret(hwnd);
    forgetFocusAndCapture(hwnd);
    forgetInputMethodWindow(hwnd);
    SendMessage(hwnd, WM_NCDESTROY, 0, 0);
    hwnd->alive = false;
    hwnd->windowClass->windows -= 1;
    unregisterWindow(hwnd);
}

} // namespace

PlatformWindow* liveWindow(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    return findLive(hwnd) != live().windows.end() ? hwnd : nullptr;
}

std::vector<HWND> liveWindows() {
    std::vector<HWND> result;
    for (const auto& [w, serial] : live().windows)
        result.push_back(w);
    return result;
}

void registerWindow(HWND hwnd) {
    hwnd->serial = live().nextSerial++;
    live().windows.emplace_back(hwnd, hwnd->serial);
}

void unregisterWindow(HWND hwnd) {
    const auto it = findLive(hwnd);
    if (it != live().windows.end())
        live().windows.erase(it);
}

std::uint64_t windowSerial(HWND hwnd) {
    const auto it = findLive(hwnd);
    return it != live().windows.end() ? it->second : 0;
}

void shutdownWindowLayer() {
    std::vector<QPointer<FrameWidget>> frames;
    for (const auto& [w, serial] : live().windows) {
        killTimersOf(w);
        forgetCaret(w);
        forgetFocusAndCapture(w);
        w->alive = false;
        if (w->parent == nullptr || (w->style & WS_CHILD) == 0)
            frames.emplace_back(w->frame);
    }
    live().windows.clear();
    for (auto& f : frames)
        delete f.data();
}

} // namespace platform

HWND CreateWindowEx(DWORD exStyle, const char16_t* className, const char16_t* windowName,
                    DWORD style, int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                    HINSTANCE instance, void* param) {
    using namespace platform;
    if (className == nullptr)
        return nullptr;
    const auto windowClass = findWindowClass(className);
    if (!windowClass)
        return nullptr;
    const bool child = (style & WS_CHILD) != 0;
    if (parent != nullptr && !IsWindow(parent))
        return nullptr;
    if (child && parent == nullptr)
        return nullptr;

    auto owned = std::make_unique<PlatformWindow>();
    HWND hwnd = owned.get();
    hwnd->windowClass = windowClass;
    hwnd->proc = windowClass->wc.lpfnWndProc;
    hwnd->style = style & ~WS_VISIBLE;
    hwnd->exStyle = exStyle;
    hwnd->parent = parent;
    hwnd->instance = instance;
    hwnd->id = child ? static_cast<int>(reinterpret_cast<std::intptr_t>(menuOrId)) : 0;
    hwnd->vbar.shown = (style & WS_VSCROLL) != 0;
    hwnd->hbar.shown = (style & WS_HSCROLL) != 0;

    QWidget* parentWidget = parent != nullptr ? static_cast<QWidget*>(parent->client) : nullptr;
    auto* frame = new FrameWidget(std::move(owned), parentWidget, !child);
    if (!child && windowClass->wc.hIcon != nullptr)
        frame->setWindowIcon(toolkitIcon(static_cast<HICON>(windowClass->wc.hIcon)));
    // A window made disabled takes no input until enabled.
    if ((style & WS_DISABLED) != 0)
        frame->setEnabled(false);
    if (x == CW_USEDEFAULT) {
        x = 0;
        y = 0;
    }
    if (width == CW_USEDEFAULT) {
        width = child ? 0 : 480;
        height = child ? 0 : 640;
    }
    width = std::max(width, 0);
    height = std::max(height, 0);
    frame->setGeometry(x, y, width, height);
    hwnd->position = QPoint(x, y);
    // The client area can be drawn on from WM_CREATE on (GetDC, compatible contexts).
    const QSize client = frame->clientGeometry().size();
    hwnd->backing = QImage(client.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    hwnd->backing.fill(Qt::white);
    windowClass->windows += 1;
    registerWindow(hwnd);

    CREATESTRUCT cs;
    cs.lpCreateParams = param;
    cs.hInstance = instance;
    cs.hMenu = menuOrId;
    cs.hwndParent = parent;
    cs.cx = width;
    cs.cy = height;
    cs.x = x;
    cs.y = y;
    cs.style = static_cast<LONG>(style);
    cs.lpszName = windowName;
    cs.lpszClass = className;
    cs.dwExStyle = exStyle;
    const auto csParam = reinterpret_cast<LPARAM>(&cs);

    if (SendMessage(hwnd, WM_NCCREATE, 0, csParam) == FALSE) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd) || SendMessage(hwnd, WM_CREATE, 0, csParam) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (!IsWindow(hwnd))
        return nullptr;
    syncClientArea(hwnd);
    if (IsWindow(hwnd))
        SendMessage(hwnd, WM_MOVE, 0, MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)));
    if (IsWindow(hwnd) && (style & WS_VISIBLE) != 0)
        ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

HWND CreateWindow(const char16_t* className, const char16_t* windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                  void* param) {
    return CreateWindowEx(0, className, windowName, style, x, y, width, height, parent, menuOrId,
                          instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
    using namespace platform;
    if (!IsWindow(hwnd))
        return FALSE;
    FrameWidget* frame = hwnd->frame;
    // The widget may be in the middle of delivering the event that led here, so it only
    // disappears now and is deleted once control is back in the event loop.
    frame->hide();
    sendDestroy(hwnd);
    finishDestroy(hwnd);
    frame->deleteLater();
    return TRUE;
}

BOOL IsWindow(HWND hwnd) {
    return platform::liveWindow(hwnd) != nullptr ? TRUE : FALSE;
}
