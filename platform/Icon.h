#pragma once
// Icons: small images with transparency. The program's icons are image files (PNG) held as
// resources; an icon is made from such a file's bytes, drawn into device contexts, and shown
// by the desktop for every top-level window whose class names one.

#include "platform/Gdi.h"

#include <span>

struct PlatformIcon;
using HICON = PlatformIcon*;

constexpr UINT DI_NORMAL = 0x0003;

// An icon from the bytes of an image file; null when they are not an image.
HICON CreateIconFromImage(std::span<const unsigned char> bytes);
// Frees an icon; FALSE for null.
BOOL DestroyIcon(HICON icon);
// Draws icon at (x, y) scaled to cx x cy (0 x 0: the system's icon size), keeping what
// shows through its transparent parts. Only DI_NORMAL is known; step and flicker are unused.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker,
                UINT flags);
