#pragma once
// The soft-key menu bar: a strip along the bottom of a window holding two soft keys. Each key
// stands for one top-level item of the bar's menu: it shows the item's text and opens the
// item's popup above itself, or posts the item's command to the bar's parent when it has no
// popup. The keys are pressed with the pointer or with the device's soft keys, which on a
// desktop are F1 and F2: they reach the topmost visible bar of the focused window's
// top-level window. Popups are tracked with the bar's parent as their owner, so the parent
// sees WM_ENTERMENULOOP, WM_INITMENUPOPUP (item states) and WM_EXITMENULOOP.

#include "platform/Messages.h"
#include "platform/WinTypes.h"

inline constexpr const char16_t* kSoftKeyBarClass = u"KivSoftKeyBar";

// Loads a menu into the bar (lParam: the HMENU, which the bar takes over and destroys with
// itself; its first two top-level items become the keys). TRUE when loaded.
constexpr UINT SKBM_SETMENU = WM_USER + 1;
// The popup of key wParam (0 or 1), or null when the key has none or does not exist.
constexpr UINT SKBM_GETBUTTONMENU = WM_USER + 2;
// Presses key wParam as the user would. TRUE when the key exists.
constexpr UINT SKBM_PRESS = WM_USER + 3;
// The number of keys (0 before a menu is loaded).
constexpr UINT SKBM_GETBUTTONCOUNT = WM_USER + 4;

// Creates a bar as a child of parent, placed along the bottom of the parent's client area
// at full width. Null when the parent is not a window.
HWND CreateSoftKeyBar(HWND parent, int id, DWORD style);
// The height of a bar in pixels.
int SoftKeyBarHeight();
// Whether hwnd is a soft-key bar.
bool IsSoftKeyBar(HWND hwnd);
// The bar that the soft keys reach from window hwnd: the topmost visible bar among the
// children of hwnd's top-level window; null when it has none.
HWND SoftKeyBarOf(HWND hwnd);

namespace platform {

// A soft-key bar as an object that can exist without its window: creating, loading and
// destroying the window are separate steps, so the bar can be rebuilt from its menu resource.
class SoftKeyMenuBar {
public:
    SoftKeyMenuBar() = default;
    ~SoftKeyMenuBar();
    SoftKeyMenuBar(const SoftKeyMenuBar&) = delete;
    SoftKeyMenuBar& operator=(const SoftKeyMenuBar&) = delete;

    // Creates the window (destroying one that exists); false on failure.
    bool create(HWND parent, int id, DWORD style);
    // Loads menu into the window, which takes it over (it is destroyed when there is no
    // window or loading fails); false then.
    bool loadMenu(HMENU menu);
    // Destroys the window, if any.
    void destroyWindow();
    // The window, or null.
    HWND hwnd() const;
    // The popup of key index, or null.
    HMENU buttonMenu(int index) const;

private:
    HWND hwnd_ = nullptr;
    std::uint64_t serial_ = 0; // tells the window from a later one at the same address
};

} // namespace platform
