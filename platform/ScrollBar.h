#pragma once
// The scroll bars a window gets from WS_VSCROLL / WS_HSCROLL. The program owns their state:
// a user action never moves a bar by itself, it arrives as WM_VSCROLL / WM_HSCROLL with
// the standard codes and the window procedure sets the new position.

#include "platform/WinTypes.h"

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

// Sets the parts of a bar that fMask names (SB_VERT or SB_HORZ); the position is clamped to
// min..max - max(page - 1, 0). A bar with nothing to scroll is hidden, or disabled with
// SIF_DISABLENOSCROLL. Returns the new position.
int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw);
// Reads the parts of a bar that fMask names; nTrackPos is the thumb's position while the
// user drags it. FALSE when the window has no such bar.
BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info);
// Sets the position only; returns the previous one.
int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw);
// The current position.
int GetScrollPos(HWND hwnd, int bar);
// Sets the range only.
BOOL SetScrollRange(HWND hwnd, int bar, int minPos, int maxPos, BOOL redraw);
// Enables (ESB_ENABLE_BOTH) or disables (ESB_DISABLE_BOTH) a bar or both (SB_BOTH).
BOOL EnableScrollBar(HWND hwnd, UINT bar, UINT arrows);
// Shows or hides a bar or both (SB_BOTH); the client area changes and WM_SIZE follows.
BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show);
