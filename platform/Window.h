#pragma once
// The window manager: window classes with window procedures, creation and destruction,
// messages sent and posted, the per-window slots, geometry, timers, focus and capture.
// Everything runs on the one user-interface thread. Including this header brings in the
// whole window API (painting, scroll bars, caret, input state, the input method, cursors,
// clipboard, menus and message boxes).

#include "platform/Messages.h"
#include "platform/WinTypes.h"

#include "platform/Caret.h"
#include "platform/Clipboard.h"
#include "platform/Cursor.h"
#include "platform/Input.h"
#include "platform/InputMethod.h"
#include "platform/Menu.h"
#include "platform/MessageBox.h"
#include "platform/Paint.h"
#include "platform/ScrollBar.h"

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using TIMERPROC = void (*)(HWND, UINT, UINT_PTR, DWORD);

struct WNDCLASS {
    UINT style = 0;
    WNDPROC lpfnWndProc = nullptr;
    int cbClsExtra = 0;
    int cbWndExtra = 0;
    HINSTANCE hInstance = nullptr;
    void* hIcon = nullptr;
    HCURSOR hCursor = nullptr;
    HBRUSH hbrBackground = nullptr; // null: the window procedure paints its whole background
    const char16_t* lpszMenuName = nullptr;
    const char16_t* lpszClassName = nullptr;
};

// What WM_NCCREATE and WM_CREATE receive in lParam. For a child window hMenu carries the
// child id.
struct CREATESTRUCT {
    void* lpCreateParams = nullptr;
    HINSTANCE hInstance = nullptr;
    HMENU hMenu = nullptr;
    HWND hwndParent = nullptr;
    int cy = 0;
    int cx = 0;
    int y = 0;
    int x = 0;
    LONG style = 0;
    const char16_t* lpszName = nullptr;
    const char16_t* lpszClass = nullptr;
    DWORD dwExStyle = 0;
};

// lParam of WM_STYLECHANGING and WM_STYLECHANGED; wParam is GWL_STYLE or GWL_EXSTYLE.
struct STYLESTRUCT {
    DWORD styleOld = 0;
    DWORD styleNew = 0;
};

// A child id travels in the HMENU argument of CreateWindowEx, as on the handheld system.
inline HMENU childId(int id) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    return reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id));
}

// Registers a window class by name; returns its atom, or 0 when the name is taken or missing.
ATOM RegisterClass(const WNDCLASS* wc);
// Forgets a class; fails (FALSE) while windows of it exist or when it is unknown.
BOOL UnregisterClass(const char16_t* className, HINSTANCE instance);
// Copies a registered class's description; FALSE when unknown.
BOOL GetClassInfo(HINSTANCE instance, const char16_t* className, WNDCLASS* out);

// Creates a window of a registered class; sends WM_NCCREATE and WM_CREATE (lParam points to
// the CREATESTRUCT) and then WM_SIZE, WM_SHOWWINDOW as needed. Returns null when the class is
// unknown, a child has no parent, or WM_NCCREATE returns FALSE / WM_CREATE returns -1 (the
// half-made window is destroyed again with WM_DESTROY and WM_NCDESTROY).
HWND CreateWindowEx(DWORD exStyle, const char16_t* className, const char16_t* windowName,
                    DWORD style, int x, int y, int width, int height, HWND parent, HMENU menuOrId,
                    HINSTANCE instance, void* param);
// CreateWindowEx without extended style.
HWND CreateWindow(const char16_t* className, const char16_t* windowName, DWORD style, int x, int y,
                  int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance,
                  void* param);
// Destroys a window and its children: WM_DESTROY parent first, WM_NCDESTROY children first.
// Timers, capture, focus and the caret owned by them go too. FALSE for an invalid handle.
BOOL DestroyWindow(HWND hwnd);
// TRUE while hwnd names a live window.
BOOL IsWindow(HWND hwnd);

// Calls the window's procedure now and returns its answer; 0 for an invalid handle.
LRESULT SendMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Queues the message; it runs after the current message returns, in posting order. A null
// hwnd posts a thread message that is dropped. FALSE for an invalid handle. A message to a
// window destroyed before delivery is dropped.
BOOL PostMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Ends the message loop with the given exit code once the current message returns.
void PostQuitMessage(int exitCode);
// The default answers: WM_CLOSE destroys the window, WM_ERASEBKGND fills with the class
// brush, WM_GETTEXT/WM_SETTEXT/WM_GETTEXTLENGTH use the window text, WM_PAINT validates,
// WM_NCCREATE returns TRUE; wheel and context-menu messages go on to the parent; everything
// else is 0.
LRESULT DefWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Calls a window procedure saved from a replaced one (subclassing).
LRESULT CallWindowProc(WNDPROC proc, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Reads a slot: GWLP_USERDATA, GWL_STYLE, GWL_EXSTYLE, GWL_ID, GWLP_WNDPROC,
// GWLP_HWNDPARENT, GWLP_HINSTANCE. 0 for an unknown slot or invalid handle.
LONG_PTR GetWindowLongPtr(HWND hwnd, int index);
// Writes a slot and returns its previous value. Changing GWL_STYLE or GWL_EXSTYLE sends
// WM_STYLECHANGING (whose STYLESTRUCT the procedure may amend) and WM_STYLECHANGED; the new
// style takes effect at once (WS_VISIBLE shows or hides, WS_DISABLED, scroll bars, borders).
LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value);
// 32-bit forms of the two above.
LONG GetWindowLong(HWND hwnd, int index);
LONG SetWindowLong(HWND hwnd, int index, LONG value);

// The parent of a child window; null for a top-level window.
HWND GetParent(HWND hwnd);
// Related windows (GW_CHILD, GW_HWNDNEXT, GW_HWNDPREV, GW_HWNDFIRST, GW_HWNDLAST, GW_OWNER).
HWND GetWindow(HWND hwnd, UINT relation);
// The child id given at creation (or set with GWL_ID).
int GetDlgCtrlID(HWND hwnd);
// The first child of parent with the given id, or null.
HWND GetDlgItem(HWND parent, int id);
// The class name the window was created with, copied like GetWindowText; the length copied.
int GetClassName(HWND hwnd, char16_t* buffer, int size);

// Moves and sizes a window (parent client coordinates for a child, screen for top-level);
// sends WM_MOVE / WM_SIZE when they change and repaints all when repaint is TRUE.
BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint);
// Moves, sizes, shows or hides and reorders as the SWP_ flags say. insertAfter: HWND_TOP
// (null) or HWND_BOTTOM, or a sibling to follow.
BOOL SetWindowPos(HWND hwnd, HWND insertAfter, int x, int y, int width, int height, UINT flags);
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);     // NOLINT(performance-no-int-to-ptr)
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(-1);   // NOLINT(performance-no-int-to-ptr)
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(-2); // NOLINT(performance-no-int-to-ptr)
// Shows, hides, maximises or minimises; returns whether the window was visible before.
BOOL ShowWindow(HWND hwnd, int command);
// TRUE when the window and all its ancestors are shown.
BOOL IsWindowVisible(HWND hwnd);
// Enables or disables input; returns whether it was disabled before.
BOOL EnableWindow(HWND hwnd, BOOL enable);
// TRUE unless WS_DISABLED is set.
BOOL IsWindowEnabled(HWND hwnd);
// Brings a top-level window to the front and activates it.
BOOL SetForegroundWindow(HWND hwnd);
// The active top-level window of this program, or null.
HWND GetActiveWindow();
// The client area without scroll bars, from (0, 0).
BOOL GetClientRect(HWND hwnd, RECT* rect);
// The window's outer rectangle in screen coordinates (the desktop window gives the screen).
BOOL GetWindowRect(HWND hwnd, RECT* rect);
// The pseudo-window that stands for the whole screen.
HWND GetDesktopWindow();
// Converts between a window's client coordinates and the screen.
BOOL ClientToScreen(HWND hwnd, POINT* point);
BOOL ScreenToClient(HWND hwnd, POINT* point);
// Converts points between two windows' client coordinates (null = screen); returns
// MAKELONG(dx, dy) of the shift.
int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count);

// The window text (caption for a top-level window) through WM_SETTEXT / WM_GETTEXT.
BOOL SetWindowText(HWND hwnd, const char16_t* text);
int GetWindowText(HWND hwnd, char16_t* buffer, int size);
int GetWindowTextLength(HWND hwnd);

// Starts or restarts timer id of hwnd; each period a WM_TIMER (wParam = id, lParam = proc)
// arrives, or proc is called when given. With a null hwnd the id is chosen and returned.
// Returns 0 on failure.
UINT_PTR SetTimer(HWND hwnd, UINT_PTR id, UINT milliseconds, TIMERPROC proc);
// Stops a timer; a WM_TIMER for it never arrives afterwards. FALSE when there was none.
BOOL KillTimer(HWND hwnd, UINT_PTR id);
// Milliseconds since an arbitrary start, wrapping at 2^32.
DWORD GetTickCount();

// Gives the keyboard focus to hwnd (null: to nobody): WM_KILLFOCUS to the old window, then
// WM_SETFOCUS to the new one. Returns the previous focus window.
HWND SetFocus(HWND hwnd);
// The window with the keyboard focus, or null.
HWND GetFocus();
// Sends all mouse input to hwnd until ReleaseCapture; returns the previous capture window.
HWND SetCapture(HWND hwnd);
// Ends the capture; the old capture window gets WM_CAPTURECHANGED.
BOOL ReleaseCapture();
// The window that has the capture, or null.
HWND GetCapture();
