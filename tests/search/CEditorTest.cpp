#include "search/CEditor.h"

#include "editctl/EditWindowProc.h"
#include "editctl/NEditMessages.h"
#include "platform/AppObject.h"
#include "platform/Device.h"
#include "platform/FrameWindow.h"
#include "platform/HandheldShell.h"
#include "platform/TestHooks.h"
#include "resources/CommandIds.h"
#include "resources/UserMessages.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

// The editor's parent: records the messages posted to it.
class Parent : public platform::FrameWindow {
public:
    std::vector<std::pair<UINT, WPARAM>> got;

    LRESULT windowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == UM_SETMODIFIED || message == UM_EDITFOCUS || message == UM_SHIFTLOCK)
            got.emplace_back(message, wParam);
        return FrameWindow::windowProc(message, wParam, lParam);
    }
    std::vector<std::pair<UINT, WPARAM>> take(UINT message) {
        std::vector<std::pair<UINT, WPARAM>> out;
        for (const auto& m : got) {
            if (m.first == message)
                out.push_back(m);
        }
        got.clear();
        return out;
    }
};

class Editor : public ::testing::Test {
protected:
    void SetUp() override {
        editctl::registerNEditClass();
        WNDCLASS wc;
        wc.lpszClassName = u"kivTestParent";
        platform::WindowObject::registerClass(wc);
        ASSERT_TRUE(parent.createEx(0, u"kivTestParent", u"", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                    RECT{0, 0, 400, 300}, nullptr, 0));
        app.setMainWindow(&parent);
        platform::setScreenWindow(parent.hwnd());
        ASSERT_TRUE(editor.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE,
                                  RECT{0, 0, 400, 300}, parent.hwnd(), 1333));
        parent.setView(&editor);
        SetFocus(editor.hwnd());
        platform::test::pumpMessages();
        parent.got.clear();
    }
    void TearDown() override {
        editor.destroyWindow();
        parent.destroyWindow();
        platform::setScreenWindow(nullptr);
        SendShiftKey(false);
        platform::test::setPlatformKind(platform::PlatformKind::PocketPc);
        platform::test::pumpMessages();
    }
    void setText(const std::u16string& text) {
        editor.SetText(text);
        select(0, 0);
    }
    void select(int start, int end) { SendMessage(editor.hwnd(), EM_SETSEL, start, end); }
    std::pair<DWORD, DWORD> selection() {
        DWORD start = 0;
        DWORD end = 0;
        SendMessage(editor.hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                    reinterpret_cast<LPARAM>(&end));
        return {start, end};
    }
    int firstVisibleLine() {
        return static_cast<int>(SendMessage(editor.hwnd(), EM_GETFIRSTVISIBLELINE, 0, 0));
    }

    platform::AppObject app;
    Parent parent;
    search::CEditor editor;
};

std::u16string lines(int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i)
        text += u"line " + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u"\r";
    return text;
}

} // namespace

// The seed is the selection exactly when it is at most 64 characters long and stays on one
// line; the selected text is the selection, whatever it holds.
TEST_F(Editor, SearchSeedsAreShortSingleLineSelections) {
    std::mt19937 random(7);
    const std::u16string alphabet = u"ab\r日本 ";
    for (int round = 0; round < 200; ++round) {
        std::u16string text;
        const std::size_t length = random() % 150;
        for (std::size_t i = 0; i < length; ++i)
            text += alphabet[random() % alphabet.size()];
        setText(text);
        const auto a = static_cast<int>(random() % (length + 1));
        const auto b = static_cast<int>(random() % (length + 1));
        select(a, b);
        const std::u16string selected = text.substr(std::min(a, b), std::abs(a - b));
        const bool seedable = selected.size() <= 64 && selected.find(u'\r') == std::u16string::npos;
        EXPECT_EQ(editor.InitialFindText(), seedable ? selected : u"");
        EXPECT_EQ(editor.GetSelectedText(), selected);
    }
}

TEST_F(Editor, GoToLineCountsFromOneAndStopsAtTheLastLine) {
    setText(u"first\rsecond\rthird");
    editor.GoToLine(1);
    EXPECT_EQ(selection(), (std::pair<DWORD, DWORD>(0, 0)));
    editor.GoToLine(99);
    EXPECT_EQ(selection(), (std::pair<DWORD, DWORD>(13, 13)));
    // 0 means the caret's own line.
    select(9, 9);
    editor.GoToLine(0);
    EXPECT_EQ(selection(), (std::pair<DWORD, DWORD>(6, 6)));
    setText(u"one line");
    select(4, 4);
    SendMessage(editor.hwnd(), WM_COMMAND, ID_GOTO_LASTLINE, 0);
    EXPECT_EQ(selection(), (std::pair<DWORD, DWORD>(0, 0)));
}

TEST_F(Editor, TheModifiedStateIsReportedWhenItChanges) {
    platform::test::typeText(editor.hwnd(), u"a");
    platform::test::typeText(editor.hwnd(), u"b");
    platform::test::pumpMessages();
    EXPECT_EQ(parent.take(UM_SETMODIFIED),
              (std::vector<std::pair<UINT, WPARAM>>{{UM_SETMODIFIED, 1}}));
    // After a save the first change is reported again.
    editor.MarkUnmodified();
    platform::test::typeText(editor.hwnd(), u"c");
    platform::test::pumpMessages();
    EXPECT_EQ(parent.take(UM_SETMODIFIED),
              (std::vector<std::pair<UINT, WPARAM>>{{UM_SETMODIFIED, 1}}));
    // Undoing back to the saved text reports the unmodified state.
    SendMessage(editor.hwnd(), WM_COMMAND, ID_EDIT_UNDO, 0);
    platform::test::pumpMessages();
    EXPECT_EQ(parent.take(UM_SETMODIFIED),
              (std::vector<std::pair<UINT, WPARAM>>{{UM_SETMODIFIED, 0}}));
}

TEST_F(Editor, TakingTheFocusIsReportedToTheParent) {
    SetFocus(parent.hwnd());
    SetFocus(editor.hwnd());
    platform::test::pumpMessages();
    const auto got = parent.take(UM_EDITFOCUS);
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].second, reinterpret_cast<WPARAM>(editor.hwnd()));
}

TEST_F(Editor, TheWrapColumnFollowsTheScreensOrientation) {
    editor.SetWrapColumns(20, 40);
    EXPECT_EQ(SendMessage(editor.hwnd(), NEM_GETWRAPCOLUMN, 0, 0), 40);
    MoveWindow(parent.hwnd(), 0, 0, 300, 500, TRUE);
    MoveWindow(editor.hwnd(), 0, 0, 300, 500, TRUE);
    EXPECT_EQ(SendMessage(editor.hwnd(), NEM_GETWRAPCOLUMN, 0, 0), 20);
    MoveWindow(parent.hwnd(), 0, 0, 500, 300, TRUE);
    MoveWindow(editor.hwnd(), 0, 0, 500, 300, TRUE);
    EXPECT_EQ(SendMessage(editor.hwnd(), NEM_GETWRAPCOLUMN, 0, 0), 40);
}

TEST_F(Editor, TheWheelScrollsByTheVolumeModeOnAPocketPcOnly) {
    setText(lines(200));
    const auto scrolledByOneNotchUp = [&] {
        SendMessage(editor.hwnd(), EM_LINESCROLL, 0, 100);
        const int before = firstVisibleLine();
        platform::test::mouseWheel(editor.hwnd(), 10, 10, 120);
        platform::test::pumpMessages();
        return before - firstVisibleLine();
    };
    const int controlAlone = scrolledByOneNotchUp();
    editor.SetScrollMode(2);
    EXPECT_EQ(scrolledByOneNotchUp(), controlAlone + 10);
    editor.SetScrollMode(6);
    EXPECT_EQ(scrolledByOneNotchUp(), controlAlone + 1);
    platform::test::setPlatformKind(platform::PlatformKind::Smartphone);
    EXPECT_EQ(scrolledByOneNotchUp(), controlAlone);
}

TEST_F(Editor, ReleasingAnArrowWhileTheScrollKeyIsHeldScrollsAndStillMovesTheCaret) {
    setText(lines(200));
    editor.SetScrollMode(1);
    SendMessage(editor.hwnd(), EM_LINESCROLL, 0, 100);
    select(static_cast<int>(SendMessage(editor.hwnd(), EM_LINEINDEX, 110, 0)),
           static_cast<int>(SendMessage(editor.hwnd(), EM_LINEINDEX, 110, 0)));
    const int before = firstVisibleLine();
    const auto caret = selection().first;
    // The key a handheld holds for scrolling never comes from a desktop keyboard.
    MSG armed{editor.hwnd(), WM_KEYDOWN, 0x83, 1, 0, {}};
    platform::preTranslateInput(armed);
    platform::test::pressKey(editor.hwnd(), VK_UP);
    EXPECT_EQ(firstVisibleLine(), before - 5);
    EXPECT_LT(selection().first, caret);
    MSG released{editor.hwnd(), WM_KEYUP, 0x83, 1, 0, {}};
    platform::preTranslateInput(released);
    platform::test::pressKey(editor.hwnd(), VK_UP);
    EXPECT_EQ(firstVisibleLine(), before - 5);
}

TEST_F(Editor, TheContextMenuEndsTheShiftLockAndItsChoiceComesBackAsACommand) {
    setText(u"日本語");
    select(0, 2);
    SendShiftKey(true);
    platform::test::queuePopupMenuAnswer(ID_EDIT_COPY);
    SendMessage(editor.hwnd(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(editor.hwnd()),
                MAKELPARAM(30, 40));
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
    platform::test::pumpMessages();
    EXPECT_EQ(parent.take(UM_SHIFTLOCK), (std::vector<std::pair<UINT, WPARAM>>{{UM_SHIFTLOCK, 0}}));
    const auto calls = platform::test::takePopupMenuCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].at, (POINT{30, 40}));
    EXPECT_EQ(calls[0].items.size(), 7u);
    EXPECT_EQ(platform::test::desktopClipboardText(), u"日本");
}

TEST_F(Editor, ASoftKeyEndsTheShiftLockAndShiftLockAsksTheFrameForItsBar) {
    SendMessage(editor.hwnd(), WM_COMMAND, ID_SHIFTLOCK, 0);
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
    platform::test::pumpMessages();
    EXPECT_EQ(parent.take(UM_SHIFTLOCK), (std::vector<std::pair<UINT, WPARAM>>{{UM_SHIFTLOCK, 1}}));
    platform::test::pressKey(editor.hwnd(), VK_F2);
    EXPECT_GE(GetKeyState(VK_SHIFT), 0);
}
