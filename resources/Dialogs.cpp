#include "resources/ResourceIds.h"
#include "resources/Resources.h"

#include "platform/ControlMessages.h"
#include "platform/StandardControls.h"

namespace resources {

namespace {

using platform::DialogControl;
using platform::DialogTemplate;

// Every settings dialog fills the screen, as dialogs do on the handheld, and scrolls when
// its content is taller.
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_VSCROLL;
constexpr DWORD kCheck = WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX;
constexpr DWORD kList = WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST;
constexpr DWORD kDigits = WS_VISIBLE | WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | ES_NUMBER;
constexpr DWORD kLabel = WS_VISIBLE | SS_LEFT;
// Shown only on a Pocket PC: the dialog shows them when it starts there.
constexpr DWORD kHidden = ~WS_VISIBLE;

DialogControl label(const char16_t* text, int x, int y, int cx = 128, int id = -1) {
    return DialogControl{WC_STATIC, text, id, kLabel, x, y, cx, 9, {}};
}
DialogControl check(int id, const char16_t* text, int x, int y, int cx = 216) {
    return DialogControl{WC_BUTTON, text, id, kCheck, x, y, cx, 10, {}};
}
DialogControl digits(int id, int x, int y, int cx) {
    return DialogControl{WC_EDIT, u"", id, kDigits, x, y, cx, 12, {}};
}
DialogControl list(int id, int x, int y, int cx, int cy, std::vector<const char16_t*> items) {
    return DialogControl{WC_COMBOBOX, nullptr, id, kList, x, y, cx, cy, std::move(items)};
}
DialogControl hidden(DialogControl control) {
    control.style &= kHidden;
    return control;
}

// Labels sit in a left column 128 units wide, the fields they name at x = 136.
const DialogTemplate kSettings{
    kDialogStyle,
    u"Settings",
    0,
    0,
    nullptr,
    0,
    {
        label(u"Font:", 4, 6),
        list(IDC_FONT_NAME, 136, 4, 84, 120, {}),
        label(u"Size:", 4, 22),
        list(IDC_FONT_SIZE, 136, 20, 36, 100,
             {u"4", u"5", u"6", u"7", u"8", u"9", u"10", u"12", u"14", u"16", u"18", u"22", u"36",
              u"48", u"96"}),
        check(IDC_BOLD, u"Bold", 176, 21, 44),
        label(u"Tab size:", 4, 38),
        label(u"(Numbers of Space char)", 12, 47, 120),
        digits(IDC_TAB_SIZE, 136, 36, 24),
        hidden(
            check(IDC_MENU_TENKEY, u"Assign number key for acceralator in portrait mode", 4, 60)),
        hidden(label(u"Volume key settings:", 4, 76, 128, IDC_VOLUME_LABEL)),
        hidden(
            list(IDC_VOLUME_SCROLL, 136, 74, 60, 100,
                 {u"None", u"1 line", u"5 lines", u"10 lines", u"15 lines", u"20 lines", u"Page"})),
        check(IDC_NO_WORDWRAP, u"Disable Word Wrap", 4, 90),
        check(IDC_SHOW_LINEBREAK, u"Display Linebreak", 4, 104, 104),
        check(IDC_SHOW_TAB, u"Display Tab", 112, 104, 104),
        check(IDC_SHOW_WIDESPACE, u"Display Wide Space", 4, 118, 104),
        check(IDC_SHOW_SPACE, u"Display Space", 112, 118, 104),
        label(u"Recent Files:", 4, 134),
        label(u"(1-9)", 12, 143, 120),
        digits(IDC_RECENT_COUNT, 136, 132, 20),
        check(IDC_FULL_SCREEN, u"Don't show title bar (need restart)", 4, 158),
        check(IDC_NO_AUTODETECT, u"Disable \"Encode:Auto\" when encoding is changed", 4, 172),
        check(IDC_UNDERLINE, u"Display Underline", 4, 186),
        label(u"Space between lines:", 4, 202),
        digits(IDC_LINE_SPACING, 136, 200, 20),
        label(u"Default Encode for new files:", 4, 218),
        list(IDC_NEWFILE_ENCODING, 136, 216, 60, 100,
             {u"ShiftJIS", u"JIS", u"EUC", u"UTF-8", u"UTF-16", u"Latin"}),
        label(u"Default Linebreak for new files:", 4, 234),
        list(IDC_NEWFILE_LINEBREAK, 136, 232, 60, 60, {u"CR", u"CRLF", u"LF"}),
        label(u"Text Margin(Portrait):", 4, 250),
        label(u"(0=right edge of screen)", 12, 259, 120),
        digits(IDC_WRAP_PORTRAIT, 136, 248, 24),
        label(u"Text Margin(Landscape):", 4, 272),
        label(u"(0=right edge of screen)", 12, 281, 120),
        digits(IDC_WRAP_LANDSCAPE, 136, 270, 24),
        check(IDC_LINE_NUMBERS, u"Display Line Numbers", 4, 294),
    },
};

const DialogTemplate kSearchOption{
    kDialogStyle,
    u"Search Option",
    0,
    0,
    nullptr,
    0,
    {
        check(IDC_REGEX, u"Regular Expression", 4, 4),
        check(IDC_IGNORE_CASE, u"Ignore Case", 4, 18),
    },
};

const DialogTemplate kCompatibility{
    kDialogStyle,
    u"Compatibility",
    0,
    0,
    nullptr,
    0,
    {
        check(IDC_NO_IME_ON_FOCUS, u"Disable IME Controling when focus swithed", 4, 4),
        check(IDC_BACKSPACE_IN_CHAR, u"VK_BACK processed in WM_CHAR handler", 4, 18),
        check(IDC_BACK_AS_BACKSPACE, u"Assign 'BACK key' as BackSpace key", 4, 32),
    },
};

// The About box: the program's icon, its name and what it is for, and an "OK" soft key.
const DialogTemplate kAbout{
    WS_POPUP | WS_CAPTION,
    u"About kiv",
    0,
    0,
    nullptr,
    0,
    {
        DialogControl{WC_STATIC, nullptr, IDC_ABOUT_ICON, WS_VISIBLE, 8, 8, 24, 24, {}},
        label(u"kiv 0.1", 40, 10, 180, IDC_ABOUT_NAME),
        label(u"A plain-text editor for Japanese text", 40, 24, 180, IDC_ABOUT_NOTE),
    },
};

struct DialogResource {
    int id;
    const DialogTemplate* dialog;
};

const DialogResource kDialogs[] = {
    {IDD_ABOUTBOX, &kAbout},
    {IDD_SETTINGS, &kSettings},
    {IDD_SEARCH_OPTION, &kSearchOption},
    {IDD_COMPATIBILITY, &kCompatibility},
};

} // namespace

const platform::DialogTemplate* loadDialog(int id) {
    for (const DialogResource& resource : kDialogs) {
        if (resource.id == id)
            return resource.dialog;
    }
    return nullptr;
}

} // namespace resources
