#pragma once
// Icons: small images made from image-file bytes, drawn into device contexts and shown as a
// top-level window's icon (WNDCLASS::hIcon).

#include "platform/WinTypes.h"

struct PlatformIcon;
using HICON = PlatformIcon*;

constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT DI_NORMAL = 0x0003;

// An icon from the bytes of an image file (PNG), scaled to cx x cy when both are non-zero;
// null when the bytes are not an image. Free it with DestroyIcon.
HICON CreateIconFromResourceEx(const BYTE* bits, DWORD size, BOOL icon, DWORD version, int cx,
                               int cy, UINT flags);
BOOL DestroyIcon(HICON icon);
// Draws the icon with its top left corner at (x, y), cx x cy pixels (0: its own size).
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH background,
                UINT flags);
