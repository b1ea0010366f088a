#pragma once
// Popup menus built from items (text, id, separator, greyed, checked, submenu) and tracked
// at a screen point in a modal loop.

#include "platform/WinTypes.h"

// A new empty popup menu; free it with DestroyMenu.
HMENU CreatePopupMenu();
// Frees a menu and its submenus.
BOOL DestroyMenu(HMENU menu);
// Appends an item: MF_STRING with text, MF_SEPARATOR, MF_POPUP (id is the submenu, which the
// menu then owns), with MF_GRAYED / MF_DISABLED / MF_CHECKED. "&" marks the access key and a
// tab starts the shortcut text.
BOOL AppendMenu(HMENU menu, UINT flags, UINT_PTR id, const char16_t* text);
// Inserts an item before position (MF_BYPOSITION) or before the item with that id.
BOOL InsertMenu(HMENU menu, UINT position, UINT flags, UINT_PTR id, const char16_t* text);
// Removes an item by position (MF_BYPOSITION) or id, destroying a submenu it opens.
BOOL DeleteMenu(HMENU menu, UINT position, UINT flags);
// Greys or enables an item; returns its previous state (MF_ENABLED/MF_GRAYED) or -1.
BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags);
// Checks or unchecks an item; returns the previous state (MF_CHECKED/MF_UNCHECKED) or -1.
DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags);
// The number of items, or -1.
int GetMenuItemCount(HMENU menu);
// The id of the item at position; -1 for a submenu or a bad position, 0 for a separator.
UINT GetMenuItemID(HMENU menu, int position);
// The submenu at position, or null.
HMENU GetSubMenu(HMENU menu, int position);
// Shows the menu at screen point (x, y) and waits for a choice. With TPM_RETURNCMD the
// chosen id is returned (0 when dismissed); otherwise the choice is posted to owner as
// WM_COMMAND and the result is TRUE when something was chosen.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* ignored);
