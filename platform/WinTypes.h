#pragma once
// The basic types of the Win32-style API that the editor's code is written against.
// Handles are opaque pointers; only platform/ knows what stands behind them.

#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using BOOL = int;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;
using WCHAR = char16_t;

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

struct PlatformWindow;
using HWND = PlatformWindow*;

// Drawing and user-interface handles. The drawing objects form one class family (the drawing
// library defines it) so that a context can select any of them through HGDIOBJ.
namespace platform::gdi {
class Object;
class Font;
class Pen;
class Brush;
class Bitmap;
class Region;
class DeviceContext;
} // namespace platform::gdi
struct PlatformMenu;
struct PlatformCursor;
using HGDIOBJ = platform::gdi::Object*;
using HFONT = platform::gdi::Font*;
using HPEN = platform::gdi::Pen*;
using HBRUSH = platform::gdi::Brush*;
using HBITMAP = platform::gdi::Bitmap*;
using HRGN = platform::gdi::Region*;
using HDC = platform::gdi::DeviceContext*;
using HMENU = PlatformMenu*;
using HCURSOR = PlatformCursor*;
using HINSTANCE = void*;
using HANDLE = void*;
using HGLOBAL = void*;
using ATOM = WORD;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;

struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};

// One message as the message loop sees it before dispatch.
struct MSG {
    HWND hwnd = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    DWORD time = 0;
    POINT pt;
};

struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};

constexpr WORD LOWORD(std::uintptr_t value) {
    return static_cast<WORD>(value & 0xFFFF);
}
constexpr WORD HIWORD(std::uintptr_t value) {
    return static_cast<WORD>((value >> 16) & 0xFFFF);
}
constexpr LONG MAKELONG(WORD low, WORD high) {
    return static_cast<LONG>(static_cast<DWORD>(low) | (static_cast<DWORD>(high) << 16));
}
constexpr WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<DWORD>(MAKELONG(low, high));
}
constexpr LPARAM MAKELPARAM(WORD low, WORD high) {
    return MAKELONG(low, high);
}
// Client coordinates travel as signed 16-bit halves of lParam.
constexpr int GET_X_LPARAM(LPARAM lp) {
    return static_cast<std::int16_t>(LOWORD(lp));
}
constexpr int GET_Y_LPARAM(LPARAM lp) {
    return static_cast<std::int16_t>(HIWORD(lp));
}

constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr int GetRValue(COLORREF c) {
    return c & 0xFF;
}
constexpr int GetGValue(COLORREF c) {
    return (c >> 8) & 0xFF;
}
constexpr int GetBValue(COLORREF c) {
    return (c >> 16) & 0xFF;
}
