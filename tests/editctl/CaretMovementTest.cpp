// The movement keys: arrows with and without Shift, Home and End on hard and soft line ends,
// vertical moves keeping their column, Page Down and Ctrl+L.

#include "NEditFixture.h"

namespace editctl::test {

namespace {

using platform::test::Control;
using platform::test::Shift;

class CaretMovementTest : public NEditTest {
protected:
    void SetUp() override {
        NEditTest::SetUp();
        create();
    }
    // Lines "l0" .. "l<n-1>" joined by CR.
    void setLines(int n) {
        std::u16string lines;
        for (int i = 0; i < n; ++i) {
            if (i > 0) {
                lines += u'\r';
            }
            lines += u'l';
            for (const char c : std::to_string(i)) {
                lines += static_cast<char16_t>(c);
            }
        }
        setText(lines);
    }
};

TEST_F(CaretMovementTest, ArrowsStopAtTheEndsOfTheText) {
    setText(u"ab");
    key(VK_LEFT);
    EXPECT_EQ(selection(), std::make_pair(0, 0));
    send(EM_SETSEL, 2, 2);
    key(VK_RIGHT);
    EXPECT_EQ(selection(), std::make_pair(2, 2));
}

TEST_F(CaretMovementTest, ShiftArrowsSelectAndPlainArrowsCollapseToAnEnd) {
    setText(u"abcdef");
    send(EM_SETSEL, 2, 2);
    key(VK_RIGHT, Shift);
    key(VK_RIGHT, Shift);
    EXPECT_EQ(selection(), std::make_pair(2, 4));
    EXPECT_EQ(caretIndex(), 4);
    EXPECT_EQ(anchorIndex(), 2);
    key(VK_LEFT);
    EXPECT_EQ(selection(), std::make_pair(2, 2));

    key(VK_LEFT, Shift);
    key(VK_LEFT, Shift);
    EXPECT_EQ(selection(), std::make_pair(0, 2));
    EXPECT_EQ(caretIndex(), 0);
    key(VK_RIGHT);
    EXPECT_EQ(selection(), std::make_pair(2, 2));

    // Shift+Left with a selection moves its caret end, it does not collapse it.
    send(EM_SETSEL, 1, 4);
    key(VK_LEFT, Shift);
    EXPECT_EQ(selection(), std::make_pair(1, 3));
}

TEST_F(CaretMovementTest, UpOnTheFirstLineCollapsesTheSelection) {
    setText(u"abc\rdef");
    send(EM_SETSEL, 0, 2);
    key(VK_UP);
    EXPECT_EQ(selection(), std::make_pair(2, 2));
    send(EM_SETSEL, 5, 7);
    key(VK_DOWN);
    EXPECT_EQ(selection(), std::make_pair(7, 7));
}

TEST_F(CaretMovementTest, HomeAndEndOnSoftAndHardLineEnds) {
    // 45 characters wrap after the 40th: two display lines.
    setText(std::u16string(45, u'a') + u"\rxy");
    ASSERT_EQ(send(EM_GETLINECOUNT), 3);
    key(VK_END);
    EXPECT_EQ(selection(), std::make_pair(39, 39)); // before the soft line's last character
    key(VK_DOWN);
    key(VK_END);
    EXPECT_EQ(selection(), std::make_pair(45, 45)); // before the CR
    key(VK_HOME);
    EXPECT_EQ(selection(), std::make_pair(40, 40));
    key(VK_DOWN);
    key(VK_END);
    EXPECT_EQ(selection(), std::make_pair(48, 48)); // the last line ends at the text's end
    key(VK_HOME, Control);
    EXPECT_EQ(selection(), std::make_pair(0, 0));
    key(VK_END, Control | Shift);
    EXPECT_EQ(selection(), std::make_pair(0, 48));
}

TEST_F(CaretMovementTest, VerticalMovesKeepTheirColumnAcrossAShortLine) {
    setText(u"abcdefgh\rab\rabcdefgh");
    send(EM_SETSEL, 6, 6);
    key(VK_DOWN);
    EXPECT_EQ(selection(), std::make_pair(11, 11)); // end of the short line
    key(VK_DOWN);
    EXPECT_EQ(selection(), std::make_pair(18, 18)); // column 6 again
    key(VK_UP, Shift);
    key(VK_UP, Shift);
    EXPECT_EQ(selection(), std::make_pair(6, 18));
    // A horizontal move forgets the column.
    key(VK_LEFT);
    key(VK_DOWN);
    EXPECT_EQ(selection(), std::make_pair(11, 11));
    key(VK_LEFT);
    key(VK_DOWN);
    EXPECT_EQ(selection(), std::make_pair(13, 13));
}

TEST_F(CaretMovementTest, PageDownMovesCaretAndViewByAPage) {
    setLines(30);
    key(VK_NEXT);
    EXPECT_EQ(caretLine(), 10);
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 9);
    key(VK_PRIOR);
    EXPECT_EQ(caretLine(), 0);
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 0);
    key(VK_NEXT, Shift);
    EXPECT_EQ(selection().first, 0);
    EXPECT_EQ(caretLine(), 10);
}

TEST_F(CaretMovementTest, ControlLCentresTheCaretLine) {
    setLines(30);
    send(EM_SETSEL, send(EM_LINEINDEX, 15), send(EM_LINEINDEX, 15));
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 0); // EM_SETSEL does not scroll
    key('L', Control);
    EXPECT_EQ(send(EM_GETFIRSTVISIBLELINE), 11);
}

} // namespace

} // namespace editctl::test
