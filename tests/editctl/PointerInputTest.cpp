// Taps, drags, double taps and right taps, measured on the test font: narrow characters are
// 8 px wide, lines 16 px high, and text starts at x = 1, y = 1.

#include "NEditFixture.h"

namespace editctl::test {

namespace {

using platform::test::Shift;

class PointerInputTest : public NEditTest {
protected:
    void SetUp() override {
        NEditTest::SetUp();
        create();
    }
    static constexpr int kRow0 = 8;  // y inside display line 0
    static constexpr int kRow1 = 24; // y inside display line 1
    static LPARAM point(int x, int y) {
        return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
    }
};

TEST_F(PointerInputTest, TapAtACharactersMiddleGoesBeforeItAndOnePixelRightAfterIt) {
    setText(u"abcd");
    tap(1 + 8 + 4, kRow0); // the middle of 'b'
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    tap(1 + 8 + 5, kRow0);
    EXPECT_EQ(selection(), std::make_pair(2, 2));
    tap(1 + 8 + 5, kRow0 - 40); // above the text: its start
    EXPECT_EQ(selection(), std::make_pair(0, 0));
}

TEST_F(PointerInputTest, TapPastALineEnd) {
    setText(u"ab\raaaa bbbb");
    send(NEM_SETWRAPCOLUMN, 5, 1); // "aaaa " and "bbbb" share one logical line
    ASSERT_EQ(send(EM_GETLINECOUNT), 3);
    tap(200, kRow0); // a hard line end: the CR
    EXPECT_EQ(selection(), std::make_pair(2, 2));
    tap(200, kRow1); // a soft line end: before its last character
    EXPECT_EQ(selection(), std::make_pair(7, 7));
    tap(200, 150); // below the last line, which ends the text
    EXPECT_EQ(selection(), std::make_pair(12, 12));
}

TEST_F(PointerInputTest, TapOnATabGoesBeforeIt) {
    setText(u"a\tb"); // the tab covers x 9 .. 65
    tap(1 + 60, kRow0);
    EXPECT_EQ(selection(), std::make_pair(1, 1));
    tap(1 + 64 + 5, kRow0);
    EXPECT_EQ(selection(), std::make_pair(3, 3));
}

TEST_F(PointerInputTest, ShiftTapExtendsAndDragSelects) {
    setText(u"abcdefgh");
    tap(1 + 8, kRow0);
    tap(1 + 24, kRow0, Shift);
    EXPECT_EQ(selection(), std::make_pair(1, 3));

    send(WM_LBUTTONDOWN, MK_LBUTTON, point(1 + 48, kRow0));
    EXPECT_EQ(GetCapture(), edit);
    send(WM_MOUSEMOVE, MK_LBUTTON, point(1 + 16, kRow0));
    EXPECT_EQ(selection(), std::make_pair(2, 6));
    EXPECT_EQ(caretIndex(), 2);
    send(WM_LBUTTONUP, 0, point(1 + 8, kRow0));
    EXPECT_EQ(selection(), std::make_pair(1, 6));
    EXPECT_EQ(GetCapture(), nullptr);
    // Moves after the drag change nothing.
    send(WM_MOUSEMOVE, MK_LBUTTON, point(1 + 56, kRow0));
    EXPECT_EQ(selection(), std::make_pair(1, 6));
}

TEST_F(PointerInputTest, DoubleTapSelectsAWordASpaceOrNothingOnALineBreak) {
    setText(u"ab  cd\rnext");
    doubleTap(1 + 8 * 4 + 2, kRow0);
    EXPECT_EQ(selection(), std::make_pair(4, 6));
    doubleTap(1 + 8 * 2 + 2, kRow0);
    EXPECT_EQ(selection(), std::make_pair(2, 3));
    doubleTap(200, kRow0); // on the CR
    EXPECT_EQ(selection(), std::make_pair(6, 6));
}

TEST_F(PointerInputTest, DragAfterADoubleTapGrowsByWords) {
    setText(u"ab cd ef gh");
    doubleTap(1 + 8 * 3 + 2, kRow0, false); // "cd"
    EXPECT_EQ(selection(), std::make_pair(3, 5));
    send(WM_MOUSEMOVE, MK_LBUTTON, point(1 + 8 * 7, kRow0)); // inside "ef"
    EXPECT_EQ(selection(), std::make_pair(3, 8));
    EXPECT_EQ(caretIndex(), 8);
    send(WM_MOUSEMOVE, MK_LBUTTON, point(1 + 2, kRow0)); // inside "ab"
    EXPECT_EQ(selection(), std::make_pair(0, 5));
    EXPECT_EQ(caretIndex(), 0);
    send(WM_LBUTTONUP, 0, point(1 + 2, kRow0));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(PointerInputTest, RightTapKeepsATappedSelectionAndOpensTheMenu) {
    setText(u"abcdefgh");
    send(EM_SETSEL, 2, 5);
    platform::test::queuePopupMenuAnswer(0);
    send(WM_RBUTTONDOWN, MK_RBUTTON, point(1 + 8 * 3 + 2, kRow0));
    send(WM_RBUTTONUP, 0, point(1 + 8 * 3 + 2, kRow0));
    EXPECT_EQ(selection(), std::make_pair(2, 5));
    EXPECT_EQ(platform::test::takePopupMenuCalls().size(), 1U);

    send(WM_RBUTTONDOWN, MK_RBUTTON, point(1 + 8 * 7 + 2, kRow0));
    EXPECT_EQ(selection(), std::make_pair(7, 7));
}

TEST_F(PointerInputTest, TapTakesTheFocus) {
    setText(u"abc");
    SetFocus(parent);
    takeNotifications();
    tap(1 + 8, kRow0);
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(takeNotifications(), (std::vector<WORD>{EN_SETFOCUS}));
}

} // namespace

} // namespace editctl::test
