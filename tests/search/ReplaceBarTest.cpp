// The Replace bar inside the program: moving between its fields, Replace, Replace All and its
// lists, and one bar taking another's place.
#include "search/BarProgram.h"

#include "resources/CommandIds.h"
#include "search/CFindBar.h"
#include "search/CJumpLineNo.h"
#include "search/CReplaceBar.h"
#include "shell/CMainView.h"

#include <gtest/gtest.h>

namespace kivtest {
namespace {

using platform::test::Control;
using Strings = std::vector<std::u16string>;

class ReplaceBar : public BarProgram {
protected:
    search::CReplaceBar* replaceBar() { return dynamic_cast<search::CReplaceBar*>(bar()); }
    bool focusIn(HWND combo) { return GetFocus() == combo || GetParent(GetFocus()) == combo; }
    void fill(const std::u16string& find, const std::u16string& replacement) {
        SetWindowText(replaceBar()->FindCombo(), find.c_str());
        SetWindowText(replaceBar()->ReplaceCombo(), replacement.c_str());
    }
};

TEST_F(ReplaceBar, ReturnTabAndUpMoveBetweenTheFieldsAndReturnFindsDown) {
    startWith(u"ab ab ab");
    select(0, 2);
    press('R', Control);
    ASSERT_NE(replaceBar(), nullptr);
    const HWND find = replaceBar()->FindCombo();
    const HWND replace = replaceBar()->ReplaceCombo();
    EXPECT_TRUE(focusIn(find));
    EXPECT_EQ(textOf(find), u"ab");
    EXPECT_EQ(textOf(replace), u"");
    EXPECT_EQ(menuTexts(),
              (Strings{u"Find Up", u"Find Down", u"", u"Replace All", u"", u"Cancel"}));
    press(VK_RETURN);
    EXPECT_TRUE(focusIn(replace));
    EXPECT_EQ(selection(), Selection(0, 2));
    // The first search after opening skips the selected match itself.
    press(VK_RETURN);
    EXPECT_EQ(selection(), Selection(3, 5));
    press(VK_RETURN);
    EXPECT_EQ(selection(), Selection(6, 8));
    press(VK_TAB);
    EXPECT_TRUE(focusIn(find));
    press(VK_TAB);
    EXPECT_TRUE(focusIn(replace));
    press(VK_UP);
    EXPECT_TRUE(focusIn(find));
    chooseFromMenu(u"Find Up");
    EXPECT_EQ(selection(), Selection(3, 5));
    EXPECT_EQ(text(), u"ab ab ab");
    // Up in the find field closes the bar.
    press(VK_UP);
    EXPECT_EQ(view().Bar(), nullptr);
    EXPECT_EQ(GetFocus(), editor());
}

TEST_F(ReplaceBar, ReplaceSelectsThenReplacesAndReplaceAllClosesTheBar) {
    startWith(u"aaa");
    press('R', Control);
    fill(u"a", u"b");
    press(VK_F1);
    EXPECT_EQ(text(), u"aaa");
    EXPECT_EQ(selection(), Selection(0, 1));
    press(VK_F1);
    EXPECT_EQ(text(), u"baa");
    EXPECT_EQ(selection(), Selection(1, 2));
    EXPECT_EQ(items(replaceBar()->ReplaceCombo()), Strings{u"b"});
    // An empty replacement deletes and is never remembered.
    fill(u"a", u"");
    press(VK_F1);
    press(VK_F1);
    EXPECT_EQ(text(), u"b");
    EXPECT_EQ(items(replaceBar()->ReplaceCombo()), Strings{u"b"});
    EXPECT_EQ(items(replaceBar()->FindCombo()), Strings{u"a"});
    EXPECT_TRUE(messages().empty());

    view().Editor().SetText(u"aaa");
    fill(u"a", u"aa");
    platform::test::queueMessageBoxAnswer(IDOK);
    chooseFromMenu(u"Replace All");
    EXPECT_EQ(text(), u"aaaaaa");
    EXPECT_EQ(messages(), Strings{u"3 total mades."});
    EXPECT_EQ(view().Bar(), nullptr);
    EXPECT_EQ(frame().BarMenuBar(), nullptr);
    EXPECT_EQ(GetFocus(), editor());
}

TEST_F(ReplaceBar, AnEmptyFindFieldRunsNothing) {
    startWith(u"text");
    press('R', Control);
    fill(u"", u"x");
    press(VK_F1);
    chooseFromMenu(u"Replace All");
    press(VK_TAB);
    press(VK_RETURN);
    EXPECT_EQ(text(), u"text");
    EXPECT_NE(replaceBar(), nullptr);
    EXPECT_TRUE(items(replaceBar()->ReplaceCombo()).empty());
}

// The old bar's menu goes before the new bar shows its own, and the new bar keeps the focus
// although the text had it for a moment in between.
TEST_F(ReplaceBar, ABarOpenedOverAnotherTakesItsPlaceItsKeysAndTheFocus) {
    startWith(u"one");
    press('F', Control);
    ASSERT_NE(dynamic_cast<search::CFindBar*>(bar()), nullptr);
    press('R', Control);
    platform::test::pumpMessages();
    ASSERT_NE(replaceBar(), nullptr);
    EXPECT_TRUE(focusIn(replaceBar()->FindCombo()));
    EXPECT_EQ(menuTexts(),
              (Strings{u"Find Up", u"Find Down", u"", u"Replace All", u"", u"Cancel"}));
    press('G', Control);
    platform::test::pumpMessages();
    ASSERT_NE(bar(), nullptr);
    ASSERT_NE(dynamic_cast<search::CJumpLineNo*>(bar()), nullptr);
    EXPECT_EQ(GetFocus(), GetDlgItem(bar()->hwnd(), search::CJumpLineNo::kInputId));
    // Resizing the view keeps the bar along its bottom edge, full width.
    MoveWindow(frame().hwnd(), 0, 0, 300, 400, TRUE);
    platform::test::pumpMessages();
    RECT viewRect;
    RECT barRect;
    GetWindowRect(view().hwnd(), &viewRect);
    GetWindowRect(bar()->hwnd(), &barRect);
    EXPECT_EQ(barRect.bottom, viewRect.bottom);
    EXPECT_EQ(barRect.right - barRect.left, viewRect.right - viewRect.left);
    EXPECT_EQ(barRect.bottom - barRect.top, bar()->BarHeight() - 1);
}

} // namespace
} // namespace kivtest
