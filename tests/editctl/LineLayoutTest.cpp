#include "EditTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <random>
#include <string>
#include <tuple>

using editctl::LineLayout;
using editctl::test::FixedMetrics;
using editctl::test::lineStarts;
using editctl::test::logicalText;
using editctl::test::makeState;
using Starts = std::vector<long long>;

namespace {

TEST(LineLayoutTest, HardBreaksAndTheEmptyCases) {
    EXPECT_EQ(lineStarts(*makeState(u"", 80)), (Starts{0, 0}));
    EXPECT_EQ(lineStarts(*makeState(u"abc\r", 80)), (Starts{0, 4, 4}));
    EXPECT_EQ(lineStarts(*makeState(u"ab\r\rcd", 80)), (Starts{0, 3, 4, 6}));
    auto state = makeState(u"abc\r", 80);
    EXPECT_EQ(state->lines.lineOf(4), 1) << "the empty last line starts at the length";
}

TEST(LineLayoutTest, WordsMoveDownWholeUnlessTheyStartTheLine) {
    // 8 px characters, 64 px wide: eight fit, the eighth ending exactly at the edge.
    EXPECT_EQ(lineStarts(*makeState(u"abcdefghijkl", 64)), (Starts{0, 8, 12}))
        << "a word longer than the line is cut at the width";
    EXPECT_EQ(lineStarts(*makeState(u"abc defgh", 64)), (Starts{0, 4, 9}))
        << "the overflowing second word starts the next line";
    EXPECT_EQ(lineStarts(*makeState(u"ab cdefg hi", 64)), (Starts{0, 3, 11}))
        << "a space that does not fit takes the word before it down";
    EXPECT_EQ(lineStarts(*makeState(u"abcdefgh ij", 64)), (Starts{0, 8, 11}))
        << "unless that word started the line";
}

TEST(LineLayoutTest, JapaneseBreaksAnywhereAndLatinWordsStayWhole) {
    EXPECT_EQ(lineStarts(*makeState(u"日本語の文章です", 40)), (Starts{0, 2, 4, 6, 8}));
    EXPECT_EQ(lineStarts(*makeState(u"日本abc", 48)), (Starts{0, 2, 5}));
    // A wide character ends a word, so the word before it may stay.
    EXPECT_EQ(lineStarts(*makeState(u"ab日本語", 48)), (Starts{0, 4, 5}));
}

TEST(LineLayoutTest, TabsJumpToTheNextStopAtLeastACellAway) {
    EXPECT_EQ(LineLayout::tabStop(0, 8, 8), 64);
    EXPECT_EQ(LineLayout::tabStop(56, 8, 8), 64);
    EXPECT_EQ(LineLayout::tabStop(60, 8, 8), 128) << "4 px to the stop is less than a cell";
    EXPECT_EQ(LineLayout::tabStop(64, 8, 8), 128);

    // Fifteen 4 px characters end at 60; the tab then reaches 128 and "x" ends at 136.
    auto layoutWith = [](int width) {
        auto state = makeState(u"", width);
        static_cast<FixedMetrics&>(*state->metrics).overrides[u'n'] = 4;
        editctl::replaceAllText(*state, std::u16string(15, u'n') + u"\tx");
        return lineStarts(*state);
    };
    EXPECT_EQ(layoutWith(136), (Starts{0, 17}));
    EXPECT_EQ(layoutWith(135), (Starts{0, 16, 17}));
}

TEST(LineLayoutTest, LongLinesAreCutAtTheColumnLimitWithoutWrap) {
    auto state = makeState(std::u16string(40000, u'a') + u"\rb", 80, false);
    EXPECT_EQ(lineStarts(*state), (Starts{0, 32768, 40001, 40002}));
    EXPECT_TRUE(state->checkInvariants());
    // Tabs count as the columns they span.
    auto tabs = makeState(std::u16string(4097, u'\t'), 80, false);
    EXPECT_EQ(lineStarts(*tabs), (Starts{0, 4096, 4097}));
}

TEST(LineLayoutTest, GutterGrowthAtLineThousandRewrapsEverything) {
    // 1000 lines of ten 8 px characters fill 80 px exactly with a 3-digit gutter (4 x 8 px).
    std::u16string text;
    for (int i = 0; i < 1000; ++i) {
        text += u"0123456789";
        if (i < 999) {
            text += u'\r';
        }
    }
    auto state = makeState(u"", 0);
    state->layout.lineNumbers = true;
    state->layout.clientWidth = 80 + 32 + 1;
    editctl::replaceAllText(*state, text);
    EXPECT_EQ(state->layout.lineNumberDigits, 4);
    EXPECT_EQ(state->layout.margins.left, 40) << "five digit widths";
    EXPECT_EQ(state->lines.count(), 2000) << "every line wraps in the narrower width";
    EXPECT_EQ(state->lines.start(1), 9);
    EXPECT_EQ(state->lines.start(2), 11);

    // With a wrap column the width does not depend on the gutter: no re-wrap.
    auto fixed = makeState(u"", 0);
    fixed->layout.lineNumbers = true;
    fixed->layout.wrapColumn = 10;
    fixed->layout.clientWidth = 500;
    editctl::replaceAllText(*fixed, text);
    EXPECT_EQ(fixed->layout.lineNumberDigits, 4);
    EXPECT_EQ(fixed->layout.margins.left, 40);
    EXPECT_EQ(fixed->lines.count(), 1000);
}

TEST(LineLayoutTest, ZeroClientWidthKeepsOneValidLineUntilSized) {
    auto state = makeState(u"", 10);
    state->layout.clientWidth = 0;
    editctl::replaceAllText(*state, u"ab\rcd");
    EXPECT_EQ(lineStarts(*state), (Starts{0, 5}));
    EXPECT_TRUE(state->layout.layoutPending);
    state->layout.clientWidth = 100;
    editctl::layoutAllText(*state);
    EXPECT_EQ(lineStarts(*state), (Starts{0, 3, 5}));
    EXPECT_FALSE(state->layout.layoutPending);
}

TEST(LineLayoutTest, WidestLineFollowsTheLongestLineWithoutWrap) {
    auto state = makeState(u"abc\r日本語日本\rx", 80, false);
    EXPECT_EQ(state->layout.widestLine, 5 * 16);
}

TEST(LineLayoutTest, WideGlyphsKeepTheirFullWidth) {
    auto state = makeState(u"", 300, false);
    auto& metrics = static_cast<FixedMetrics&>(*state->metrics);
    metrics.overrides[u'W'] = 260;
    editctl::replaceAllText(*state, u"WW");
    EXPECT_EQ(state->layout.widestLine, 520);
    EXPECT_EQ(state->widths.width(u'W'), 260);
    const int measuredBefore = metrics.measured;
    state->layout.wordWrap = true;
    editctl::layoutAllText(*state);
    EXPECT_EQ(lineStarts(*state), (Starts{0, 1, 2})) << "260 px fits 300 px once, not twice";
    EXPECT_EQ(metrics.measured, measuredBefore) << "each code unit is measured once";
}

// The rule the layout follows, one character at a time: a CR ends the line; a character or
// tab that passes the width or the column limit starts the next one, taking the word of
// Latin letters before it along unless that word starts the line; a line takes at least one
// character. Returns every line start, the sentinel and the widest line.
struct PlainLayout {
    Starts starts{0};
    std::int64_t widest = 0;
};

PlainLayout plainLayout(const std::u16string& text, const editctl::LayoutParams& params,
                        const std::function<int(char16_t)>& width) {
    PlainLayout result;
    const auto length = static_cast<int>(text.size());
    const std::int64_t limitX =
        params.wordWrap
            ? (params.wrapColumn > 0 ? std::int64_t{params.wrapColumn} * params.cellWidth
                                     : params.clientWidth - 2)
            : std::numeric_limits<std::int64_t>::max();
    int start = 0;
    for (;;) {
        std::int64_t x = 0;
        int columns = 0;
        int wordStart = -1;
        std::int64_t wordFirstX = 0;
        int end = length;
        std::int64_t reached = 0;
        int i = start;
        for (; i < length; ++i) {
            const char16_t ch = text[static_cast<std::size_t>(i)];
            if (ch == u'\r') {
                end = i;
                reached = x;
                break;
            }
            const bool tab = ch == u'\t';
            const std::int64_t nx =
                tab ? LineLayout::tabStop(x, params.tabSize, params.cellWidth) : x + width(ch);
            const int nextColumns =
                tab ? columns + (params.tabSize - columns % params.tabSize) : columns + 1;
            if (nx > limitX || nextColumns > params.columnLimit) {
                if (wordStart > start) {
                    end = wordStart;
                    reached = wordFirstX;
                } else if (columns == 0) {
                    end = i + 1;
                    reached = nx;
                } else {
                    end = i;
                    reached = x;
                }
                break;
            }
            if (tab || ch == u' ' || ch >= 0x100) {
                wordStart = -1;
            } else if (wordStart < 0) {
                wordStart = i;
                wordFirstX = nx;
            }
            x = nx;
            columns = nextColumns;
        }
        if (i == length) {
            reached = x;
        }
        result.widest = std::max(result.widest, reached);
        if (end >= length) {
            break;
        }
        start = text[static_cast<std::size_t>(end)] == u'\r' ? end + 1 : end;
        result.starts.push_back(start);
    }
    result.starts.push_back(length);
    return result;
}

TEST(LineLayoutTest, BreaksFollowThePlainRuleOnRandomTextAndSettings) {
    std::mt19937 random(1207);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    const std::u16string alphabet = u"abcd  \t\r\r日本語W.i,\n";
    for (int round = 0; round < 400; ++round) {
        std::u16string text;
        const auto wanted = static_cast<std::size_t>(pick(300));
        while (text.size() < wanted) {
            // Now and then a long word, a long Japanese stretch or a run of the wide glyph.
            const int kind = pick(9);
            if (kind == 0) {
                text.append(static_cast<std::size_t>(pick(40)), u'a');
            } else if (kind == 1) {
                text.append(static_cast<std::size_t>(pick(40)), u'本');
            } else if (kind == 2) {
                text.append(static_cast<std::size_t>(pick(20)), u'W');
            } else {
                text +=
                    alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size()) - 1))];
            }
        }
        auto state = makeState(u"", 72, pick(3) != 0);
        if (pick(1) == 0) {
            // Shared among threads in small pieces, now and then with no prefix measured first.
            state->layouter.setParallelism(
                {.minLength = 0, .prefix = pick(2) * pick(60), .pieceLength = 1 + pick(50),
                 .threads = 2 + pick(2)});
        }
        auto& metrics = static_cast<FixedMetrics&>(*state->metrics);
        // Now and then a glyph so wide that eight of them pass any 16-bit sum.
        const int wide = pick(3) == 0 ? 9000 + pick(56000) : 1 + pick(90);
        metrics.overrides = {{u'i', 3}, {u'W', wide}, {u'.', 0}, {u',', pick(20)}};
        editctl::LayoutParams& params = state->layout;
        params.clientWidth = pick(4) == 0 ? 1 + pick(20) : 20 + pick(200);
        params.wrapColumn = pick(3) == 0 ? 1 + pick(12) : 0;
        params.tabSize = 1 + pick(9);
        params.columnLimit = pick(2) == 0 ? 1 + pick(40) : 0x8000;
        auto check = [&](const char* when) {
            const PlainLayout expected = plainLayout(
                logicalText(*state), params, [&](char16_t ch) { return metrics.charWidth(ch); });
            ASSERT_EQ(lineStarts(*state), expected.starts) << "round " << round << when;
            ASSERT_EQ(params.widestLine, expected.widest) << "round " << round << when;
        };
        // Laid out first while no width is known yet.
        editctl::replaceAllText(*state, text);
        check(" as set");
        // A pending edit splits the text in two pieces where the layout has to carry on.
        if (!text.empty() && pick(1) == 0) {
            state->caret = state->anchor = pick(static_cast<int>(text.size()));
            editctl::insertText(*state, text.substr(0, static_cast<std::size_t>(pick(6))), false);
        }
        if (pick(1) == 0) {
            state->widths.clear();
        }
        params.widestLine = 0;
        editctl::layoutAllText(*state);
        check(" laid out again");
    }
}

// Laid out by several threads, a text gets the lines, widest line and gutter one thread gives,
// also when the gutter's growth narrows the text and so starts the layout again.
TEST(LineLayoutTest, ThreadsGiveTheLinesOneThreadGives) {
    std::mt19937 random(1208);
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    const std::u16string alphabet = u"ab  \t\r\r\r日本W";
    for (int round = 0; round < 150; ++round) {
        std::u16string text;
        const auto wanted = static_cast<std::size_t>(pick(3) == 0 ? 2000 + pick(6000) : pick(400));
        while (text.size() < wanted) {
            text += alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size()) - 1))];
        }
        auto state = makeState(u"", 0, pick(3) != 0);
        editctl::LayoutParams& params = state->layout;
        params.lineNumbers = pick(3) != 0;
        params.clientWidth = 30 + pick(100);
        params.wrapColumn = pick(3) == 0 ? 1 + pick(12) : 0;
        params.tabSize = 1 + pick(9);
        params.columnLimit = pick(2) == 0 ? 1 + pick(40) : 0x8000;
        static_cast<FixedMetrics&>(*state->metrics).overrides = {{u'W', 1 + pick(60)}};
        editctl::replaceAllText(*state, text);
        if (pick(1) == 0) {
            state->caret = state->anchor = pick(static_cast<int>(text.size()));
            editctl::insertText(*state, u"ab\r", false);
        }
        const int digits = pick(3);
        auto layOut = [&] {
            params.lineNumberDigits = digits;
            params.widestLine = 0;
            if (pick(1) == 0) {
                state->widths.clear();
            }
            editctl::layoutAllText(*state);
            return std::tuple(lineStarts(*state), params.widestLine, params.lineNumberDigits,
                              params.margins.left);
        };
        state->layouter.setParallelism({.minLength = std::numeric_limits<int>::max()});
        const auto alone = layOut();
        state->layouter.setParallelism({.minLength = 0,
                                        .prefix = pick(2) * pick(300),
                                        .pieceLength = 1 + pick(400),
                                        .threads = 2 + pick(3)});
        ASSERT_EQ(layOut(), alone) << "round " << round;
        ASSERT_TRUE(state->lines.checkInvariants(state->text.length()));
    }
}

// Incremental relayout after every kind of edit must give exactly the lines a full layout of
// the resulting text gives, with the pending shift in between, whatever the widths, the
// wrap setting and the gutter.
struct LayoutCase {
    const char* name;
    bool wordWrap;
    int wrapColumn;
    bool lineNumbers;
    bool proportional;
};

class IncrementalLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(IncrementalLayoutTest, MatchesAFullLayoutAfterRandomEdits) {
    const LayoutCase& c = GetParam();
    std::mt19937 random(static_cast<unsigned>(std::hash<std::string>{}(c.name)));
    // With line numbers, more line breaks push the count past 1000.
    const std::u16string alphabet =
        std::u16string(c.proportional ? u"abc  d\r日本\timW.," : u"abc  d\r日本\t") +
        (c.lineNumbers ? u"\r\r\r" : u"");
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    auto randomText = [&](int n) {
        std::u16string s;
        for (int i = 0; i < n; ++i) {
            s.push_back(
                alphabet[static_cast<std::size_t>(pick(static_cast<int>(alphabet.size()) - 1))]);
        }
        return s;
    };
    const int width = 72;
    auto configure = [&](editctl::EditState& state) {
        auto& metrics = static_cast<FixedMetrics&>(*state.metrics);
        if (c.proportional) {
            // Narrow and wide Latin letters, punctuation, and one letter wider than half a line.
            metrics.overrides = {{u'i', 3}, {u'm', 13}, {u'.', 2}, {u',', 4}, {u'W', 41}};
        }
        state.layout.wrapColumn = c.wrapColumn;
        state.layout.lineNumbers = c.lineNumbers;
        // Room for a gutter of up to five digits beside the text area.
        state.layout.clientWidth = width + 2 + (c.lineNumbers ? 6 * 8 : 0);
    };
    // With line numbers, start one line short of 1000 so that edits cross into four digits.
    const std::u16string initial =
        c.lineNumbers ? std::u16string(998, u'\r') + u"ab" : randomText(300);
    auto state = makeState(u"", width, c.wordWrap);
    configure(*state);
    editctl::replaceAllText(*state, initial);
    const int digitsAtStart = state->layout.lineNumberDigits;
    for (int step = 0; step < 400; ++step) {
        const int length = state->text.length();
        const int action = pick(9);
        if (action <= 3) { // typing at the caret, sometimes somewhere else
            if (pick(3) == 0) {
                state->caret = state->anchor = pick(length);
            }
            editctl::insertText(*state, randomText(pick(3) + 1), pick(4) == 0);
        } else if (action <= 5 && length > 0) { // Backspace / Delete runs
            const int at = state->caret;
            if (action == 4 && at > 0) {
                editctl::deleteRange(*state, at - 1, at);
            } else if (at < length) {
                editctl::deleteRange(*state, at, at + 1);
            }
        } else if (action <= 7 && length > 0) { // a range, now and then a large one
            const int a = pick(length);
            const int b =
                !c.lineNumbers && pick(9) == 0 ? pick(length) : std::min(a + pick(8), length);
            editctl::deleteRange(*state, std::min(a, b), std::max(a, b));
        } else if (action == 8) {
            editctl::commitPending(*state, pick(1) == 0);
        } else { // a selection replaced, now and then a large one
            state->anchor = !c.lineNumbers && pick(9) == 0
                                ? pick(length)
                                : std::clamp(state->caret + pick(16) - 8, 0, length);
            editctl::insertText(*state, randomText(2), false);
        }
        ASSERT_TRUE(state->checkInvariants()) << "step " << step;
        auto fresh = makeState(u"", width, c.wordWrap);
        configure(*fresh);
        editctl::replaceAllText(*fresh, logicalText(*state));
        if (fresh->layout.lineNumberDigits < state->layout.lineNumberDigits) {
            // The gutter never narrows again: lay out beside the same gutter.
            fresh->layout.lineNumberDigits = state->layout.lineNumberDigits;
            editctl::layoutAllText(*fresh);
        }
        ASSERT_EQ(state->layout.lineNumberDigits, fresh->layout.lineNumberDigits)
            << "step " << step;
        ASSERT_EQ(state->layout.margins.left, fresh->layout.margins.left) << "step " << step;
        ASSERT_EQ(lineStarts(*state), lineStarts(*fresh)) << "step " << step;
    }
    if (c.lineNumbers) {
        EXPECT_GT(state->layout.lineNumberDigits, digitsAtStart) << "the gutter grew while editing";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, IncrementalLayoutTest,
    ::testing::Values(LayoutCase{"NoWrap", false, 0, false, false},
                      LayoutCase{"WrapAtEdge", true, 0, false, false},
                      LayoutCase{"ProportionalWrap", true, 0, false, true},
                      LayoutCase{"ProportionalNoWrap", false, 0, false, true},
                      LayoutCase{"WrapColumnWithNumbers", true, 7, true, true},
                      LayoutCase{"WrapAtEdgeWithNumbers", true, 0, true, true}),
    [](const ::testing::TestParamInfo<LayoutCase>& info) { return std::string(info.param.name); });

} // namespace
