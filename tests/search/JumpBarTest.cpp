// The jump-to-line bar inside the program: the line numbers it takes and how it closes.
#include "search/BarProgram.h"

#include "search/CJumpLineNo.h"
#include "shell/CMainView.h"

#include <gtest/gtest.h>

#include <limits>

namespace kivtest {
namespace {

using platform::test::Control;

class JumpBar : public BarProgram {
protected:
    search::CJumpLineNo* jumpBar() { return dynamic_cast<search::CJumpLineNo*>(bar()); }
    // Opens the bar, types into its field and presses Return.
    void jump(const std::u16string& typed) {
        press('G', Control);
        ASSERT_NE(jumpBar(), nullptr);
        type(typed);
        press(VK_RETURN);
    }
};

TEST_F(JumpBar, GoesToTheStartOfTheLineNamedOrOfTheLastOrOfTheCaretsOwn) {
    startWith(u"first\rsecond\rthird");
    jump(u"2");
    EXPECT_EQ(selection(), Selection(6, 6));
    EXPECT_EQ(view().Bar(), nullptr);
    EXPECT_EQ(frame().BarMenuBar(), nullptr);
    EXPECT_EQ(GetFocus(), editor());
    jump(u"1");
    EXPECT_EQ(selection(), Selection(0, 0));
    jump(u"99999999999999999999");
    EXPECT_EQ(selection(), Selection(13, 13));
    select(9, 9);
    jump(u"0");
    EXPECT_EQ(selection(), Selection(6, 6));
    // The field takes digits only; the left soft key goes there too.
    press('G', Control);
    for (const char16_t c : std::u16string(u"x3y"))
        type(std::u16string(1, c));
    EXPECT_EQ(textOf(jumpBar()->Input()), u"3");
    press(VK_F1);
    EXPECT_EQ(selection(), Selection(13, 13));
}

TEST_F(JumpBar, AnEmptyFieldGoesNowhereAndArrowsStayInTheField) {
    startWith(u"a\rb");
    select(2, 2);
    press('G', Control);
    press(VK_RETURN);
    press(VK_F1);
    press(VK_UP);
    press(VK_DOWN);
    ASSERT_NE(jumpBar(), nullptr);
    EXPECT_EQ(GetFocus(), jumpBar()->Input());
    EXPECT_EQ(selection(), Selection(2, 2));
    // Escape closes it as Cancel does, and the main soft keys come back.
    press(VK_ESCAPE);
    EXPECT_EQ(view().Bar(), nullptr);
    EXPECT_EQ(frame().BarMenuBar(), nullptr);
    EXPECT_EQ(selection(), Selection(2, 2));
}

TEST(LineNumberValue, ReadsLeadingDigitsAndHoldsAtTheLargestInt) {
    EXPECT_EQ(search::LineNumberValue(u""), 0);
    EXPECT_EQ(search::LineNumberValue(u"x12"), 0);
    EXPECT_EQ(search::LineNumberValue(u"0042x7"), 42);
    EXPECT_EQ(search::LineNumberValue(u"2147483647"), std::numeric_limits<int>::max());
    EXPECT_EQ(search::LineNumberValue(u"2147483648"), std::numeric_limits<int>::max());
    EXPECT_EQ(search::LineNumberValue(u"214748364"), 214748364);
}

} // namespace
} // namespace kivtest
