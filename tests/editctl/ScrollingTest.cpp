// The view and the caret: the caret pulls the view along (one-line steps, centring on jumps,
// five cells of horizontal margin), and scrolling the view pulls the caret along.

#include "NEditFixture.h"

namespace editctl::test {

namespace {

using platform::test::Shift;

class ScrollingTest : public NEditTest {
protected:
    // 30 lines of "line" text, 10 of which fit the control.
    void makeLines() {
        create();
        std::u16string lines;
        for (int i = 0; i < 30; ++i) {
            lines += i == 0 ? u"line" : u"\rline";
        }
        setText(lines);
    }
    int firstVisible() { return static_cast<int>(send(EM_GETFIRSTVISIBLELINE)); }
    int lineStart(int line) { return static_cast<int>(send(EM_LINEINDEX, line)); }
    void caretTo(int index) { send(EM_SETSEL, index, index); }
};

TEST_F(ScrollingTest, CaretJustOutsideScrollsOneLineFartherCentres) {
    makeLines();
    caretTo(lineStart(9));
    key(VK_DOWN);
    EXPECT_EQ(firstVisible(), 1);
    key(VK_UP);
    key(VK_UP);
    EXPECT_EQ(firstVisible(), 1);
    caretTo(lineStart(0));
    key(VK_RIGHT); // line 0 is just above the view
    EXPECT_EQ(firstVisible(), 0);

    caretTo(lineStart(17));
    send(EM_SCROLLCARET);
    EXPECT_EQ(firstVisible(), 13); // line 17 in the middle
    caretTo(lineStart(29));
    EXPECT_EQ(send(EM_SCROLLCARET), 1);
    EXPECT_EQ(firstVisible(), 20); // no further than the last page
}

TEST_F(ScrollingTest, EmScrollReportsTheLinesMoved) {
    makeLines();
    send(EM_LINESCROLL, 0, 2);
    ASSERT_EQ(firstVisible(), 2);
    EXPECT_EQ(send(EM_SCROLL, SB_PAGEUP), MAKELONG(static_cast<WORD>(-2), 1));
    EXPECT_EQ(firstVisible(), 0);
    EXPECT_EQ(send(EM_SCROLL, SB_LINEUP), 0);
    EXPECT_EQ(send(EM_SCROLL, SB_PAGEDOWN), MAKELONG(9, 1));
    EXPECT_EQ(firstVisible(), 9);
    EXPECT_EQ(send(EM_SCROLL, SB_LINEDOWN), MAKELONG(1, 1));
    EXPECT_EQ(send(EM_SCROLL, SB_TOP), 0);
    EXPECT_EQ(firstVisible(), 10);
}

TEST_F(ScrollingTest, EmScrollReportsWhatTheViewMovedAtEveryHeight) {
    // Heights just short of a whole number of lines leave the last line partly hidden.
    for (int height = 158; height <= 178; ++height) {
        create(0, kWidth, height);
        std::u16string lines(60, u'\r');
        setText(lines);
        const WPARAM codes[] = {SB_PAGEDOWN, SB_PAGEDOWN, SB_LINEDOWN, SB_PAGEUP,
                                SB_LINEUP,   SB_PAGEDOWN, SB_PAGEUP,   SB_PAGEUP};
        for (const WPARAM code : codes) {
            const int before = firstVisible();
            const LRESULT result = send(EM_SCROLL, code);
            const int moved = firstVisible() - before;
            EXPECT_EQ(result, moved == 0 ? 0 : MAKELONG(static_cast<WORD>(moved), 1))
                << "height " << height << ", code " << code;
        }
        DestroyWindow(edit);
    }
}

TEST_F(ScrollingTest, LayoutSettingsBringTheCaretIntoView) {
    create();
    std::u16string lines;
    for (int i = 0; i < 30; ++i) {
        lines += u"words and words and more words\r";
    }
    setText(lines);
    const int caret = static_cast<int>(send(WM_GETTEXTLENGTH)) - 5;
    caretTo(caret);
    send(EM_SCROLLCARET);
    auto caretShown = [&](int lineHeight = kLine) {
        const int line = caretLine();
        return line >= firstVisible() && line < firstVisible() + kHeight / lineHeight;
    };
    ASSERT_TRUE(caretShown());
    send(NEM_SETWRAPCOLUMN, 6, 1); // every line wraps into five
    EXPECT_TRUE(caretShown()) << "after NEM_SETWRAPCOLUMN";
    send(NEM_SETWORDWRAP, 0);
    EXPECT_TRUE(caretShown()) << "after NEM_SETWORDWRAP off";
    send(NEM_SETWORDWRAP, 1);
    EXPECT_TRUE(caretShown()) << "after NEM_SETWORDWRAP on";
    send(EM_SETSEL, 0, 0);
    send(EM_SCROLLCARET);
    send(NEM_SETWRAPCOLUMN, 0, 1);
    caretTo(caret);
    send(NEM_SETLINESPACING, 0);
    ASSERT_TRUE(caretShown());
    send(NEM_SETLINESPACING, 48); // two lines to the view
    EXPECT_TRUE(caretShown(kLine + 48)) << "after NEM_SETLINESPACING";
    EXPECT_EQ(selection(), std::make_pair(caret, caret)) << "the caret itself stays";
    // A view of a single line: centring must not put the line after the caret's on top.
    send(NEM_SETLINESPACING, 100);
    EXPECT_TRUE(caretShown(kLine + 100)) << "after NEM_SETLINESPACING to one line";
    send(EM_SCROLLCARET, 1);
    EXPECT_TRUE(caretShown(kLine + 100)) << "after centring in one line";
    send(EM_SETSEL, 0, 0);
    send(EM_SCROLLCARET);
    caretTo(caret);
    send(NEM_SETWORDWRAP, 0);
    EXPECT_TRUE(caretShown(kLine + 100)) << "after NEM_SETWORDWRAP in one line";
}

TEST_F(ScrollingTest, LineScrollClampsAndKeepsTheCaretInView) {
    makeLines();
    caretTo(2); // column 2 of line 0
    send(EM_LINESCROLL, 0, 5);
    EXPECT_EQ(firstVisible(), 5);
    EXPECT_EQ(selection(), std::make_pair(lineStart(5) + 2, lineStart(5) + 2));
    send(EM_LINESCROLL, 0, 100);
    EXPECT_EQ(firstVisible(), 20);
    send(EM_LINESCROLL, 0, -100);
    EXPECT_EQ(firstVisible(), 0);
    // The caret was dragged to the top line, then to the bottom line of the view.
    EXPECT_EQ(selection(), std::make_pair(lineStart(9) + 2, lineStart(9) + 2));

    // Below a formatting rectangle that starts lower, the bottom line is still the last one.
    RECT lower{0, 40, kWidth, kHeight};
    send(EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&lower));
    send(EM_LINESCROLL, 0, 15);
    send(EM_LINESCROLL, 0, -10);
    EXPECT_EQ(firstVisible(), 5);
    EXPECT_EQ(selection(), std::make_pair(lineStart(14) + 2, lineStart(14) + 2));
}

TEST_F(ScrollingTest, ThumbScrollingDragsTheCaretAndShiftGrowsTheSelection) {
    makeLines();
    caretTo(1);
    takeNotifications();
    send(WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 12));
    EXPECT_EQ(firstVisible(), 12);
    EXPECT_EQ(selection(), std::make_pair(lineStart(12) + 1, lineStart(12) + 1));
    EXPECT_TRUE(takeNotifications().empty()); // thumb moves are not announced
    {
        const HeldKeys shift(Shift);
        send(WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, 20));
    }
    EXPECT_EQ(selection(), std::make_pair(lineStart(12) + 1, lineStart(20) + 1));
    send(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(takeNotifications(), (std::vector<WORD>{EN_VSCROLL}));
    send(WM_VSCROLL, SB_TOP);
    send(WM_VSCROLL, SB_TOP); // nothing moves: nothing announced
    EXPECT_EQ(takeNotifications(), (std::vector<WORD>{EN_VSCROLL}));
}

TEST_F(ScrollingTest, UserDragsTheScrollBarThumb) {
    makeLines();
    platform::test::scrollBarAction(edit, SB_VERT, SB_THUMBPOSITION, 15);
    platform::test::pumpMessages();
    EXPECT_EQ(firstVisible(), 15);
    EXPECT_EQ(caretLine(), 15);
    EXPECT_EQ(GetScrollPos(edit, SB_VERT), 15);
}

TEST_F(ScrollingTest, WheelScrollsThreeLines) {
    makeLines();
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-120)));
    EXPECT_EQ(firstVisible(), 3);
    send(WM_MOUSEWHEEL, MAKEWPARAM(0, 120));
    EXPECT_EQ(firstVisible(), 0);
}

TEST_F(ScrollingTest, HorizontalViewKeepsFiveCellsAroundTheCaret) {
    create(WS_HSCROLL); // no word wrap
    setText(std::u16string(100, u'x'));
    key(VK_END);
    // 100 cells of text plus margins in a 40-cell window: the last position is 61.
    EXPECT_EQ(GetScrollPos(edit, SB_HORZ), 61);
    key(VK_HOME);
    EXPECT_EQ(GetScrollPos(edit, SB_HORZ), 0);
    caretTo(36);
    send(EM_SCROLLCARET);
    EXPECT_EQ(GetScrollPos(edit, SB_HORZ), 1); // x = 289 lies within 5 cells of the edge
    send(WM_HSCROLL, SB_PAGERIGHT);
    EXPECT_EQ(GetScrollPos(edit, SB_HORZ), 41);
    // The caret left the view on the left: it moves to the left edge.
    EXPECT_EQ(selection(), std::make_pair(41, 41));
}

} // namespace

} // namespace editctl::test
