#include "platform/StaticControl.h"

#include "platform/Gdi.h"
#include "platform/StandardControls.h"
#include "platform/Window.h"

#include <unordered_map>

namespace platform {

namespace {

// The font given with WM_SETFONT; none means the font a device context starts with, the one
// a label is measured with.
std::unordered_map<HWND, HFONT>& fonts() {
    static std::unordered_map<HWND, HFONT> map;
    return map;
}

void paint(HWND hwnd) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    if (dc == nullptr)
        return;
    RECT client;
    GetClientRect(hwnd, &client);
    const HWND parent = GetParent(hwnd);
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    auto brush = reinterpret_cast<HBRUSH>(
        parent != nullptr ? SendMessage(parent, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                        reinterpret_cast<LPARAM>(hwnd))
                          : 0);
    if (brush == nullptr) {
        brush = GetSysColorBrush(COLOR_BTNFACE);
        SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    }
    FillRect(dc, &client, brush);
    if (const auto it = fonts().find(hwnd); it != fonts().end() && it->second != nullptr)
        SelectObject(dc, it->second);
    SetBkMode(dc, TRANSPARENT);
    const int length = GetWindowTextLength(hwnd);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    const DWORD style = static_cast<DWORD>(GetWindowLong(hwnd, GWL_STYLE));
    UINT format = DT_NOPREFIX | DT_SINGLELINE;
    if ((style & SS_TYPEMASK) == SS_CENTER)
        format |= DT_CENTER;
    else if ((style & SS_TYPEMASK) == SS_RIGHT)
        format |= DT_RIGHT;
    if ((style & SS_CENTERIMAGE) != 0)
        format |= DT_VCENTER;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, format);
    EndPaint(hwnd, &ps);
}

} // namespace

LRESULT StaticControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        paint(hwnd);
        return 0;
    case WM_ERASEBKGND:
        return 1; // painting covers everything
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProc(hwnd, msg, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return result;
    }
    case WM_SETFONT:
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        fonts()[hwnd] = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0)
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT: {
        const auto it = fonts().find(hwnd);
        return it != fonts().end() ? reinterpret_cast<LRESULT>(it->second) : 0;
    }
    case WM_ENABLE:
        InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_NCDESTROY:
        fonts().erase(hwnd);
        return DefWindowProc(hwnd, msg, wParam, lParam);
    default:
        return DefWindowProc(hwnd, msg, wParam, lParam);
    }
}

} // namespace platform
