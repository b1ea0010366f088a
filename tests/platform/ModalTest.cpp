#include "WindowTestSupport.h"

using kivtest::WindowTest;
using platform::test::takeMessageBoxCalls;
using platform::test::takePopupMenuCalls;

namespace {

class ModalTest : public WindowTest {
protected:
    // The edit control's context menu shape: two commands, a separator, a greyed one.
    HMENU makeMenu() {
        HMENU menu = CreatePopupMenu();
        AppendMenu(menu, MF_STRING, 199, u"元に戻す(&U)");
        AppendMenu(menu, MF_STRING | MF_GRAYED, 768, u"切り取り(&T)");
        AppendMenu(menu, MF_SEPARATOR, 0, nullptr);
        AppendMenu(menu, MF_STRING, 1, u"すべて選択(&A)");
        return menu;
    }
};

TEST_F(ModalTest, QueuedAnswerClosesAMessageBoxAndTheQuestionIsRecorded) {
    HWND hwnd = makeTopLevel();
    platform::test::queueMessageBoxAnswer(IDNO);
    EXPECT_EQ(MessageBox(hwnd, u"Save changes?", u"kiv", MB_YESNOCANCEL | MB_ICONQUESTION), IDNO);
    platform::test::queueMessageBoxAnswer(IDYES); // a button this box does not have
    EXPECT_EQ(MessageBox(hwnd, u"Out of Memory", u"Error!", MB_OK | MB_ICONSTOP), IDOK);
    // Nobody queued an answer: the headless box is dismissed at once.
    EXPECT_EQ(MessageBox(hwnd, u"?", u"", MB_OKCANCEL), IDCANCEL);
    const auto calls = takeMessageBoxCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].text, u"Save changes?");
    EXPECT_EQ(calls[0].type, MB_YESNOCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(calls[1].caption, u"Error!");
    EXPECT_EQ(calls[1].result, IDOK);
}

TEST_F(ModalTest, QueuedChoiceClosesAPopupMenuButGreyedItemsCannotBeChosen) {
    HWND hwnd = makeTopLevel();
    HMENU menu = makeMenu();
    platform::test::queuePopupMenuAnswer(1);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 30, 40, 0, hwnd, nullptr), 1);
    platform::test::queuePopupMenuAnswer(768);
    EXPECT_EQ(TrackPopupMenu(menu, TPM_RETURNCMD, 30, 40, 0, hwnd, nullptr), 0);
    const auto calls = takePopupMenuCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].at, (POINT{30, 40}));
    ASSERT_EQ(calls[0].items.size(), 4u);
    EXPECT_EQ(calls[0].items[1].flags & MF_GRAYED, MF_GRAYED);
    EXPECT_EQ(calls[0].items[2].flags & MF_SEPARATOR, MF_SEPARATOR);
    EXPECT_EQ(calls[0].items[3].text, u"すべて選択(&A)");
    EXPECT_EQ(received(WM_INITMENUPOPUP).size(), 2u);
    EXPECT_TRUE(DestroyMenu(menu));
    EXPECT_FALSE(DestroyMenu(menu));
}

TEST_F(ModalTest, WithoutReturnCommandTheChoiceIsPostedAsACommand) {
    HWND hwnd = makeTopLevel();
    HMENU menu = makeMenu();
    HMENU sub = CreatePopupMenu();
    AppendMenu(sub, MF_STRING, 4242, u"deep");
    AppendMenu(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"more");
    EXPECT_FALSE(AppendMenu(sub, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), u"loop"));
    platform::test::queuePopupMenuAnswer(4242);
    clearLog();
    EXPECT_TRUE(TrackPopupMenu(menu, 0, 0, 0, 0, hwnd, nullptr));
    EXPECT_TRUE(received(WM_COMMAND).empty());
    platform::test::pumpMessages();
    ASSERT_EQ(received(WM_COMMAND).size(), 1u);
    EXPECT_EQ(LOWORD(received(WM_COMMAND)[0].wParam), 4242);
    EXPECT_EQ(EnableMenuItem(menu, 4242, MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(CheckMenuItem(menu, 199, MF_CHECKED), MF_UNCHECKED);
    DestroyMenu(menu); // the submenu goes with it
    EXPECT_EQ(GetMenuItemCount(sub), -1);
}

} // namespace

namespace {

class MenuEditingTest : public ModalTest {};

TEST_F(MenuEditingTest, InsertAndDeleteByPositionOrCommand) {
    HMENU menu = makeMenu();
    EXPECT_TRUE(InsertMenu(menu, 1, MF_BYPOSITION | MF_STRING, 500, u"first"));
    EXPECT_TRUE(InsertMenu(menu, 1, MF_BYCOMMAND | MF_STRING, 501, u"before all"));
    EXPECT_TRUE(InsertMenu(menu, 99, MF_BYPOSITION | MF_STRING, 502, u"last"));
    ASSERT_EQ(GetMenuItemCount(menu), 7);
    EXPECT_EQ(GetMenuItemID(menu, 0), 199u);
    EXPECT_EQ(GetMenuItemID(menu, 1), 500u);
    EXPECT_EQ(GetMenuItemID(menu, 4), 501u); // before command 1, "すべて選択"
    EXPECT_EQ(GetMenuItemID(menu, 5), 1u);
    EXPECT_EQ(GetMenuItemID(menu, 6), 502u);
    EXPECT_TRUE(DeleteMenu(menu, 768, MF_BYCOMMAND));
    EXPECT_FALSE(DeleteMenu(menu, 768, MF_BYCOMMAND));
    EXPECT_TRUE(DeleteMenu(menu, 0, MF_BYPOSITION));
    EXPECT_EQ(GetMenuItemCount(menu), 5);
    EXPECT_EQ(GetMenuItemID(menu, 0), 500u);
    DestroyMenu(menu);
}

} // namespace
