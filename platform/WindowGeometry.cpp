#include "platform/ClientWidget.h"
#include "platform/FrameWidget.h"
#include "platform/WindowInternal.h"

#include <QApplication>
#include <QGuiApplication>
#include <QScreen>

namespace {

// The widget whose coordinates are a window's client coordinates; null for the desktop.
QWidget* clientOf(HWND hwnd) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    return w != nullptr ? w->client : nullptr;
}

// The desktop window stands for the part of the screen programs may use (without the
// desktop's own panels).
QRect screenRect() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 480, 640);
}

// A stand-in object for the desktop's handle; it never becomes a live window.
PlatformWindow& desktopWindow() {
    static PlatformWindow desktop;
    return desktop;
}

} // namespace

namespace platform {

bool headlessDisplay() {
    return QGuiApplication::platformName() == QStringLiteral("offscreen");
}

QRect toQRect(const RECT& r) {
    return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

RECT toRECT(const QRect& r) {
    return RECT{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
}

} // namespace platform

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags) {
    using namespace platform;
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr)
        return FALSE;
    FrameWidget* frame = w->frame;
    QRect g = frame->geometry();
    if ((flags & SWP_NOMOVE) == 0)
        g.moveTopLeft(QPoint(x, y));
    if ((flags & SWP_NOSIZE) == 0)
        g.setSize(QSize(std::max(width, 0), std::max(height, 0)));
    const bool moved = g.topLeft() != w->position;
    frame->setGeometry(g);
    if ((flags & SWP_NOZORDER) == 0) {
        if (insertAfter == HWND_BOTTOM)
            frame->lower();
        else if (insertAfter == HWND_TOP || insertAfter == HWND_TOPMOST)
            frame->raise();
        else if (PlatformWindow* after = liveWindow(insertAfter); after != nullptr)
            frame->stackUnder(after->frame);
    }
    syncClientArea(hwnd);
    if (IsWindow(hwnd) && moved) {
        w->position = g.topLeft();
        SendMessage(hwnd, WM_MOVE, 0,
                    MAKELPARAM(static_cast<WORD>(g.left()), static_cast<WORD>(g.top())));
    }
    if (!IsWindow(hwnd))
        return TRUE;
    if ((flags & SWP_FRAMECHANGED) != 0 && (flags & SWP_NOREDRAW) == 0)
        InvalidateRect(hwnd, nullptr, TRUE);
    if ((flags & SWP_SHOWWINDOW) != 0)
        ShowWindow(hwnd, (flags & SWP_NOACTIVATE) ? SW_SHOWNA : SW_SHOW);
    else if ((flags & SWP_HIDEWINDOW) != 0)
        ShowWindow(hwnd, SW_HIDE);
    return TRUE;
}

BOOL ShowWindow(HWND hwnd, int command) {
    using namespace platform;
    PlatformWindow* w = liveWindow(hwnd);
    if (w == nullptr)
        return FALSE;
    FrameWidget* frame = w->frame;
    const bool wasVisible = !frame->isHidden();
    const bool show = command != SW_HIDE;
    if (show != wasVisible) {
        SendMessage(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
        if (!IsWindow(hwnd))
            return wasVisible ? TRUE : FALSE;
    }
    switch (command) {
    case SW_HIDE:
        frame->hide();
        break;
    case SW_SHOWMAXIMIZED:
        frame->showMaximized();
        break;
    case SW_MINIMIZE:
    case SW_SHOWMINIMIZED:
    case SW_SHOWMINNOACTIVE:
        frame->showMinimized();
        break;
    case SW_RESTORE:
        frame->showNormal();
        break;
    default:
        if (frame->isWindow() && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE) {
            frame->show();
            frame->activateWindow();
        } else {
            frame->show();
        }
        break;
    }
    syncClientArea(hwnd);
    return wasVisible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    return w != nullptr && w->frame->isVisible() ? TRUE : FALSE;
}

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return FALSE;
    const bool wasDisabled = (w->style & WS_DISABLED) != 0;
    if (enable)
        w->style &= ~WS_DISABLED;
    else
        w->style |= WS_DISABLED;
    w->frame->setEnabled(enable != FALSE);
    if (wasDisabled == (enable != FALSE))
        SendMessage(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    return wasDisabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    return w != nullptr && (w->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL SetForegroundWindow(HWND hwnd) {
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return FALSE;
    QWidget* top = w->frame->window();
    if (top->isMinimized())
        top->showNormal();
    top->raise();
    top->activateWindow();
    return TRUE;
}

HWND GetActiveWindow() {
    const QWidget* active = QApplication::activeWindow();
    for (HWND w : platform::liveWindows()) {
        if (w->frame == active)
            return w;
    }
    return nullptr;
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
    if (rect == nullptr)
        return FALSE;
    if (hwnd == GetDesktopWindow()) {
        const QRect s = screenRect();
        *rect = RECT{0, 0, s.width(), s.height()};
        return TRUE;
    }
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return FALSE;
    const QSize size = w->frame->clientGeometry().size();
    *rect = RECT{0, 0, size.width(), size.height()};
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
    if (rect == nullptr)
        return FALSE;
    if (hwnd == GetDesktopWindow()) {
        *rect = platform::toRECT(screenRect());
        return TRUE;
    }
    PlatformWindow* w = platform::liveWindow(hwnd);
    if (w == nullptr)
        return FALSE;
    const QWidget* frame = w->frame;
    const QRect outer = frame->isWindow() ? frame->frameGeometry() : frame->rect();
    const QPoint origin = frame->isWindow() ? outer.topLeft() : frame->mapToGlobal(QPoint(0, 0));
    *rect = platform::toRECT(QRect(origin, outer.size()));
    return TRUE;
}

HWND GetDesktopWindow() {
    return &desktopWindow();
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    QWidget* client = clientOf(hwnd);
    if (client == nullptr || point == nullptr)
        return FALSE;
    const QPoint p = client->mapToGlobal(QPoint(point->x, point->y));
    *point = POINT{p.x(), p.y()};
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    QWidget* client = clientOf(hwnd);
    if (client == nullptr || point == nullptr)
        return FALSE;
    const QPoint p = client->mapFromGlobal(QPoint(point->x, point->y));
    *point = POINT{p.x(), p.y()};
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    QPoint shift(0, 0);
    if (QWidget* f = clientOf(from))
        shift += f->mapToGlobal(QPoint(0, 0));
    if (QWidget* t = clientOf(to))
        shift -= t->mapToGlobal(QPoint(0, 0));
    for (UINT i = 0; points != nullptr && i < count; ++i) {
        points[i].x += shift.x();
        points[i].y += shift.y();
    }
    return MAKELONG(static_cast<WORD>(shift.x()), static_cast<WORD>(shift.y()));
}
