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
// The About box's caption and its two lines of text.
constexpr int IDS_ABOUT_CAPTION = 1100;
constexpr int IDS_ABOUT_NAME = 1101;
constexpr int IDS_ABOUT_NOTE = 1102;
