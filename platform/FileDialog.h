#pragma once
// The standard Open and Save As dialogs on the desktop's own file chooser. The request record
// has the usual fields; only those listed here are read or filled.

#include "platform/WinTypes.h"

constexpr DWORD OFN_READONLY = 0x00000001;
constexpr DWORD OFN_OVERWRITEPROMPT = 0x00000002;
constexpr DWORD OFN_HIDEREADONLY = 0x00000004;
constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
constexpr DWORD OFN_FILEMUSTEXIST = 0x00001000;
constexpr DWORD OFN_EXPLORER = 0x00080000;

// CommDlgExtendedError() after a dialog returned FALSE: 0 when the user cancelled.
constexpr DWORD FNERR_BUFFERTOOSMALL = 0x3003;
constexpr DWORD CDERR_STRUCTSIZE = 0x0001;

struct OPENFILENAME {
    DWORD lStructSize = sizeof(OPENFILENAME);
    HWND hwndOwner = nullptr; // the chooser is modal over this window's frame
    HINSTANCE hInstance = nullptr;
    const WCHAR* lpstrFilter = nullptr; // "description\0pattern\0...\0\0"; patterns by ';'
    WCHAR* lpstrCustomFilter = nullptr;
    DWORD nMaxCustFilter = 0;
    DWORD nFilterIndex = 0;          // 1-based pair preselected (0: the first); set on return
    WCHAR* lpstrFile = nullptr;      // in: the initial name or path; out: the chosen path
    DWORD nMaxFile = 0;              // characters in lpstrFile, the NUL included
    WCHAR* lpstrFileTitle = nullptr; // out: the chosen file's name, when given
    DWORD nMaxFileTitle = 0;
    const WCHAR* lpstrInitialDir =
        nullptr;                        // the folder shown first; null or empty: the current one
    const WCHAR* lpstrTitle = nullptr;  // the chooser's caption; null: "Open" or "Save As"
    DWORD Flags = 0;                    // OFN_FILEMUSTEXIST, OFN_OVERWRITEPROMPT, ...
    WORD nFileOffset = 0;               // out: where the name starts in lpstrFile
    WORD nFileExtension = 0;            // out: where the extension starts (0: none)
    const WCHAR* lpstrDefExt = nullptr; // appended (after '.') to a name typed without one
    LPARAM lCustData = 0;
};

// Asks for an existing file to open. TRUE with the path in lpstrFile when one was chosen;
// FALSE when cancelled or the path does not fit (CommDlgExtendedError tells which).
BOOL GetOpenFileName(OPENFILENAME* request);
// Asks for a file to save to. With OFN_OVERWRITEPROMPT, choosing an existing file asks
// whether to replace it (a message box); No goes back to the chooser.
BOOL GetSaveFileName(OPENFILENAME* request);
// Why the last dialog returned FALSE: 0 for a cancel, else an FNERR_ or CDERR_ code.
DWORD CommDlgExtendedError();
