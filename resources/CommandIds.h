#pragma once
// The numeric command ids of the menus, soft keys and accelerators. The numbers are fixed:
// menu resources, command tables and the frame's requests all use them.

#include "platform/WinTypes.h"

// File (soft key 1 of the main menu bar).
constexpr UINT ID_FILE_OPEN = 57601;
constexpr UINT ID_FILE_NEW = 32783;
constexpr UINT ID_FILE_REOPEN = 32833; // marks where the Recent submenu goes; never shown
constexpr UINT ID_FILE_SAVEAS = 32772;
constexpr UINT ID_FILE_SAVE = 57603;
constexpr UINT ID_ENCODE_AUTO = 32773;
constexpr UINT ID_ENCODE_SJIS = 32774;
constexpr UINT ID_ENCODE_JIS = 32775;
constexpr UINT ID_ENCODE_EUC = 32776;
constexpr UINT ID_ENCODE_UTF8 = 32777;
constexpr UINT ID_ENCODE_UTF16 = 32778;
constexpr UINT ID_ENCODE_LATIN = 32845;
constexpr UINT ID_LINEBREAK_CR = 32779;
constexpr UINT ID_LINEBREAK_CRLF = 32780;
constexpr UINT ID_LINEBREAK_LF = 32781;
constexpr UINT ID_FILE_AUTOSAVE = 32848;
constexpr UINT ID_APP_EXIT = 32771;
// The "(None)" and "dummy" items that stand in the Recent and Insert submenus until they
// are filled.
constexpr UINT ID_MENU_PLACEHOLDER = 32836;
// The "(なし)" item of a Recent or Insert submenu that has nothing to list; no table knows it.
constexpr UINT ID_MENU_EMPTY = 49999;

// Menu (soft key 2 of the main menu bar).
constexpr UINT ID_SHIFTLOCK = 32797;
constexpr UINT ID_EDIT_COPY = 57634;
constexpr UINT ID_EDIT_CUT = 57635;
constexpr UINT ID_EDIT_PASTE = 57637;
constexpr UINT ID_EDIT_UNDO = 57643;
constexpr UINT ID_EDIT_SELECTALL = 32791;
constexpr UINT ID_GOTO_LINE = 32803;
constexpr UINT ID_GOTO_FIRSTLINE = 32804;
constexpr UINT ID_GOTO_PREVPAGE = 32805;
constexpr UINT ID_GOTO_NEXTPAGE = 32806;
constexpr UINT ID_GOTO_LASTLINE = 32807;
constexpr UINT ID_FIND = 32785;
constexpr UINT ID_REPLACE = 32786;
constexpr UINT ID_SEARCH_OPTION = 32838;
constexpr UINT ID_VIEW_FONTUP = 32841;
constexpr UINT ID_VIEW_FONTDOWN = 32842;
constexpr UINT ID_VIEW_WORDWRAP = 32843;
constexpr UINT ID_VIEW_REFRESH = 32858;
constexpr UINT ID_INSERT_MARK = 32850; // marks where the Insert submenu goes; never shown
constexpr UINT ID_TOOLS_OPTION = 32794;
constexpr UINT ID_TOOLS_COMPATIBILITY = 32856;
constexpr UINT ID_TOOLS_ASSOCIATION = 32854;
constexpr UINT ID_APP_ABOUT = 57664;

// The shift-lock bar.
constexpr UINT ID_UNLOCKSHIFT = 32800;

// The bottom bars' soft keys.
constexpr UINT ID_BAR_GOTO = 32812;
constexpr UINT ID_BAR_FIND = 32817;
constexpr UINT ID_BAR_FINDUP = 32818;
constexpr UINT ID_BAR_REPLACE = 32821;
constexpr UINT ID_BAR_REPLACE_FINDUP = 32823;
constexpr UINT ID_BAR_REPLACE_FINDDOWN = 32824;
constexpr UINT ID_BAR_REPLACEALL = 32825;
constexpr UINT ID_BAR_CANCEL = 32827;

// Commands made at run time: the recent files and the templates, one id per entry.
constexpr UINT ID_RECENT_FIRST = 50000;
constexpr UINT ID_RECENT_LAST = 50040;
constexpr UINT ID_TEMPLATE_FIRST = 51000;
constexpr UINT ID_TEMPLATE_LAST = 51040;
