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
// Copies the text of an item (by position with MF_BYPOSITION, else by id) into buffer, cut to
// size - 1 characters and terminated; returns the characters copied, 0 for a missing item.
int GetMenuString(HMENU menu, UINT item, char16_t* buffer, int size, UINT flags);

// What GetMenuItemInfo reads and SetMenuItemInfo writes: the fields fMask names.
constexpr UINT MIIM_STATE = 0x0001;
constexpr UINT MIIM_ID = 0x0002;
constexpr UINT MIIM_SUBMENU = 0x0004;
constexpr UINT MIIM_TYPE = 0x0010; // fType and, for a string item, the text
constexpr UINT MIIM_STRING = 0x0040;
constexpr UINT MIIM_FTYPE = 0x0100;
constexpr UINT MFT_STRING = 0x0000;
constexpr UINT MFT_SEPARATOR = 0x0800;
constexpr UINT MFS_ENABLED = 0x0000;
constexpr UINT MFS_GRAYED = 0x0003;
constexpr UINT MFS_CHECKED = 0x0008;

struct MENUITEMINFO {
    UINT cbSize = sizeof(MENUITEMINFO);
    UINT fMask = 0;
    UINT fType = 0;
    UINT fState = 0;
    UINT wID = 0;
    HMENU hSubMenu = nullptr;
    char16_t* dwTypeData = nullptr; // the text buffer (read) or the new text (write)
    UINT cch = 0;                   // the buffer's size in characters; the text's length on return
};
// Reads the fields fMask names of an item (by position when byPosition is TRUE, else by id).
BOOL GetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, MENUITEMINFO* info);
// Writes them; a new text replaces the old one.
BOOL SetMenuItemInfo(HMENU menu, UINT item, BOOL byPosition, const MENUITEMINFO* info);
// Shows the menu at screen point (x, y) and waits for a choice. With TPM_RETURNCMD the
// chosen id is returned (0 when dismissed); otherwise the choice is posted to owner as
// WM_COMMAND and the result is TRUE when something was chosen.
BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner,
                    const RECT* ignored);
