#pragma once
// A dialog described as data: its caption, size and font, and its controls with their class
// names, ids, texts, styles and positions. Positions and sizes are dialog units: a horizontal
// unit is a quarter of the dialog font's average character width, a vertical unit an eighth
// of its height, so the layout follows the font (MapDialogRect converts).

#include "platform/ControlMessages.h"

#include <vector>

namespace platform {

struct DialogControl {
    // "STATIC", "EDIT", "COMBOBOX", "BUTTON" (platform/StandardControls.h) or any registered
    // class.
    const char16_t* className = nullptr;
    // The initial window text; null for none.
    const char16_t* text = nullptr;
    // The child id; -1 (0xFFFF) for labels nobody addresses.
    int id = -1;
    // Window and control styles; WS_CHILD is always added. Give WS_VISIBLE to show the
    // control, WS_TABSTOP to let Tab reach it, WS_DISABLED to start it disabled.
    DWORD style = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    // Initial data: the items a combo box starts with, in this order.
    std::vector<const char16_t*> items;
};

struct DialogTemplate {
    // The dialog's window style (WS_VSCROLL gives it a vertical scroll bar) and caption.
    DWORD style = 0;
    const char16_t* caption = nullptr;
    // The dialog's size in dialog units; 0 x 0 fills its owner's top-level window, as
    // full-screen dialogs on the handheld system do.
    int cx = 0;
    int cy = 0;
    // The dialog font: null face and 0 points take the desktop's dialog font, readable at
    // the default size.
    const char16_t* fontFace = nullptr;
    int pointSize = 0;
    std::vector<DialogControl> controls;
};

} // namespace platform
