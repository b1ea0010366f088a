#include "shell/EditorProgram.h"

#include "editctl/EditState.h"
#include "editctl/NEditMessages.h"
#include "platform/ControlMessages.h"
#include "platform/Device.h"
#include "platform/Dialog.h"
#include "platform/DialogTestHooks.h"
#include "platform/Gdi.h"
#include "platform/StandardControls.h"
#include "resources/CommandIds.h"
#include "resources/ResourceIds.h"
#include "shell/CScrollDialog.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using kivtest::EditorProgram;

namespace {

std::u16string itemText(HWND list, LRESULT index) {
    std::u16string text(static_cast<std::size_t>(SendMessage(list, CB_GETLBTEXTLEN, index, 0)) + 1,
                        u'\0');
    SendMessage(list, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.pop_back();
    return text;
}

std::vector<std::u16string> items(HWND list) {
    std::vector<std::u16string> out;
    const LRESULT count = SendMessage(list, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        out.push_back(itemText(list, i));
    return out;
}

std::string narrow(const char16_t* text) {
    return std::string(text, text + std::char_traits<char16_t>::length(text));
}

shell::CScrollDialog& scrollDialog(HWND dialog) {
    return *dynamic_cast<shell::CScrollDialog*>(platform::WindowObject::fromHandle(dialog));
}

RECT clientRectOf(HWND dialog, int id) {
    RECT r;
    GetWindowRect(GetDlgItem(dialog, id), &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Keeps a picture of the dialog as it shows now, in the tests' output folder, for a person to
// look at.
bool grab(HWND dialog, const std::string& name) {
    const auto folder = std::filesystem::current_path() / "dialog-grabs";
    std::filesystem::create_directories(folder);
    platform::test::pumpMessages();
    return platform::test::grabToPng(dialog, (folder / (name + ".png")).string());
}

class SettingsDialogs : public EditorProgram {
protected:
    // Runs command id with the dialog it opens answered by answer, then the button.
    void run(UINT id, std::function<void(HWND)> answer, int button = IDOK) {
        platform::test::takeDialogCalls();
        platform::test::takeMessageBoxCalls();
        platform::test::queueDialogAnswer(std::move(answer), button);
        SendMessage(frame().hwnd(), WM_COMMAND, MAKEWPARAM(id, 0), 0);
        platform::test::pumpMessages();
    }
    editctl::EditState& control() {
        editctl::EditState* state = nullptr;
        SendMessage(editor(), NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
        return *state;
    }
    std::string iniAfterStop() {
        stop();
        return scratch_.readFile("kiv.ini");
    }
};

} // namespace

TEST_F(SettingsDialogs, SettingsOkReachesTheControlAtOnceAndTheFileAtTheEnd) {
    start("[init]\nfirst=1\ntabsize=4\nmenutenkey=0\n");
    run(ID_TOOLS_OPTION, [](HWND d) {
        EXPECT_TRUE(grab(d, "settings"));
        EXPECT_EQ(IsDlgButtonChecked(d, IDC_NO_WORDWRAP), BST_UNCHECKED);
        SetDlgItemText(d, IDC_TAB_SIZE, u"8");
        CheckDlgButton(d, IDC_SHOW_TAB, BST_CHECKED);
        CheckDlgButton(d, IDC_SHOW_WIDESPACE, BST_CHECKED);
        CheckDlgButton(d, IDC_NO_WORDWRAP, BST_CHECKED);
        CheckDlgButton(d, IDC_UNDERLINE, BST_CHECKED);
        CheckDlgButton(d, IDC_LINE_NUMBERS, BST_CHECKED);
        CheckDlgButton(d, IDC_MENU_TENKEY, BST_CHECKED);
        SetDlgItemText(d, IDC_LINE_SPACING, u"7");
        SetDlgItemText(d, IDC_WRAP_PORTRAIT, u"40");
        SetDlgItemText(d, IDC_WRAP_LANDSCAPE, u"60");
        SetDlgItemText(d, IDC_RECENT_COUNT, u"9");
        SendDlgItemMessage(d, IDC_VOLUME_SCROLL, CB_SETCURSEL, 1, 0);
        SendDlgItemMessage(d, IDC_NEWFILE_ENCODING, CB_SETCURSEL, 0, 0);
        SendDlgItemMessage(d, IDC_NEWFILE_LINEBREAK, CB_SETCURSEL, 2, 0);
    });
    const auto calls = platform::test::takeDialogCalls();
    ASSERT_EQ(calls.size(), 1U);
    EXPECT_EQ(calls[0].caption, u"Settings");
    EXPECT_EQ(calls[0].result, IDOK);

    const auto& s = view().Settings();
    EXPECT_EQ(s.tabSize, 8);
    EXPECT_EQ(s.drawSymbol, shell::kSymbolTab | shell::kSymbolWideSpace);
    EXPECT_EQ(s.volumeScroll, 6) << "list position 1 is stored as 6";
    EXPECT_EQ(s.newFileCharCode, 0);
    EXPECT_EQ(s.newFileLineBreak, 2);
    EXPECT_EQ(s.mruNum, 9);

    editctl::EditState& c = control();
    EXPECT_FALSE(c.layout.wordWrap);
    EXPECT_FALSE(view().WordWrapOn());
    EXPECT_EQ(c.layout.lineSpacing, 7);
    EXPECT_TRUE(c.layout.lineNumbers);
    EXPECT_EQ(c.symbols, static_cast<UINT>(NES_TAB | NES_WIDESPACE));
    EXPECT_NE(c.options & NEO_UNDERLINE, 0U);
    EXPECT_EQ(c.layout.wrapColumn, platform::screenIsPortrait() ? 40 : 60);

    const std::string ini = iniAfterStop();
    for (const char* line : {"tabsize=8", "drawsymbol=10", "nowordwrap=1", "linespacing=7",
                             "wordwrap_pos_p=40", "wordwrap_pos_l=60", "xscrawl=6", "mrunum=9",
                             "menutenkey=1", "newfilelinebreak=2", "drawlinenumber=1"})
        EXPECT_NE(ini.find(line), std::string::npos) << line;
}

TEST_F(SettingsDialogs, CancelChangesNothingAndSavesNothing) {
    start("[init]\nfirst=1\nlinespacing=3\n");
    const auto before = view().Settings();
    run(
        ID_TOOLS_OPTION,
        [](HWND d) {
            SetDlgItemText(d, IDC_LINE_SPACING, u"9");
            CheckDlgButton(d, IDC_NO_WORDWRAP, BST_CHECKED);
        },
        IDCANCEL);
    EXPECT_EQ(view().Settings(), before);
    EXPECT_EQ(control().layout.lineSpacing, 3);
    EXPECT_EQ(iniAfterStop().find("tabsize="), std::string::npos);
}

TEST_F(SettingsDialogs, AFieldOutOfRangeKeepsTheDialogOpenWithItsMessage) {
    struct Case {
        int id;
        const char16_t* text;
        const char16_t* message;
    };
    const Case cases[] = {
        {IDC_RECENT_COUNT, u"0", u"Please enter an integer between 1 and 9."},
        {IDC_RECENT_COUNT, u"10", u"Please enter an integer between 1 and 9."},
        {IDC_LINE_SPACING, u"100", u"Please enter an integer between 0 and 99."},
        {IDC_WRAP_PORTRAIT, u"256", u"Please enter an integer between 0 and 255."},
        {IDC_WRAP_LANDSCAPE, u"", u"Please enter an integer."},
        {IDC_TAB_SIZE, u"99999999999", u"Please enter an integer."},
    };
    start("[init]\nfirst=1\n");
    const auto before = view().Settings();
    for (const Case& c : cases) {
        int focusAfterFailure = 0;
        platform::test::takeMessageBoxCalls();
        platform::test::takeDialogCalls();
        platform::test::queueDialogAnswer([&](HWND d) { SetDlgItemText(d, c.id, c.text); });
        platform::test::queueDialogAnswer(
            [&](HWND) { focusAfterFailure = GetDlgCtrlID(GetFocus()); }, IDCANCEL);
        SendMessage(frame().hwnd(), WM_COMMAND, MAKEWPARAM(ID_TOOLS_OPTION, 0), 0);
        platform::test::pumpMessages();
        const auto calls = platform::test::takeDialogCalls();
        ASSERT_EQ(calls.size(), 1U) << narrow(c.text);
        EXPECT_EQ(calls[0].answersUsed, 2) << "the dialog stayed open after the failed OK";
        EXPECT_EQ(calls[0].result, IDCANCEL);
        const auto boxes = platform::test::takeMessageBoxCalls();
        ASSERT_EQ(boxes.size(), 1U);
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(focusAfterFailure, c.id) << "the failing field has the focus";
        EXPECT_EQ(view().Settings(), before);
    }
}

TEST_F(SettingsDialogs, TheFontListNamesTheInstalledFamiliesAfterNotSet) {
    const auto families = fontFamilyNames(DEFAULT_CHARSET);
    ASSERT_FALSE(families.empty());
    const std::u16string installed = families.back();
    start("[init]\nfirst=1\nfontname=No Such Face\nfontsize=11\n");
    run(ID_TOOLS_OPTION, [&](HWND d) {
        std::vector<std::u16string> expected{u"Not Set"};
        expected.insert(expected.end(), families.begin(), families.end());
        EXPECT_EQ(items(GetDlgItem(d, IDC_FONT_NAME)), expected);
        EXPECT_EQ(SendDlgItemMessage(d, IDC_FONT_NAME, CB_GETCURSEL, 0, 0), 0);
        EXPECT_EQ(items(GetDlgItem(d, IDC_FONT_SIZE)).size(), 15U);
        EXPECT_EQ(SendDlgItemMessage(d, IDC_FONT_SIZE, CB_GETCURSEL, 0, 0), CB_ERR)
            << "11 is not in the list";
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_FONT_SIZE)));
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(d, IDC_BOLD)));
    });
    EXPECT_EQ(view().Settings().fontName, u"") << "Not Set stores the empty name";
    EXPECT_EQ(view().Settings().fontSize, 0) << "no size selected stores 0";

    // An installed face is found again, the last of its name; choosing Not Set greys the size.
    run(ID_TOOLS_OPTION, [&](HWND d) {
        HWND fonts = GetDlgItem(d, IDC_FONT_NAME);
        const LRESULT last = SendMessage(fonts, CB_GETCOUNT, 0, 0) - 1;
        SendMessage(fonts, CB_SETCURSEL, last, 0);
        SendDlgItemMessage(d, IDC_FONT_SIZE, CB_SETCURSEL, 7, 0);
    });
    EXPECT_EQ(view().Settings().fontName, installed);
    EXPECT_EQ(view().Settings().fontSize, 12);
    run(ID_TOOLS_OPTION, [&](HWND d) {
        HWND fonts = GetDlgItem(d, IDC_FONT_NAME);
        EXPECT_EQ(itemText(fonts, SendMessage(fonts, CB_GETCURSEL, 0, 0)), installed);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(d, IDC_FONT_SIZE)));
        EXPECT_EQ(SendDlgItemMessage(d, IDC_FONT_SIZE, CB_GETCURSEL, 0, 0), 7);
    });
}

TEST_F(SettingsDialogs, OnASmartphoneTheKeyControlsStayHiddenAndTheirValuesPassThrough) {
    for (const auto kind : {platform::PlatformKind::Smartphone, platform::PlatformKind::PocketPc}) {
        platform::test::setPlatformKind(kind);
        start("[init]\nfirst=1\nmenutenkey=1\nxscrawl=3\n");
        const bool pocketPc = kind == platform::PlatformKind::PocketPc;
        run(ID_TOOLS_OPTION, [&](HWND d) {
            for (const int id : {IDC_MENU_TENKEY, IDC_VOLUME_LABEL, IDC_VOLUME_SCROLL})
                EXPECT_EQ(IsWindowVisible(GetDlgItem(d, id)) != FALSE, pocketPc) << id;
            EXPECT_EQ(scrollDialog(d).ContentHeight() > 0, pocketPc) << "only a Pocket PC scrolls";
        });
        EXPECT_EQ(view().Settings().menuTenKey, 1);
        EXPECT_EQ(view().Settings().volumeScroll, 3);
        stop();
    }
}

TEST_F(SettingsDialogs, AControlTabbedIntoBelowTheViewScrollsInWithThirtyPixelsToSpare) {
    start("[init]\nfirst=1\n");
    SetWindowPos(frame().hwnd(), nullptr, 0, 0, 480, 360, SWP_NOMOVE | SWP_NOZORDER);
    platform::test::pumpMessages();
    run(
        ID_TOOLS_OPTION,
        [](HWND d) {
            shell::CScrollDialog& dialog = scrollDialog(d);
            RECT client;
            GetClientRect(d, &client);
            ASSERT_GT(dialog.ContentHeight(), client.bottom) << "the dialog must be taller";
            SCROLLINFO info;
            info.fMask = SIF_ALL;
            GetScrollInfo(d, SB_VERT, &info);
            EXPECT_EQ(info.nMax, dialog.ContentHeight() - client.bottom);

            // A control in view takes the focus: nothing moves.
            SetFocus(GetDlgItem(d, IDC_TAB_SIZE));
            platform::test::pumpMessages();
            EXPECT_EQ(dialog.ScrollPosition(), 0);

            // Tab through until the focus reaches a control below the visible part.
            HWND below = nullptr;
            for (int step = 0; step < 40 && below == nullptr; ++step) {
                const int position = dialog.ScrollPosition();
                platform::test::pressKey(GetFocus(), VK_TAB);
                platform::test::pumpMessages();
                const int id = GetDlgCtrlID(GetFocus());
                const RECT now = clientRectOf(d, id);
                const int moved = dialog.ScrollPosition() - position;
                if (now.bottom + moved > client.bottom)
                    below = GetFocus();
            }
            ASSERT_NE(below, nullptr);
            const RECT shown = clientRectOf(d, GetDlgCtrlID(below));
            GetScrollInfo(d, SB_VERT, &info);
            EXPECT_LE(dialog.ScrollPosition(), info.nMax - static_cast<int>(info.nPage));
            if (dialog.ScrollPosition() < info.nMax - static_cast<int>(info.nPage)) {
                EXPECT_EQ(shown.bottom, client.bottom - 30);
            }

            // The last control: as far as the maximum allows, and no further.
            SetFocus(GetDlgItem(d, IDC_LINE_NUMBERS));
            platform::test::pumpMessages();
            EXPECT_EQ(dialog.ScrollPosition(), info.nMax - static_cast<int>(info.nPage));
            EXPECT_TRUE(grab(d, "settings-scrolled"));

            // A resize brings the content back to the top with the thumb.
            const RECT firstBefore = clientRectOf(d, IDC_FONT_NAME);
            SetWindowPos(d, nullptr, 0, 0, client.right, client.bottom - 20,
                         SWP_NOMOVE | SWP_NOZORDER);
            platform::test::pumpMessages();
            EXPECT_EQ(dialog.ScrollPosition(), 0);
            EXPECT_EQ(clientRectOf(d, IDC_FONT_NAME).top,
                      firstBefore.top + (info.nMax - static_cast<int>(info.nPage)));
        },
        IDCANCEL);
}

TEST_F(SettingsDialogs, ShortDialogsHaveNothingToScrollAndTheirOkReachesControlAndFile) {
    start("[init]\nfirst=1\n");
    // Low on the screen, the dialog still fits: its height is measured in its own client area.
    SetWindowPos(frame().hwnd(), nullptr, 0, 400, 480, 300, SWP_NOZORDER);
    platform::test::pumpMessages();
    run(ID_SEARCH_OPTION, [](HWND d) {
        EXPECT_TRUE(grab(d, "search-option"));
        SCROLLINFO info;
        info.fMask = SIF_ALL;
        GetScrollInfo(d, SB_VERT, &info);
        EXPECT_EQ(info.nMax, 0);
        for (const int request : {SB_LINEDOWN, SB_PAGEDOWN, SB_LINEUP})
            SendMessage(d, WM_VSCROLL, MAKEWPARAM(request, 0), 0);
        EXPECT_EQ(scrollDialog(d).ScrollPosition(), 0);
        EXPECT_NE(scrollDialog(d).MenuBar().hwnd(), nullptr);
        CheckDlgButton(d, IDC_REGEX, BST_CHECKED);
        CheckDlgButton(d, IDC_IGNORE_CASE, BST_CHECKED);
    });
    EXPECT_TRUE(view().Editor().UseRegex());
    EXPECT_TRUE(view().Editor().IgnoreCase());

    run(ID_TOOLS_COMPATIBILITY, [](HWND d) {
        EXPECT_TRUE(grab(d, "compatibility"));
        CheckDlgButton(d, IDC_NO_IME_ON_FOCUS, BST_CHECKED);
        CheckDlgButton(d, IDC_BACKSPACE_IN_CHAR, BST_CHECKED);
        CheckDlgButton(d, IDC_BACK_AS_BACKSPACE, BST_CHECKED);
    });
    EXPECT_EQ(control().options & (NEO_NOIMEONFOCUS | NEO_BACKSPACEINCHAR),
              static_cast<UINT>(NEO_NOIMEONFOCUS | NEO_BACKSPACEINCHAR));
    EXPECT_TRUE(app().BackAsBackspace());

    const std::string ini = iniAfterStop();
    for (const char* line :
         {"regex=1", "ignorecase=1", "notfocusime=1", "bswmchar=1", "backasbs=1"})
        EXPECT_NE(ini.find(line), std::string::npos) << line;
}

TEST_F(SettingsDialogs, TheHardwareBackKeyInADialogIsHandedToTheShell) {
    start("[init]\nfirst=1\n");
    run(
        ID_SEARCH_OPTION,
        [&](HWND) {
            MSG back{GetFocus(), WM_HOTKEY, 0, MAKELPARAM(0, VK_TBACK), 0, {}};
            EXPECT_TRUE(platform::preTranslateInput(back));
            MSG other{GetFocus(), WM_HOTKEY, 0, MAKELPARAM(0, VK_F6), 0, {}};
            EXPECT_FALSE(platform::preTranslateInput(other));
        },
        IDCANCEL);
}
