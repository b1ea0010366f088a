#pragma once
// Every user preference of the editor, in one record. The user's settings live in "kiv.ini",
// section "init"; five colours that only the file sets live in "misc.ini", section "misc".

#include "platform/WinTypes.h"
#include "shell/PlatformKind.h"

#include <cstdint>
#include <string>

namespace document {
class IniFile;
}

namespace shell {

// Bits of drawsymbol: which whitespace symbols the control draws.
inline constexpr int kSymbolLineBreak = 1;
inline constexpr int kSymbolTab = 2;
inline constexpr int kSymbolSpace = 4;
inline constexpr int kSymbolWideSpace = 8;

struct AppSettings {
    std::u16string fontName; // empty: no font of the program's own
    int fontSize = 0;        // points
    int tabSize = 0;         // in space characters
    int menuTenKey = 0;      // number-key accelerators in portrait menus
    int volumeScroll = 0;    // a VolumeScrollMode value, as stored
    int noWordWrap = 0;      // 1: word wrap off
    int drawSymbol = 0;      // kSymbol* bits
    int mruNum = 0;          // recent files shown in the menu
    int regex = 0;           // search text is a regular expression
    int ignoreCase = 0;      // search ignores case
    int fullScreen = 0;      // read at start only
    int boldFont = 0;
    int disableAutoDetect = 0;   // choosing an encoding switches Auto off
    bool firstRun = false;       // the stored "first" was 0 or absent
    COLORREF colorHighlight = 0; // -1 (all bits): the control's own default
    COLORREF colorHighlightText = 0;
    COLORREF colorWindow = 0;
    COLORREF colorWindowText = 0;
    COLORREF colorUnderline = 0;
    int underline = 0; // underline the caret line
    int lineSpacing = 0;
    int notFocusIme = 0;                  // leave the input method alone on focus changes
    int newFileCharCode = 0;              // encoding-table row of a new document
    int newFileLineBreak = 0;             // line-break-table row of a new document
    int backspaceInChar = 0;              // Backspace handled at character time
    int backAsBackspace = 0;              // the hardware Back key acts as Backspace
    std::uint8_t wrapColumnPortrait = 0;  // 0: the window's right edge
    std::uint8_t wrapColumnLandscape = 0; // 0: the window's right edge
    int drawLineNumber = 0;

    friend bool operator==(const AppSettings&, const AppSettings&) = default;
};

// Fills every field from "kiv.ini" (`init`) and the colours from "misc.ini" (`misc`), each
// key read in the record's order with its default when absent or empty; bswmchar and backasbs
// default to 1 on a Smartphone.
AppSettings LoadSettings(const document::IniFile& init, const document::IniFile& misc,
                         PlatformKind platform);
// Writes every user-editable field to section "init" of `init` (never "first", never a
// colour); the file itself is written when the store saves.
void SaveSettings(const AppSettings& settings, document::IniFile& init);
// Records that the first run is over: first=1 in section "init".
void markFirstRunDone(document::IniFile& init);

} // namespace shell
