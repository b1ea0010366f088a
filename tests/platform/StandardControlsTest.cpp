#include "WindowTestSupport.h"

#include "platform/Clipboard.h"
#include "platform/StandardControls.h"
#include "platform/WindowObject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

using kivtest::WindowTest;
using namespace platform::test;

namespace {

std::u16string textOf(HWND hwnd) {
    const auto length = static_cast<std::size_t>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
    std::u16string text(length + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        SendMessage(hwnd, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()))));
    return text;
}

std::u16string itemOf(HWND combo, int index) {
    const LRESULT length = SendMessage(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR)
        return u"<none>";
    std::u16string text(static_cast<std::size_t>(length) + 1, u'\0');
    SendMessage(combo, CB_GETLBTEXT, static_cast<WPARAM>(index),
                reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

LPARAM text(const char16_t* s) {
    return reinterpret_cast<LPARAM>(s);
}

// The notification codes a parent received from the control with id, in order.
std::vector<WORD> notifications(const std::vector<kivtest::Received>& commands, int id) {
    std::vector<WORD> codes;
    for (const auto& r : commands) {
        if (LOWORD(r.wParam) == id)
            codes.push_back(HIWORD(r.wParam));
    }
    return codes;
}

// A parent object that takes Return before its controls do, as a bar does.
class KeyTaker : public platform::WindowObject {
public:
    bool preTranslateMessage(MSG& msg) override {
        if (msg.message == WM_KEYDOWN)
            seen.push_back(static_cast<int>(msg.wParam));
        return msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN;
    }
    std::vector<int> seen;
};

// A subclassed control that drops the letter 'x' and hears its own reflected notifications.
class Subclassed : public platform::WindowObject {
public:
    const platform::MessageMap& messageMap() const override {
        static constexpr platform::MessageEntry entries[] = {
            platform::onMessage<WM_CHAR, &Subclassed::onChar>(),
            platform::onMessage<platform::WM_REFLECT + WM_COMMAND, &Subclassed::onReflected>()};
        static const platform::MessageMap map{&WindowObject::messageMap(), entries};
        return map;
    }
    std::vector<WORD> reflected;

private:
    LRESULT onChar(WPARAM wParam, LPARAM lParam) {
        return wParam == 'x' ? 0 : defaultProc(WM_CHAR, wParam, lParam);
    }
    LRESULT onReflected(WPARAM wParam, LPARAM /*lParam*/) {
        reflected.push_back(HIWORD(wParam));
        return 1;
    }
};

class StandardControlsTest : public WindowTest {
protected:
    HWND control(const char16_t* className, DWORD style, int id = 7, int height = 24) {
        parent_ = parent_ != nullptr ? parent_ : makeTopLevel(300, 200);
        HWND hwnd = CreateWindowEx(0, className, u"", WS_CHILD | WS_VISIBLE | style, 10, 10, 200,
                                   height, parent_, childId(id), nullptr, nullptr);
        EXPECT_NE(hwnd, nullptr);
        pumpMessages();
        return hwnd;
    }
    HWND parent_ = nullptr;
};

TEST_F(StandardControlsTest, TypedTextReachesTheEditWithChangeNotificationsAndDigitsOnly) {
    HWND edit = control(WC_EDIT, WS_BORDER);
    HWND digits = control(WC_EDIT, ES_NUMBER, 8);
    SetFocus(edit);
    clearLog();
    typeText(edit, u"ab");
    pressKey(edit, VK_BACK);
    typeText(edit, u"c日本");
    EXPECT_EQ(textOf(edit), u"ac日本");
    EXPECT_EQ(notifications(received(WM_COMMAND), 7),
              (std::vector<WORD>{EN_CHANGE, EN_CHANGE, EN_CHANGE}));

    SetFocus(digits);
    for (const char16_t c : std::u16string(u"1a2-3"))
        typeText(digits, std::u16string(1, c));
    EXPECT_EQ(textOf(digits), u"123");
    // The program may still put anything there; the field only filters what is typed.
    SetWindowText(digits, u"x9");
    EXPECT_EQ(textOf(digits), u"x9");

    // Characters the program sends are typed like the keyboard's.
    SendMessage(edit, WM_CHAR, u'!', 0);
    EXPECT_EQ(textOf(edit), u"ac日本!");

    // Committed input-method text arrives as well.
    SetFocus(edit);
    EXPECT_TRUE(inputMethodAccepted(edit));
    inputMethodCommit(edit, u"漢字");
    EXPECT_EQ(textOf(edit), u"ac日本!漢字");
}

TEST_F(StandardControlsTest, EditSelectionLimitAndTextBuffersFollowTheEditRules) {
    HWND edit = control(WC_EDIT, 0);
    SetWindowText(edit, u"hello world");
    SendMessage(edit, EM_SETSEL, 6, -1);
    DWORD start = 0;
    DWORD end = 0;
    EXPECT_EQ(SendMessage(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                          reinterpret_cast<LPARAM>(&end)),
              MAKELONG(6, 11));
    EXPECT_EQ(start, 6u);
    EXPECT_EQ(end, 11u);
    // A backwards selection keeps its ends; -1 drops the selection and keeps the caret.
    SendMessage(edit, EM_SETSEL, 5, 2);
    EXPECT_EQ(SendMessage(edit, EM_GETSEL, 0, 0), MAKELONG(2, 5));
    SendMessage(edit, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    EXPECT_EQ(LOWORD(SendMessage(edit, EM_GETSEL, 0, 0)),
              HIWORD(SendMessage(edit, EM_GETSEL, 0, 0)));
    SendMessage(edit, EM_SETSEL, 0, 99);
    SendMessage(edit, EM_REPLACESEL, 0, text(u"abc"));
    EXPECT_EQ(textOf(edit), u"abc");

    // A short buffer gets what fits, always terminated.
    char16_t small[3] = {u'z', u'z', u'z'};
    EXPECT_EQ(SendMessage(edit, WM_GETTEXT, 3, reinterpret_cast<LPARAM>(small)), 2);
    EXPECT_EQ(std::u16string(small), u"ab");
    EXPECT_EQ(SendMessage(edit, WM_GETTEXT, 0, reinterpret_cast<LPARAM>(small)), 0);

    SendMessage(edit, EM_LIMITTEXT, 5, 0);
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, 3, 3);
    typeText(edit, u"defg");
    EXPECT_EQ(textOf(edit), u"abcde");
    EXPECT_EQ(SendMessage(edit, EM_GETLIMITTEXT, 0, 0), 5);
}

TEST_F(StandardControlsTest, ClipboardMessagesPasteOnlyTheFirstLine) {
    HWND edit = control(WC_EDIT, 0);
    SetWindowText(edit, u"copy me");
    SendMessage(edit, EM_SETSEL, 0, 4);
    SendMessage(edit, WM_COPY, 0, 0);
    EXPECT_EQ(desktopClipboardText(), u"copy");
    SendMessage(edit, WM_CUT, 0, 0);
    EXPECT_EQ(textOf(edit), u" me");
    setDesktopClipboardText(u"first\nsecond");
    SendMessage(edit, EM_SETSEL, 0, 0);
    SendMessage(edit, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(edit), u"first me");
    // Ctrl+V typed into the field goes the same way.
    SetFocus(edit);
    SendMessage(edit, EM_SETSEL, 0, -1);
    pressKey(edit, 'V', Control);
    EXPECT_EQ(textOf(edit), u"first");
    // A digits-only field refuses a paste that is not digits.
    HWND digits = control(WC_EDIT, ES_NUMBER, 8);
    SendMessage(digits, WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(digits), u"");
}

TEST_F(StandardControlsTest, KeysPassThePreTranslationOfTheWindowsAboveFirst) {
    KeyTaker bar;
    RECT area{0, 0, 300, 60};
    HWND frame = makeTopLevel(300, 200);
    ASSERT_TRUE(
        bar.createEx(0, WC_STATIC, u"", WS_CHILD | WS_VISIBLE | WS_BORDER, area, frame, 0xFFFF));
    Subclassed field;
    ASSERT_TRUE(field.createEx(0, WC_EDIT, u"", WS_CHILD | WS_VISIBLE, RECT{5, 5, 200, 30},
                               bar.hwnd(), 40000));
    pumpMessages();
    SetFocus(field.hwnd());
    EXPECT_EQ(GetFocus(), field.hwnd());
    typeText(field.hwnd(), u"axb");
    EXPECT_EQ(textOf(field.hwnd()), u"ab");
    pressKey(field.hwnd(), VK_RETURN);
    pressKey(field.hwnd(), VK_LEFT);
    typeText(field.hwnd(), u"c");
    EXPECT_EQ(textOf(field.hwnd()), u"acb");
    EXPECT_EQ(bar.seen, (std::vector<int>{VK_RETURN, VK_LEFT, 'C'}));
    // The edit's notifications come back to its own object through the bar.
    EXPECT_FALSE(field.reflected.empty());
    for (WORD code : field.reflected)
        EXPECT_TRUE(code == EN_CHANGE || code == EN_SETFOCUS) << code;
}

TEST_F(StandardControlsTest, EditableComboKeepsItsFieldThroughRandomListChanges) {
    HWND combo = control(WC_COMBOBOX, CBS_DROPDOWN | CBS_AUTOHSCROLL, 40000, 150);
    SendMessage(combo, WM_SETTEXT, 0, text(u"typed"));
    std::vector<std::u16string> model;
    std::mt19937 random(16);
    for (int step = 0; step < 300; ++step) {
        const std::u16string item = u"item" + std::u16string(1, u'a' + random() % 26);
        const auto count = static_cast<int>(model.size());
        switch (random() % 4) {
        case 0:
            EXPECT_EQ(SendMessage(combo, CB_ADDSTRING, 0, text(item.c_str())), count);
            model.push_back(item);
            break;
        case 1: {
            const int at = static_cast<int>(random() % static_cast<unsigned>(count + 2)) - 1;
            const LRESULT answer =
                SendMessage(combo, CB_INSERTSTRING, static_cast<WPARAM>(at), text(item.c_str()));
            if (at > count) {
                EXPECT_EQ(answer, CB_ERR);
            } else {
                const int where = at < 0 ? count : at;
                EXPECT_EQ(answer, where);
                model.insert(model.begin() + where, item);
            }
            break;
        }
        default: {
            const int at = static_cast<int>(random() % static_cast<unsigned>(count + 1));
            const LRESULT answer = SendMessage(combo, CB_DELETESTRING, static_cast<WPARAM>(at), 0);
            if (at >= count) {
                EXPECT_EQ(answer, CB_ERR);
            } else {
                model.erase(model.begin() + at);
                EXPECT_EQ(answer, static_cast<LRESULT>(model.size()));
            }
            break;
        }
        }
        ASSERT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(model.size()));
        ASSERT_EQ(textOf(combo), u"typed") << "step " << step;
    }
    for (std::size_t i = 0; i < model.size(); ++i)
        EXPECT_EQ(itemOf(combo, static_cast<int>(i)), model[i]);
    EXPECT_EQ(itemOf(combo, static_cast<int>(model.size())), u"<none>");
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);

    // Selecting copies the item into the field; removing the selected item keeps the text.
    SendMessage(combo, CB_INSERTSTRING, 0, text(u"first"));
    EXPECT_EQ(SendMessage(combo, CB_SETCURSEL, 0, 0), 0);
    EXPECT_EQ(textOf(combo), u"first");
    SendMessage(combo, CB_INSERTSTRING, 0, text(u"zero"));
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), 1);
    SendMessage(combo, CB_DELETESTRING, 1, 0);
    EXPECT_EQ(SendMessage(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(textOf(combo), u"first");
    SendMessage(combo, CB_RESETCONTENT, 0, 0);
    EXPECT_EQ(SendMessage(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(textOf(combo), u"");
}

TEST_F(StandardControlsTest, EditableComboTypesInItsFieldWindowAndDropsItsList) {
    KeyTaker bar;
    HWND frame = makeTopLevel(300, 200);
    ASSERT_TRUE(
        bar.createEx(0, WC_STATIC, u"", WS_CHILD | WS_VISIBLE, RECT{0, 0, 300, 40}, frame, 0xFFFF));
    Subclassed combo;
    ASSERT_TRUE(combo.createEx(0, WC_COMBOBOX, u"", WS_CHILD | WS_VISIBLE | 0x42,
                               RECT{40, 1, 290, 150}, bar.hwnd(), 40000));
    pumpMessages();
    // The window is one field high; the height asked for is the dropped list's.
    RECT r;
    GetWindowRect(combo.hwnd(), &r);
    EXPECT_LT(r.bottom - r.top, 60);
    EXPECT_GT(r.bottom - r.top, 10);

    SendMessage(combo.hwnd(), CB_ADDSTRING, 0, text(u"older"));
    SetFocus(combo.hwnd());
    const HWND field = GetFocus();
    ASSERT_NE(field, nullptr);
    EXPECT_NE(field, combo.hwnd());
    EXPECT_EQ(GetParent(field), combo.hwnd());
    for (const char16_t c : std::u16string(u"abc"))
        typeText(combo.hwnd(), std::u16string(1, c));
    EXPECT_EQ(textOf(combo.hwnd()), u"abc");
    EXPECT_EQ(textOf(field), u"abc");
    EXPECT_EQ(std::count(combo.reflected.begin(), combo.reflected.end(), CBN_EDITCHANGE), 3);
    // Keys in the field pass the combo's and the bar's pre-translation, addressed to the field.
    pressKey(combo.hwnd(), VK_RETURN);
    EXPECT_EQ(bar.seen, (std::vector<int>{'A', 'B', 'C', VK_RETURN}));

    EXPECT_EQ(SendMessage(combo.hwnd(), CB_GETDROPPEDSTATE, 0, 0), FALSE);
    SendMessage(combo.hwnd(), CB_SHOWDROPDOWN, TRUE, 0);
    EXPECT_EQ(SendMessage(combo.hwnd(), CB_GETDROPPEDSTATE, 0, 0), TRUE);
    SendMessage(combo.hwnd(), CB_SHOWDROPDOWN, FALSE, 0);
    EXPECT_EQ(SendMessage(combo.hwnd(), CB_GETDROPPEDSTATE, 0, 0), FALSE);
    EXPECT_EQ(std::count(combo.reflected.begin(), combo.reflected.end(), CBN_DROPDOWN), 1);
    EXPECT_EQ(std::count(combo.reflected.begin(), combo.reflected.end(), CBN_CLOSEUP), 1);

    // Clipboard messages to the box act on its field.
    setDesktopClipboardText(u"pasted");
    SendMessage(combo.hwnd(), CB_SETEDITSEL, 0, MAKELPARAM(0, 0xFFFF));
    SendMessage(combo.hwnd(), WM_PASTE, 0, 0);
    EXPECT_EQ(textOf(combo.hwnd()), u"pasted");
    EXPECT_EQ(SendMessage(combo.hwnd(), CB_GETCOUNT, 0, 0), 1);
}

TEST_F(StandardControlsTest, DropDownListShowsOnlyItsItemsAndReportsTheUsersChoice) {
    HWND list = control(WC_COMBOBOX, CBS_DROPDOWNLIST | WS_TABSTOP, 1001, 120);
    for (const char16_t* item : {u"CR", u"CRLF", u"LF"})
        SendMessage(list, CB_ADDSTRING, 0, text(item));
    EXPECT_EQ(SendMessage(list, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(textOf(list), u"");
    EXPECT_EQ(SendMessage(list, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(textOf(list), u"CRLF");
    EXPECT_EQ(SendMessage(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text(u"lf")), 2);
    EXPECT_EQ(SendMessage(list, WM_SETTEXT, 0, text(u"nothing")), CB_ERR);
    EXPECT_EQ(SendMessage(list, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(SendMessage(list, CB_SETCURSEL, 7, 0), CB_ERR);
    SendMessage(list, CB_SETCURSEL, 0, 0);
    // No notification for the program's own choices; the user's arrive.
    EXPECT_TRUE(notifications(received(WM_COMMAND), 1001).empty());
    SetFocus(list);
    EXPECT_EQ(GetFocus(), list);
    pressKey(list, VK_DOWN);
    EXPECT_EQ(SendMessage(list, CB_GETCURSEL, 0, 0), 1);
    const auto codes = notifications(received(WM_COMMAND), 1001);
    EXPECT_NE(std::find(codes.begin(), codes.end(), CBN_SELCHANGE), codes.end());
}

TEST_F(StandardControlsTest, ButtonsCheckClickAndNotify) {
    HWND autoBox = control(WC_BUTTON, BS_AUTOCHECKBOX, 1004);
    HWND plainBox = control(WC_BUTTON, BS_CHECKBOX, 1005);
    HWND push = control(WC_BUTTON, BS_PUSHBUTTON, IDOK);
    SetWindowText(autoBox, u"Bold");
    EXPECT_EQ(textOf(autoBox), u"Bold");
    EXPECT_EQ(SendMessage(autoBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    SendMessage(autoBox, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(SendMessage(autoBox, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessage(autoBox, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessage(autoBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // A plain check box changes only when the program says so.
    SendMessage(plainBox, BM_CLICK, 0, 0);
    EXPECT_EQ(SendMessage(plainBox, BM_GETCHECK, 0, 0), BST_UNCHECKED);
    // Space on a focused box presses it.
    SetFocus(autoBox);
    pressKey(autoBox, VK_SPACE);
    EXPECT_EQ(SendMessage(autoBox, BM_GETCHECK, 0, 0), BST_CHECKED);
    SendMessage(push, BM_CLICK, 0, 0);
    const auto commands = received(WM_COMMAND);
    EXPECT_EQ(notifications(commands, 1004), (std::vector<WORD>{BN_CLICKED, BN_CLICKED}));
    EXPECT_EQ(notifications(commands, 1005), std::vector<WORD>{BN_CLICKED});
    EXPECT_EQ(notifications(commands, IDOK), std::vector<WORD>{BN_CLICKED});
    // A disabled button cannot be pressed.
    EnableWindow(push, FALSE);
    SendMessage(push, BM_CLICK, 0, 0);
    EXPECT_EQ(notifications(received(WM_COMMAND), IDOK).size(), 1u);
}

TEST_F(StandardControlsTest, StaticDrawsItsTextAndHoldsChildren) {
    HWND label = control(WC_STATIC, 0, 0xFFFF, 30);
    SetWindowText(label, u"Find: ");
    pumpMessages();
    const COLORREF background = clientPixel(label, 190, 25);
    int inked = 0;
    for (int x = 0; x < 60; ++x) {
        for (int y = 0; y < 20; ++y)
            inked += clientPixel(label, x, y) != background ? 1 : 0;
    }
    EXPECT_GT(inked, 20);
    HWND inside = CreateWindowEx(0, WC_EDIT, u"", WS_CHILD | WS_VISIBLE, 100, 2, 90, 24, label,
                                 childId(5), nullptr, nullptr);
    ASSERT_NE(inside, nullptr);
    EXPECT_EQ(GetParent(inside), label);
    EXPECT_EQ(GetDlgItem(label, 5), inside);
    // The label's own text never mixes with what the child shows.
    SetWindowText(label, u"");
    pumpMessages();
    EXPECT_EQ(clientPixel(label, 5, 10), background);
}

TEST_F(StandardControlsTest, AClickFocusesAControlAndMovesTheFocusAsSetFocusDoes) {
    HWND first = control(WC_EDIT, 0, 1);
    HWND second = CreateWindowEx(0, WC_EDIT, u"", WS_CHILD | WS_VISIBLE, 10, 60, 200, 24, parent_,
                                 childId(2), nullptr, nullptr);
    SetFocus(first);
    clearLog();
    mousePress(second, MouseButton::Left, 5, 5);
    mouseRelease(second, MouseButton::Left, 5, 5);
    EXPECT_EQ(GetFocus(), second);
    const auto commands = received(WM_COMMAND);
    EXPECT_EQ(notifications(commands, 1), std::vector<WORD>{EN_KILLFOCUS});
    EXPECT_EQ(notifications(commands, 2), std::vector<WORD>{EN_SETFOCUS});
    // Destroying the focused control leaves nobody with the focus, and nothing dangling.
    DestroyWindow(second);
    EXPECT_EQ(GetFocus(), nullptr);
    SetFocus(first);
    typeText(first, u"still works");
    EXPECT_EQ(textOf(first), u"still works");
}

} // namespace
