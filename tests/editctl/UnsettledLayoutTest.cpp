// Edits in long lines re-break only a short stretch and leave the rest unsettled. Whatever
// mix of edits and partial settling happens, every line that is not marked must end where the
// next one starts, and settling everything must give exactly the lines of a full layout.
#include "EditTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>

using editctl::test::FixedMetrics;
using editctl::test::lineStarts;
using editctl::test::logicalText;
using editctl::test::makeState;

namespace {

struct UnsettledCase {
    const char* name;
    bool wordWrap;
    int wrapColumn;
    bool lineNumbers;
    int columnLimit;
};

// Lines not marked unsettled end where the next entry starts, as the current text breaks.
::testing::AssertionResult settledLinesChain(editctl::EditState& state) {
    const editctl::LineTable& lines = state.lines;
    const int length = state.text.length();
    int mark = 0;
    for (int line = 0; line < lines.count(); ++line) {
        if (mark < lines.unsettledCount() && lines.unsettledLine(mark) == line) {
            ++mark;
            continue;
        }
        const int end = state.layouter.endOfLine(static_cast<int>(lines.start(line)));
        const int next = end < length && state.text.at(end) == u'\r' ? end + 1 : end;
        if (!state.layout.wordWrap &&
            state.layouter.endWithoutWrap(static_cast<int>(lines.start(line))) != end) {
            return ::testing::AssertionFailure()
                   << "counting columns ends line " << line << " elsewhere than " << end;
        }
        const bool last = end >= length;
        if (last != (line == lines.count() - 1) || (!last && lines.start(line + 1) != next)) {
            return ::testing::AssertionFailure()
                   << "line " << line << " ends at " << next << ", the table says "
                   << lines.start(line + 1) << " of " << lines.count() << " lines";
        }
    }
    return ::testing::AssertionSuccess();
}

class UnsettledLayoutTest : public ::testing::TestWithParam<UnsettledCase> {};

TEST_P(UnsettledLayoutTest, PartialRelayoutsSettleToAFullLayout) {
    const UnsettledCase& c = GetParam();
    std::mt19937 random(static_cast<unsigned>(std::hash<std::string>{}(c.name)));
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    // Long runs without spaces, as minified data has, now and then a word break or a line end.
    const std::u16string alphabet = u"abcdefghijk{}\":,0123456789abcdef W日\t.";
    auto randomText = [&](int n) {
        std::u16string s;
        for (int i = 0; i < n; ++i) {
            s.push_back(pick(400) == 0 ? u'\r'
                                       : alphabet[static_cast<std::size_t>(
                                             pick(static_cast<int>(alphabet.size()) - 1))]);
        }
        return s;
    };
    const int width = 72;
    auto configure = [&](editctl::EditState& state) {
        static_cast<FixedMetrics&>(*state.metrics).overrides = {{u'W', 41}, {u'.', 2}};
        state.layout.wrapColumn = c.wrapColumn;
        state.layout.lineNumbers = c.lineNumbers;
        state.layout.clientWidth = width + 2 + (c.lineNumbers ? 6 * 8 : 0);
        // A short column limit makes lines without wrap break too.
        state.layout.columnLimit = c.columnLimit;
    };
    auto state = makeState(u"", width, c.wordWrap);
    configure(*state);
    editctl::replaceAllText(*state, randomText(2500));
    int compared = 0;
    int leftUnsettled = 0;
    int mostMarks = 0;
    for (int step = 0; step < 600; ++step) {
        state->layouter.setEditLookahead(pick(1) == 0 ? 0 : pick(30));
        const int length = state->text.length();
        const int action = pick(9);
        if (action <= 3) {
            if (pick(2) == 0) {
                state->caret = state->anchor = pick(length);
            }
            editctl::insertText(*state, randomText(pick(4) + 1), pick(5) == 0);
        } else if (action <= 5 && length > 0) {
            const int at = state->caret;
            if (action == 4 && at > 0) {
                editctl::deleteRange(*state, at - 1, at);
            } else if (at < length) {
                editctl::deleteRange(*state, at, at + 1);
            }
        } else if (action == 6 && length > 0) { // a range, now and then a large one
            const int a = pick(length);
            const int b = pick(7) == 0 ? pick(length) : std::min(a + pick(30), length);
            editctl::deleteRange(*state, std::min(a, b), std::max(a, b));
        } else if (action == 7) { // a selection replaced
            state->anchor = std::clamp(state->caret + pick(60) - 30, 0, length);
            editctl::insertText(*state, randomText(pick(6)), false);
        } else if (action == 8) {
            editctl::commitPending(*state, pick(1) == 0);
        }
        leftUnsettled += state->layouter.hasUnsettled() ? 1 : 0;
        mostMarks = std::max(mostMarks, state->lines.unsettledCount());
        // Some of the work is done now and then, as painting and the timer do.
        switch (pick(7)) {
        case 0:
            state->layouter.settle(pick(200) + 1);
            break;
        case 1:
            state->layouter.settleThrough(pick(state->text.length()));
            break;
        case 2:
            state->layouter.settleThroughLine(pick(state->lines.count()));
            break;
        default:
            break;
        }
        ASSERT_TRUE(state->checkInvariants()) << "step " << step;
        ASSERT_TRUE(settledLinesChain(*state)) << "step " << step;
        if (pick(5) != 0) {
            continue;
        }
        editctl::widenGutterAfterSettling(*state, state->layouter.settleAll());
        ASSERT_FALSE(state->layouter.hasUnsettled());
        auto fresh = makeState(u"", width, c.wordWrap);
        configure(*fresh);
        editctl::replaceAllText(*fresh, logicalText(*state));
        if (fresh->layout.lineNumberDigits < state->layout.lineNumberDigits) {
            fresh->layout.lineNumberDigits = state->layout.lineNumberDigits;
            editctl::layoutAllText(*fresh);
        }
        ASSERT_EQ(state->layout.margins.left, fresh->layout.margins.left) << "step " << step;
        ASSERT_EQ(lineStarts(*state), lineStarts(*fresh)) << "step " << step;
        ++compared;
    }
    EXPECT_GT(compared, 100);
    EXPECT_GT(leftUnsettled, 100) << "edits left work for later";
    EXPECT_GE(mostMarks, 2) << "edits far apart left several stretches";
}

// Edits moving backwards through a long line each leave a stretch behind them; the table keeps
// a bounded number and settles the oldest when it is full.
TEST(UnsettledLayoutLimitTest, StretchesStayBoundedAndSettleExactly) {
    std::u16string text;
    for (int i = 0; text.size() < 24000; ++i) {
        text += u"{\"id\":" + std::u16string(1, static_cast<char16_t>(u'0' + i % 10)) + u"},";
    }
    auto state = makeState(text, 72);
    state->layouter.setEditLookahead(0);
    int most = 0;
    for (int k = 0; k < 40; ++k) {
        state->caret = state->anchor = 23000 - k * 500;
        editctl::insertText(*state, u"x", false);
        most = std::max(most, state->lines.unsettledCount());
        ASSERT_TRUE(state->checkInvariants()) << "edit " << k;
        ASSERT_TRUE(settledLinesChain(*state)) << "edit " << k;
    }
    EXPECT_EQ(most, editctl::LineTable::kMaxUnsettled);
    state->layouter.settleAll();
    EXPECT_EQ(lineStarts(*state), lineStarts(*makeState(logicalText(*state), 72)));
}

INSTANTIATE_TEST_SUITE_P(Layouts, UnsettledLayoutTest,
                         ::testing::Values(UnsettledCase{"NoWrap", false, 0, false, 23},
                                           UnsettledCase{"NoWrapWideColumns", false, 0, false, 150},
                                           UnsettledCase{"WrapAtEdge", true, 0, false, 23},
                                           UnsettledCase{"WrapColumnWithNumbers", true, 7, true,
                                                         23}),
                         [](const ::testing::TestParamInfo<UnsettledCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
