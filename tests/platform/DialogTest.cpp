#include "WindowTestSupport.h"

#include "platform/DialogTestHooks.h"
#include "platform/Menu.h"
#include "platform/ModalDialog.h"
#include "platform/SoftKeyBar.h"
#include "platform/StandardControls.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using kivtest::WindowTest;
using namespace platform::test;

namespace {

constexpr DWORD kShown = WS_CHILD | WS_VISIBLE;

std::u16string textOf(HWND hwnd) {
    const int length = GetWindowTextLength(hwnd);
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    text.resize(static_cast<std::size_t>(GetWindowText(hwnd, text.data(), length + 1)));
    return text;
}

// A dialog shaped like the settings dialogs: labels, a drop-down list, digits-only fields,
// check boxes, one control far below the rest.
platform::DialogTemplate sampleTemplate() {
    platform::DialogTemplate t;
    t.style = WS_VSCROLL;
    t.caption = u"Settings";
    t.cx = 160;
    t.cy = 120;
    t.controls = {
        {WC_STATIC, u"Size:", -1, kShown, 4, 6, 40, 10, {}},
        {WC_COMBOBOX,
         nullptr,
         1001,
         kShown | WS_TABSTOP | CBS_DROPDOWNLIST,
         48,
         4,
         60,
         80,
         {u"8", u"10", u"12"}},
        {WC_STATIC, u"Recent Files:", -1, kShown, 4, 22, 60, 10, {}},
        {WC_EDIT, nullptr, 1007, kShown | WS_TABSTOP | WS_BORDER | ES_NUMBER, 68, 20, 30, 12, {}},
        {WC_BUTTON,
         u"Disabled one",
         1002,
         kShown | WS_TABSTOP | WS_DISABLED | BS_AUTOCHECKBOX,
         4,
         36,
         100,
         10,
         {}},
        {WC_BUTTON,
         u"Hidden one",
         1003,
         WS_CHILD | WS_TABSTOP | BS_AUTOCHECKBOX,
         4,
         48,
         100,
         10,
         {}},
        {WC_BUTTON, u"Bold", 1013, kShown | WS_TABSTOP | BS_AUTOCHECKBOX, 4, 60, 100, 10, {}},
        {WC_STATIC, u"Text Margin:", -1, kShown, 4, 200, 60, 10, {}},
        {WC_EDIT, nullptr, 1021, kShown | WS_TABSTOP | WS_BORDER | ES_NUMBER, 68, 198, 30, 12, {}},
    };
    return t;
}

class SampleDialog : public platform::ModalDialog {
public:
    SampleDialog() : ModalDialog(tpl_) {}

    int size = 1;
    int recent = 4;
    int bold = 1;
    BYTE margin = 0;
    int initResult = TRUE;
    std::vector<int> notified;

protected:
    int onInitDialog() override {
        const int base = ModalDialog::onInitDialog();
        return initResult == TRUE ? base : initResult;
    }
    void doDataExchange(platform::DataExchange& dx) override {
        dx.comboIndex(1001, size);
        dx.integer(1007, recent, 1, 9);
        dx.check(1013, bold);
        dx.byteValue(1021, margin);
    }
    bool onNotification(int id, UINT code, HWND /*control*/) override {
        if (code == CBN_SELCHANGE)
            notified.push_back(id);
        return false;
    }

private:
    inline static const platform::DialogTemplate tpl_ = sampleTemplate();
};

class DialogTest : public WindowTest {
protected:
    void TearDown() override {
        takeDialogCalls();
        WindowTest::TearDown();
    }
};

TEST_F(DialogTest, TemplatesBecomeControlsPlacedInDialogUnitsOfTheDialogFont) {
    HWND owner = makeTopLevel(400, 500);
    static std::vector<LPARAM> initParams;
    initParams.clear();
    const platform::DialogTemplate t = sampleTemplate();
    HWND dialog = CreateDialogIndirectParam(
        nullptr, &t, owner,
        [](HWND, UINT msg, WPARAM, LPARAM lParam) -> INT_PTR {
            if (msg == WM_INITDIALOG)
                initParams.push_back(lParam);
            return FALSE;
        },
        1234);
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsDialogWindow(dialog));
    EXPECT_EQ(initParams, std::vector<LPARAM>{1234});
    EXPECT_EQ(textOf(dialog), u"Settings");
    for (const platform::DialogControl& c : t.controls) {
        if (c.id == -1)
            continue;
        HWND control = GetDlgItem(dialog, c.id);
        ASSERT_NE(control, nullptr) << c.id;
        RECT expected{c.x, c.y, c.x + c.cx, c.y + c.cy};
        MapDialogRect(dialog, &expected);
        RECT actual;
        GetWindowRect(control, &actual);
        POINT topLeft{actual.left, actual.top};
        ScreenToClient(dialog, &topLeft);
        EXPECT_EQ(topLeft, (POINT{expected.left, expected.top})) << c.id;
        EXPECT_EQ(actual.right - actual.left, expected.right - expected.left) << c.id;
        EXPECT_EQ(SendMessage(control, WM_GETFONT, 0, 0) != 0, true) << c.id;
    }
    // A unit is a quarter of the font's average width and an eighth of its height: a larger
    // font spreads the same template wider.
    RECT unit{0, 0, 4, 8};
    MapDialogRect(dialog, &unit);
    EXPECT_GT(unit.right, 4);
    EXPECT_GT(unit.bottom, 8);
    platform::DialogTemplate big = t;
    big.pointSize = 24;
    HWND bigDialog = CreateDialogIndirectParam(nullptr, &big, owner, nullptr, 0);
    ASSERT_NE(bigDialog, nullptr);
    RECT bigUnit{0, 0, 4, 8};
    MapDialogRect(bigDialog, &bigUnit);
    EXPECT_GT(bigUnit.bottom, unit.bottom);
    // The combo box starts with its items, in order, and nothing selected.
    HWND size = GetDlgItem(dialog, 1001);
    EXPECT_EQ(SendMessage(size, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessage(size, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1003)));
    EXPECT_TRUE(EndDialog(dialog, IDOK));
    EXPECT_FALSE(IsWindow(dialog));
    DestroyWindow(bigDialog);
}

TEST_F(DialogTest, OkValidatesFieldByFieldAndKeepsTheDialogOpenOnAFailure) {
    HWND owner = makeTopLevel(400, 500);
    SampleDialog dialog;
    std::vector<int> focusAfterFailure;
    queueDialogAnswer([](HWND d) { SetDlgItemText(d, 1007, u"10"); });
    queueDialogAnswer([&](HWND d) {
        focusAfterFailure.push_back(GetDlgCtrlID(GetFocus()));
        SetDlgItemText(d, 1007, u"x");
    });
    queueDialogAnswer([&](HWND d) {
        focusAfterFailure.push_back(GetDlgCtrlID(GetFocus()));
        SetDlgItemText(d, 1007, u"7");
        SetDlgItemText(d, 1021, u"256");
    });
    queueDialogAnswer([&](HWND d) {
        focusAfterFailure.push_back(GetDlgCtrlID(GetFocus()));
        SetDlgItemText(d, 1021, u"255");
        CheckDlgButton(d, 1013, BST_UNCHECKED);
        SendDlgItemMessage(d, 1001, CB_SETCURSEL, 2, 0);
        BOOL ok = FALSE;
        EXPECT_EQ(GetDlgItemInt(d, 1007, &ok, FALSE), 7u);
        EXPECT_TRUE(ok);
    });
    EXPECT_EQ(dialog.doModal(owner), IDOK);
    std::vector<std::u16string> messages;
    for (const auto& box : takeMessageBoxCalls())
        messages.push_back(box.text);
    EXPECT_EQ(messages,
              (std::vector<std::u16string>{u"Please enter an integer between 1 and 9.",
                                           u"Please enter an integer.",
                                           u"Please enter an integer between 0 and 255."}));
    EXPECT_EQ(focusAfterFailure, (std::vector<int>{1007, 1007, 1021}));
    EXPECT_EQ(dialog.recent, 7);
    EXPECT_EQ(dialog.margin, 255);
    EXPECT_EQ(dialog.bold, 0);
    EXPECT_EQ(dialog.size, 2);
    const auto calls = takeDialogCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].caption, u"Settings");
    EXPECT_EQ(calls[0].result, IDOK);
    EXPECT_EQ(calls[0].answersUsed, 4);
    EXPECT_TRUE(IsWindowEnabled(owner));
}

TEST_F(DialogTest, AnUnansweredDialogIsDismissedAsCancelAndChangesNothing) {
    HWND owner = makeTopLevel(400, 500);
    HWND focused = makeChild(owner, 5, 0, 0, 50, 50);
    SetFocus(focused);
    SampleDialog dialog;
    dialog.recent = 3;
    queueDialogAnswer([](HWND d) { SetDlgItemText(d, 1007, u"0"); });
    EXPECT_EQ(dialog.doModal(owner), IDCANCEL);
    EXPECT_EQ(dialog.recent, 3);
    EXPECT_EQ(takeMessageBoxCalls().size(), 1u);
    EXPECT_EQ(GetFocus(), focused);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(dialog.hwnd(), nullptr);
    // A failing initialisation ends the dialog at once and leaves queued answers alone.
    SampleDialog failing;
    failing.initResult = -1;
    EXPECT_EQ(failing.doModal(owner), -1);
    queueDialogAnswer(nullptr, IDCANCEL);
    EXPECT_EQ(SampleDialog().doModal(owner), IDCANCEL);
    const auto calls = takeDialogCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].result, -1);
    EXPECT_EQ(calls[2].answersUsed, 1);
}

TEST_F(DialogTest, TabReturnAndEscapeNavigateLikeADialog) {
    HWND owner = makeTopLevel(400, 500);
    std::vector<int> order;
    queueDialogAnswer(
        [&](HWND d) {
            order.push_back(GetDlgCtrlID(GetFocus()));
            for (int i = 0; i < 4; ++i) {
                pressKey(GetFocus(), VK_TAB);
                order.push_back(GetDlgCtrlID(GetFocus()));
            }
            pressKey(GetFocus(), VK_TAB, Shift);
            order.push_back(GetDlgCtrlID(GetFocus()));
            // Tab into an edit selects its text, so typing replaces it.
            SetDlgItemText(d, 1021, u"12");
            SetFocus(GetDlgItem(d, 1013));
            pressKey(GetFocus(), VK_TAB);
            typeText(GetFocus(), u"3");
            EXPECT_EQ(textOf(GetDlgItem(d, 1021)), u"3");
            pressKey(GetFocus(), VK_RETURN);
        },
        IDCANCEL);
    SampleDialog dialog;
    EXPECT_EQ(dialog.doModal(owner), IDOK);
    // The disabled and the hidden check boxes are skipped; the order wraps around.
    EXPECT_EQ(order, (std::vector<int>{1001, 1007, 1013, 1021, 1001, 1021}));
    EXPECT_EQ(dialog.margin, 3);
    EXPECT_EQ(takeDialogCalls().front().answersUsed, 1);

    queueDialogAnswer([](HWND) { pressKey(GetFocus(), VK_ESCAPE); }, IDOK);
    SampleDialog escaped;
    EXPECT_EQ(escaped.doModal(owner), IDCANCEL);
}

TEST_F(DialogTest, AChoiceInADropDownListReachesTheDialog) {
    HWND owner = makeTopLevel(400, 500);
    SampleDialog dialog;
    queueDialogAnswer([](HWND d) {
        SetFocus(GetDlgItem(d, 1001));
        pressKey(GetFocus(), VK_DOWN);
    });
    EXPECT_EQ(dialog.doModal(owner), IDOK);
    EXPECT_EQ(dialog.notified, std::vector<int>{1001});
    EXPECT_EQ(dialog.size, 2);
}

TEST_F(DialogTest, ASoftKeyBarDocksBelowTheContentWhichScrollsWithoutIt) {
    HWND owner = makeTopLevel(400, 500);
    static std::vector<UINT> seen;
    seen.clear();
    const platform::DialogTemplate t = sampleTemplate();
    HWND dialog = CreateDialogIndirectParam(
        nullptr, &t, owner,
        [](HWND, UINT msg, WPARAM wParam, LPARAM) -> INT_PTR {
            if (msg == WM_SIZE)
                seen.push_back(msg);
            if (msg == WM_COMMAND)
                seen.push_back(0x10000 + LOWORD(wParam));
            return FALSE;
        },
        0);
    ASSERT_NE(dialog, nullptr);
    RECT before;
    GetClientRect(dialog, &before);
    seen.clear();
    platform::SoftKeyMenuBar bar;
    ASSERT_TRUE(bar.create(dialog, 0xE800, 0x50002800));
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, IDOK, u"OK");
    AppendMenu(menu, MF_STRING, IDCANCEL, u"Cancel");
    ASSERT_TRUE(bar.loadMenu(menu));
    pumpMessages();
    RECT after;
    GetClientRect(dialog, &after);
    EXPECT_EQ(after.bottom, before.bottom - SoftKeyBarHeight());
    EXPECT_EQ(seen, std::vector<UINT>{WM_SIZE});
    RECT barRect;
    GetWindowRect(bar.hwnd(), &barRect);
    POINT barTop{barRect.left, barRect.top};
    ScreenToClient(dialog, &barTop);
    EXPECT_GE(barTop.y, after.bottom);

    HWND margin = GetDlgItem(dialog, 1021);
    RECT marginBefore;
    GetWindowRect(margin, &marginBefore);
    ScrollWindowEx(dialog, 0, -40, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE);
    RECT marginAfter;
    GetWindowRect(margin, &marginAfter);
    EXPECT_EQ(marginAfter.top, marginBefore.top - 40);
    RECT barAfter;
    GetWindowRect(bar.hwnd(), &barAfter);
    EXPECT_EQ(barAfter, barRect);

    // The soft keys reach the dialog from its controls.
    SetFocus(GetDlgItem(dialog, 1007));
    pressKey(GetFocus(), VK_F1);
    pumpMessages();
    EXPECT_EQ(seen.back(), 0x10000u + IDOK);
    DestroyWindow(dialog);
}

TEST_F(DialogTest, DialogItemIntegersAreDecimalsThatFit) {
    HWND owner = makeTopLevel(400, 500);
    const platform::DialogTemplate t = sampleTemplate();
    HWND dialog = CreateDialogIndirectParam(nullptr, &t, owner, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    HWND edit = GetDlgItem(dialog, 1007);
    struct Case {
        const char16_t* text;
        BOOL isSigned;
        BOOL translated;
        UINT value;
    };
    for (const Case& c :
         {Case{u"42", FALSE, TRUE, 42}, Case{u"  7 ", FALSE, TRUE, 7},
          Case{u"-3", TRUE, TRUE, static_cast<UINT>(-3)}, Case{u"-3", FALSE, FALSE, 0},
          Case{u"4294967295", FALSE, TRUE, 4294967295u}, Case{u"4294967296", FALSE, FALSE, 0},
          Case{u"2147483648", TRUE, FALSE, 0}, Case{u"", FALSE, FALSE, 0},
          Case{u"12a", FALSE, FALSE, 0}}) {
        SetWindowText(edit, c.text);
        BOOL translated = 2;
        EXPECT_EQ(GetDlgItemInt(dialog, 1007, &translated, c.isSigned), c.value) << "case";
        EXPECT_EQ(translated, c.translated);
    }
    SetDlgItemInt(dialog, 1007, static_cast<UINT>(-5), TRUE);
    EXPECT_EQ(textOf(edit), u"-5");
    EXPECT_EQ(GetDlgItemInt(dialog, 9999, nullptr, FALSE), 0u);
    DestroyWindow(dialog);
}

TEST_F(DialogTest, ASampleDialogIsGrabbedForALookWithItsSoftKeys) {
    HWND owner = makeTopLevel(480, 640);
    const platform::DialogTemplate t = sampleTemplate();
    HWND dialog = CreateDialogIndirectParam(nullptr, &t, owner, nullptr, 0);
    ASSERT_NE(dialog, nullptr);
    platform::SoftKeyMenuBar bar;
    ASSERT_TRUE(bar.create(dialog, 0xE800, 0x50002800));
    HMENU menu = CreatePopupMenu();
    AppendMenu(menu, MF_STRING, IDOK, u"OK");
    AppendMenu(menu, MF_STRING, IDCANCEL, u"Cancel");
    bar.loadMenu(menu);
    SetDlgItemText(dialog, 1007, u"4");
    SendDlgItemMessage(dialog, 1001, CB_SETCURSEL, 1, 0);
    CheckDlgButton(dialog, 1013, BST_CHECKED);
    pumpMessages();
    const std::filesystem::path folder = std::filesystem::current_path() / "png";
    std::filesystem::create_directories(folder);
    EXPECT_TRUE(grabToPng(dialog, (folder / "sample-dialog.png").string()));
    DestroyWindow(dialog);
}

} // namespace
