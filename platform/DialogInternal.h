#pragma once
// What the dialog files share: the state of a live dialog window. Platform-only.

#include "platform/Dialog.h"

#include <QSize>

class QEventLoop;

namespace platform {

struct DialogState {
    DLGPROC proc = nullptr;
    bool modal = false;
    bool ended = false;
    INT_PTR result = 0;
    HFONT font = nullptr;
    bool ownsFont = false;
    QSize baseUnits{8, 16}; // average character width and height of the dialog font
    int defaultId = IDOK;
    QEventLoop* loop = nullptr;
};

// The state of a live dialog window, or null for any other window.
DialogState* dialogState(HWND hwnd);
// The dialog hwnd belongs to (itself, or the nearest dialog among its ancestors), or null.
HWND dialogOf(HWND hwnd);
// The dialog's direct child that contains hwnd, or null.
HWND dialogChildOf(HWND dialog, HWND hwnd);
// The class procedure of dialog windows.
LRESULT dialogWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Puts a soft-key bar made for a dialog along the dialog's bottom edge, below its client
// area, so it neither covers nor scrolls with the controls.
void dockSoftKeyBar(HWND dialog, HWND bar);

} // namespace platform
