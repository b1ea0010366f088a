#pragma once
// The numbers of the menu, accelerator, dialog, icon and string resources, and of the
// controls inside the dialogs.

// Menus (soft-key menu bars and popups), the accelerator table and the program icon.
constexpr int IDR_MAINFRAME = 128;  // main menu bar, accelerators, icon, application name
constexpr int IDR_SHIFTLOCK = 130;  // the "UnLock Shift" bar
constexpr int IDR_EDITMENU = 131;   // the editor's context menu
constexpr int IDR_ABOUTBAR = 132;   // the About box's soft key
constexpr int IDR_DIALOGBAR = 134;  // the settings dialogs' soft keys
constexpr int IDR_JUMPBAR = 137;    // jump to line: Go To / Cancel
constexpr int IDR_FINDBAR = 138;    // find: Find / Menu
constexpr int IDR_REPLACEBAR = 139; // replace: Replace / Menu

// Dialogs and their controls.
constexpr int IDD_ABOUTBOX = 100;
constexpr int IDC_ABOUT_ICON = 201;
constexpr int IDC_ABOUT_NAME = 202;
constexpr int IDC_ABOUT_NOTE = 203;

// The settings dialogs. Their controls' ids are the numbers the settings record is edited by.
constexpr int IDD_SETTINGS = 133;
constexpr int IDD_SEARCH_OPTION = 134;
constexpr int IDD_COMPATIBILITY = 135;
constexpr int IDC_FONT_NAME = 1000;
constexpr int IDC_FONT_SIZE = 1001;
constexpr int IDC_TAB_SIZE = 1002;
constexpr int IDC_MENU_TENKEY = 1003;
constexpr int IDC_NO_WORDWRAP = 1004;
constexpr int IDC_VOLUME_SCROLL = 1005;
constexpr int IDC_VOLUME_LABEL = 1006;
constexpr int IDC_RECENT_COUNT = 1007;
constexpr int IDC_SHOW_LINEBREAK = 1008;
constexpr int IDC_SHOW_TAB = 1009;
constexpr int IDC_SHOW_WIDESPACE = 1010;
constexpr int IDC_SHOW_SPACE = 1011;
constexpr int IDC_FULL_SCREEN = 1012;
constexpr int IDC_BOLD = 1013;
constexpr int IDC_UNDERLINE = 1014;
constexpr int IDC_NO_AUTODETECT = 1015;
constexpr int IDC_LINE_SPACING = 1016;
constexpr int IDC_NEWFILE_ENCODING = 1018;
constexpr int IDC_NEWFILE_LINEBREAK = 1020;
constexpr int IDC_WRAP_PORTRAIT = 1021;
constexpr int IDC_WRAP_LANDSCAPE = 1022;
constexpr int IDC_LINE_NUMBERS = 1023;
constexpr int IDC_REGEX = 1013;
constexpr int IDC_IGNORE_CASE = 1014;
constexpr int IDC_NO_IME_ON_FOCUS = 1016;
constexpr int IDC_BACKSPACE_IN_CHAR = 1017;
constexpr int IDC_BACK_AS_BACKSPACE = 1018;

// Strings.
constexpr int IDS_APPNAME = 128;
constexpr int IDS_FONT_NOTSET = 1005;
constexpr int IDS_OPEN_TITLE = 1006;
constexpr int IDS_SAVEAS_TITLE = 1007;
constexpr int IDS_CONFIRM = 1011;
constexpr int IDS_FILE_FILTER = 1012;
constexpr int IDS_LINENUMBER_LABEL = 1014;
constexpr int IDS_FIND_LABEL = 1015;
constexpr int IDS_REPLACE_LABEL = 1016;
constexpr int IDS_REPLACED_COUNT = 1019;
constexpr int IDS_LONG_PROCESS = 1020;
constexpr int IDS_ASSOCIATE = 1021;
constexpr int IDS_UNASSOCIATE = 1022;
constexpr int IDS_LANGUAGE_TAG = 1023;
