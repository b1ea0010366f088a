#pragma once
// Files dropped from the desktop onto a window. A window that accepts files (DragAcceptFiles)
// is posted WM_DROPFILES with an HDROP in wParam when files are dropped on it or on a child
// that does not accept them itself; the receiver reads the paths and frees the drop.

#include "platform/WinTypes.h"

struct PlatformDrop;
using HDROP = PlatformDrop*;

// Lets `hwnd` receive dropped files (accept TRUE) or stops it (FALSE).
void DragAcceptFiles(HWND hwnd, BOOL accept);
// index 0xFFFFFFFF: the number of files. Otherwise the length of path `index` in characters
// (NUL not counted), copying as much as fits (NUL-terminated) when `buffer` is given; 0 for
// an index past the end.
UINT DragQueryFile(HDROP drop, UINT index, WCHAR* buffer, UINT size);
// Where the files were dropped, in the receiving window's client coordinates; TRUE when the
// point lies inside its client area.
BOOL DragQueryPoint(HDROP drop, POINT* point);
// Frees the drop; a drop that is never finished is freed when its window goes.
void DragFinish(HDROP drop);
