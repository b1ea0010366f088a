// The Find bar inside the program: its seed, keys, history list and what it searches.
#include "search/BarProgram.h"

#include "document/StringHistory.h"
#include "platform/ControlMessages.h"
#include "resources/CommandIds.h"
#include "search/CFindBar.h"
#include "shell/CMainView.h"

#include <gtest/gtest.h>

namespace kivtest {
namespace {

using platform::test::Control;
using Strings = std::vector<std::u16string>;

class FindBar : public BarProgram {
protected:
    search::CFindBar* findBar() { return dynamic_cast<search::CFindBar*>(bar()); }
    HWND combo() { return findBar()->Combo(); }
    void searchFor(const std::u16string& text) {
        SetWindowText(combo(), text.c_str());
        press(VK_RETURN);
    }
};

TEST_F(FindBar, OpensWithTheSelectionAndSearchesForItFromReturnAndTheSoftKeys) {
    startWith(u"abc abc abc");
    select(0, 3);
    press('F', Control);
    ASSERT_NE(findBar(), nullptr);
    EXPECT_EQ(textOf(combo()), u"abc");
    EXPECT_EQ(GetParent(GetFocus()), combo()); // the combo box's field
    // The seed is selected, so typing replaces it.
    EXPECT_EQ(SendMessage(combo(), CB_GETEDITSEL, 0, 0), MAKELONG(0, 3));
    EXPECT_EQ(menuTexts(), (Strings{u"Find Up", u"", u"Cancel"}));
    // The first search may match the selection, which it skips as the selection itself.
    press(VK_RETURN);
    EXPECT_EQ(selection(), Selection(4, 7));
    press(VK_F1);
    EXPECT_EQ(selection(), Selection(8, 11));
    press(VK_RETURN);
    EXPECT_EQ(selection(), Selection(8, 11));
    chooseFromMenu(u"Find Up");
    EXPECT_EQ(selection(), Selection(4, 7));
    press('B', Control);
    EXPECT_EQ(selection(), Selection(0, 3));
    EXPECT_NE(findBar(), nullptr);
    EXPECT_TRUE(messages().empty());
}

TEST_F(FindBar, TheListHoldsTheSharedHistoryMostRecentFirstAndEachOnce) {
    startWith(u"a b c");
    press('F', Control);
    EXPECT_EQ(textOf(combo()), u"");
    searchFor(u"a");
    searchFor(u"b");
    EXPECT_EQ(items(combo()), (Strings{u"b", u"a"}));
    searchFor(u"a");
    EXPECT_EQ(items(combo()), (Strings{u"a", u"b"}));
    EXPECT_EQ(textOf(combo()), u"a");

    // Another running copy reads what this one searched for, and this one shows what the
    // other searched for the next time a bar opens.
    document::StringHistory other("find.mru");
    EXPECT_EQ(other.entry(0), u"a");
    EXPECT_EQ(other.count(), 2u);
    other.add(u"zz");
    other.push();
    press(VK_ESCAPE);
    press('F', Control);
    EXPECT_EQ(items(combo()), (Strings{u"zz", u"a", u"b"}));
}

TEST_F(FindBar, ReturnSearchesOnlyWithTextAndTheListClosed) {
    startWith(u"xyz xyz");
    press('F', Control);
    press(VK_RETURN); // nothing to search for
    EXPECT_EQ(selection(), Selection(0, 0));
    ASSERT_NE(findBar(), nullptr);
    searchFor(u"xyz");
    EXPECT_EQ(selection(), Selection(0, 3));
    // Down opens the history; Return then belongs to the list; typing closes it again.
    press(VK_DOWN);
    EXPECT_NE(SendMessage(combo(), CB_GETDROPPEDSTATE, 0, 0), 0);
    press(VK_RETURN);
    EXPECT_EQ(selection(), Selection(0, 3));
    press(VK_DOWN);
    ASSERT_NE(SendMessage(combo(), CB_GETDROPPEDSTATE, 0, 0), 0);
    type(u"q");
    EXPECT_EQ(SendMessage(combo(), CB_GETDROPPEDSTATE, 0, 0), 0);
    // Ctrl+V pastes into the field rather than into the text.
    SetWindowText(combo(), u"");
    platform::test::setDesktopClipboardText(u"xyz");
    press('V', Control);
    EXPECT_EQ(textOf(combo()), u"xyz");
    EXPECT_EQ(text(), u"xyz xyz");
    press(VK_RETURN);
    EXPECT_EQ(selection(), Selection(4, 7));
}

// Up, Escape, Cancel and a tap into the text each close the bar and bring back the main soft
// keys; the text keeps the last match selected.
TEST_F(FindBar, EveryWayOfClosingGivesTheTextBackItsKeys) {
    startWith(u"one two");
    const auto closes = [&](auto how) {
        press('F', Control);
        ASSERT_NE(findBar(), nullptr);
        ASSERT_NE(frame().BarMenuBar(), nullptr);
        how();
        platform::test::pumpMessages();
        EXPECT_EQ(view().Bar(), nullptr);
        EXPECT_EQ(frame().BarMenuBar(), nullptr);
        EXPECT_EQ(GetFocus(), editor());
    };
    closes([&] { press(VK_UP); });
    closes([&] { press(VK_ESCAPE); });
    closes([&] { chooseFromMenu(u"Cancel"); });
    closes([&] {
        platform::test::mousePress(editor(), platform::test::MouseButton::Left, 2, 2);
        platform::test::mouseRelease(editor(), platform::test::MouseButton::Left, 2, 2);
    });
    EXPECT_EQ(menuTexts().empty(), false);
}

} // namespace
} // namespace kivtest
