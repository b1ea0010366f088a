#pragma once
// Invalidation and the painting protocol. Each window keeps an update region; WM_PAINT is
// sent when it is not empty, either by UpdateWindow or when the posted messages have run.
// A window procedure draws with the context BeginPaint hands out, clipped to that region.

#include "platform/WinTypes.h"

struct PAINTSTRUCT {
    HDC hdc = nullptr;
    BOOL fErase = FALSE; // TRUE when the background still needs erasing
    RECT rcPaint{};      // bounding rectangle of the region being painted
    BOOL fRestore = FALSE;
    BOOL fIncUpdate = FALSE;
    BYTE rgbReserved[32]{};
};

// Adds rect (null: the whole client area) to the update region; erase asks for WM_ERASEBKGND.
BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase);
// Adds a region to the update region.
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase);
// Removes rect (null: everything) from the update region.
BOOL ValidateRect(HWND hwnd, const RECT* rect);
// The bounding rectangle of the update region; FALSE when it is empty. Erases first when
// erase is TRUE and an erase is pending.
BOOL GetUpdateRect(HWND hwnd, RECT* rect, BOOL erase);
// Starts painting: sends WM_ERASEBKGND when an erase is pending, fills ps, hands out a
// context clipped to the update region and empties the update region.
HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps);
// Ends painting and shows what was drawn.
BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps);
// Sends WM_PAINT now when the update region is not empty.
BOOL UpdateWindow(HWND hwnd);
// Scrolls the client area's pixels by (dx, dy) inside scroll (null: the client area),
// clipped to clip (null: no extra clip). The part of the update region inside scroll moves
// with the pixels. The uncovered band goes to updateRegion / updateRect when given, and into
// the update region with SW_INVALIDATE (and an erase with SW_ERASE). Returns the band's kind:
// 1 empty, 2 one rectangle, 3 complex, 0 on error.
int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip,
                   HRGN updateRegion, RECT* updateRect, UINT flags);
// Limits the window's visible area to region (null: no limit) and takes ownership of it.
// Drawing outside it is clipped. Returns 0 on failure.
int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw);
// Copies the window region (window coordinates) into region; its kind (NULLREGION,
// SIMPLEREGION, COMPLEXREGION), or 0 when the window has none.
int GetWindowRgn(HWND hwnd, HRGN region);
// A context for drawing on the window's client area outside WM_PAINT; give it back with
// ReleaseDC, which shows what was drawn.
HDC GetDC(HWND hwnd);
// Frees a context from GetDC; returns 1 when it was one.
int ReleaseDC(HWND hwnd, HDC dc);
