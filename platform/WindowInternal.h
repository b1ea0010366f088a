#pragma once
// What stands behind a window handle, and the helpers the window layer's files share.
// Platform-only: includes the toolkit.

#include "platform/Window.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class FrameWidget;
class ClientWidget;

// A registered window class.
struct WindowClass {
    WNDCLASS wc{};
    std::u16string name;
    ATOM atom = 0;
    int windows = 0; // live windows of this class
};

// One scroll bar's program-side state; the toolkit bar only mirrors it.
struct ScrollBarState {
    int minPos = 0;
    int maxPos = 0;
    UINT page = 0;
    int pos = 0;
    bool shown = false;
    bool enabled = true;
    bool tracking = false; // the user is dragging the thumb
    int trackPos = 0;
};

} // namespace platform

// The object behind an HWND. Its frame widget owns it; the handle stays valid (IsWindow)
// from creation until DestroyWindow, and the object itself lives until the widget is deleted.
struct PlatformWindow {
    std::uint64_t serial = 0;
    std::shared_ptr<platform::WindowClass> windowClass;
    WNDPROC proc = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    LONG_PTR userData = 0;
    int id = 0;
    HWND parent = nullptr;
    HINSTANCE instance = nullptr;
    std::u16string text;
    bool alive = true;

    platform::FrameWidget* frame = nullptr;
    platform::ClientWidget* client = nullptr;

    QImage backing; // the client area as last painted
    QRegion update; // the update region, client coordinates
    bool erasePending = false;
    bool paintQueued = false;
    std::optional<QRegion> windowRegion; // visible region in window coordinates
    platform::ScrollBarState vbar;
    platform::ScrollBarState hbar;
    QSize clientSize{-1, -1}; // as last reported with WM_SIZE
    QPoint position{0, 0};    // as last reported with WM_MOVE
    // The attached input context (unset: the default one; null: detached), and whether the
    // window last asked for the system's composition window (WM_IME_SETCONTEXT).
    std::optional<HIMC> inputContext;
    bool showsSystemComposition = true;
    int sizeNesting = 0;
    // A dialog's soft-key bar, docked below the client area.
    HWND dockedBar = nullptr;
};

namespace platform {

// The window behind a handle while it is live; nullptr otherwise.
PlatformWindow* liveWindow(HWND hwnd);
// Every live window, in creation order.
std::vector<HWND> liveWindows();
// Records a new window as live and gives it a serial; removes it again.
void registerWindow(HWND hwnd);
void unregisterWindow(HWND hwnd);
// The serial of a live window (posted messages check it, so a reused address never receives
// a message meant for a destroyed window); 0 when not live.
std::uint64_t windowSerial(HWND hwnd);

// Lays out scroll bars and the client area after a size or bar change; resizes the backing
// image, invalidates what is new and sends WM_SIZE when the client size changed.
void syncClientArea(HWND hwnd);
// Asks for WM_PAINT to be sent once the posted messages have run.
void schedulePaint(HWND hwnd);
// Sends WM_PAINT when the window is shown and its update region is not empty.
void paintIfNeeded(HWND hwnd);

// Fills the update area with the class background brush; 1 when there is one, else 0.
LRESULT eraseBackground(HWND hwnd, HDC dc);

// Gives a widget the toolkit's keyboard focus without it echoing back as a SetFocus.
void setFocusQuietly(QWidget* widget);
// True while setFocusQuietly runs.
bool focusBeingSetQuietly();
// The desktop took the keyboard from hwnd: it gets WM_KILLFOCUS and nobody has the focus.
void loseFocusToDesktop(HWND hwnd);
// A modal box or dialog ended: its owner's window becomes the active one again unless another
// window took the activation meanwhile (a desktop without a window manager would leave it to
// nobody).
void returnActivationTo(QWidget* owner, const QWidget* closing);

// Focus, capture and caret bookkeeping for a window being destroyed.
void forgetFocusAndCapture(HWND hwnd);
void forgetCaret(HWND hwnd);
void killTimersOf(HWND hwnd);
// Stops and frees every timer before the toolkit goes away.
void releaseAllTimers();

// Releases every window, timer and modal answer without sending messages; the application
// calls it before the toolkit goes away.
void shutdownWindowLayer();

// Runs posted messages and paints until none is left (bounded).
void drainPostedMessages();

// True on the headless display, where nobody can see or answer a window.
bool headlessDisplay();

// Conversions between RECT and the toolkit's rectangles.
QRect toQRect(const RECT& r);
RECT toRECT(const QRect& r);

} // namespace platform
