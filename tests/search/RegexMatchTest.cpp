// Matching behaviour: try-order, backtracking, anchors, scans, case folding, captures and the
// step limit.
#include "RegexTestSupport.h"

#include "search/RegexSearch.h"

#include <gtest/gtest.h>

#include <string>

namespace search {
namespace {

using testing::regexFind;
using testing::Span;

TEST(RegexMatch, TryOrderDecidesGreedyLazyAndAlternatives) {
    EXPECT_EQ(regexFind(u"a*", u"aaa"), Span(0, 3));
    EXPECT_EQ(regexFind(u"a*?", u"aaa"), Span(0, 0));
    EXPECT_EQ(regexFind(u"a+?", u"aaa"), Span(0, 1));
    EXPECT_EQ(regexFind(u"a??", u"a"), Span(0, 0));
    EXPECT_EQ(regexFind(u"a?", u"a"), Span(0, 1));
    EXPECT_EQ(regexFind(u"ab|cd|ef", u"xxefcdab"), Span(2, 4));
    // First alternative first, not the longest.
    EXPECT_EQ(regexFind(u"a|ab", u"ab"), Span(0, 1));
    EXPECT_EQ(regexFind(u"ab|a", u"ab"), Span(0, 2));
    EXPECT_EQ(regexFind(u"x{2,4}", u"xxxxx"), Span(0, 4));
    EXPECT_EQ(regexFind(u"x{2,4}?", u"xxxxx"), Span(0, 2));
    EXPECT_EQ(regexFind(u"x{2,}", u"xxxxx"), Span(0, 5));
    EXPECT_EQ(regexFind(u"<.*?>", u"<a><b>"), Span(0, 3));
    EXPECT_EQ(regexFind(u"<.*>", u"<a><b>"), Span(0, 6));
}

TEST(RegexMatch, BacktracksOutOfFailedAlternativesAndRepetitions) {
    EXPECT_EQ(regexFind(u"(a|ab)c", u"abc"), Span(0, 3));
    EXPECT_EQ(regexFind(u"a*ab", u"aaab"), Span(0, 4));
    EXPECT_EQ(regexFind(u"colou?r", u"the color"), Span(4, 9));
    EXPECT_EQ(regexFind(u"colou?r", u"the colour"), Span(4, 10));
    EXPECT_EQ(regexFind(u"\\d+px", u"12 345px"), Span(3, 8));
}

TEST(RegexMatch, CountedRepetitionForms) {
    EXPECT_EQ(regexFind(u"x{3}", u"xxxx"), Span(0, 3));
    EXPECT_EQ(regexFind(u"x{3}", u"xx"), std::nullopt);
    EXPECT_EQ(regexFind(u"x{3,1}", u"xxxx"), Span(0, 3));
    for (std::u16string_view star : {u"x{0}", u"x{}", u"x{,}", u"x{0,0}", u"x{a}"}) {
        EXPECT_EQ(regexFind(star, u"xxx"), Span(0, 3));
    }
    EXPECT_EQ(regexFind(u"x{0,2}", u"xxx"), Span(0, 2));
    EXPECT_EQ(regexFind(u"x{0,2}?", u"xxx"), Span(0, 0));
    // An unterminated count drops the rest of the pattern.
    EXPECT_EQ(regexFind(u"x{2", u"axb"), Span(1, 2));
    EXPECT_EQ(regexFind(u"(ab){2}", u"abababx"), Span(0, 4));
}

TEST(RegexMatch, QuantifierWithoutOperand) {
    EXPECT_EQ(regexFind(u"*abc", u"xabc"), Span(1, 4));
    EXPECT_EQ(regexFind(u"+abc", u"xabc"), std::nullopt);
    EXPECT_EQ(regexFind(u"{2}abc", u"xabc"), std::nullopt);
    EXPECT_EQ(regexFind(u"{0,2}abc", u"xabc"), Span(1, 4));
    EXPECT_EQ(regexFind(u"a**", u"aa"), Span(0, 2));
    EXPECT_EQ(regexFind(u"?b", u"ab"), Span(1, 2));
}

TEST(RegexMatch, MalformedPatternsHaveTheirDefinedMeaning) {
    EXPECT_EQ(regexFind(u"a)b", u"xab"), Span(1, 2));
    EXPECT_EQ(regexFind(u"(ab", u"xab"), Span(1, 3));
    EXPECT_EQ(regexFind(u"[abc", u"xyz"), Span(0, 0)); // nothing left: the empty pattern
    EXPECT_EQ(regexFind(u"a|", u"xa"), Span(0, 0));    // an empty alternative matches at once
    EXPECT_EQ(regexFind(u"a]", u"xa]"), Span(1, 3));
    EXPECT_EQ(regexFind(u"a}", u"xa}"), Span(1, 3));
    EXPECT_EQ(regexFind(u"a}?", u"xa"), Span(1, 2));
    EXPECT_EQ(regexFind(u"a\\", u"a\\"), Span(0, 2));
    EXPECT_EQ(regexFind(u"\\x", u"a\x01"), std::nullopt);
}

TEST(RegexMatch, ClassesAndEscapes) {
    EXPECT_EQ(regexFind(u"[]a]", u"x]"), Span(1, 2));
    EXPECT_EQ(regexFind(u"[^]a]", u"]ab"), Span(2, 3));
    EXPECT_EQ(regexFind(u"[a-c\\d]+", u"x-ab3c9z"), Span(2, 7));
    EXPECT_EQ(regexFind(u"[\\x41-\\x43]+", u"@ABCD"), Span(1, 4));
    EXPECT_EQ(regexFind(u"\\u3042", u"\u3041\u3042"), Span(1, 2));
    EXPECT_EQ(regexFind(u"\\x4142", u"A4A42"), Span(2, 5));
    EXPECT_EQ(regexFind(u"\\q", u"pq"), Span(1, 2));
    EXPECT_EQ(regexFind(u"a\\nb", u"a\rb"), Span(0, 3));
    EXPECT_EQ(regexFind(u"a\\rb", u"a\rb"), Span(0, 3));
    EXPECT_EQ(regexFind(u"a\\nb", u"a\nb"), std::nullopt);
    EXPECT_EQ(regexFind(u"\\s+", u"x\t\r\n y"), Span(1, 5));
    // A decoded "\^" is a negation mark: the class "^" matches everything.
    EXPECT_EQ(regexFind(u"[\\^]", u"z"), Span(0, 1));
    EXPECT_EQ(regexFind(u".", u"\r\n\x01\uFFFE\uFFFFa"), Span(5, 6));
}

TEST(RegexMatch, LineStartScansOnlyLineStarts) {
    EXPECT_EQ(regexFind(u"^ab", u"ab\rab", 1), Span(3, 5));
    EXPECT_EQ(regexFind(u"^ab", u"ab\nab", 1), Span(3, 5));
    EXPECT_EQ(regexFind(u"^ab", u"xab"), std::nullopt);
    EXPECT_EQ(regexFind(u"^a|^b", u"xb\rb"), Span(3, 4));
    // The anchor is program-wide: in "^a|b" the "b" must also start a line.
    EXPECT_EQ(regexFind(u"^a|b", u"xb\rb"), Span(3, 4));
    // A line-start skip that reaches the end tries the end once.
    EXPECT_EQ(regexFind(u"^$", u"ab\r"), Span(3, 3));
    EXPECT_EQ(regexFind(u"^", u"ab"), Span(0, 0));
    EXPECT_EQ(regexFind(u"^", u"ab", 1), Span(2, 2));
    EXPECT_EQ(regexFind(u"(^a)", u"a"), std::nullopt);
    EXPECT_EQ(regexFind(u"a^b", u"a^b"), std::nullopt);
}

TEST(RegexMatch, LineEndIsProgramWide) {
    EXPECT_EQ(regexFind(u"b$", u"ab\rcd"), Span(1, 2));
    EXPECT_EQ(regexFind(u"z$|c", u"ab\rcd"), std::nullopt);
    EXPECT_EQ(regexFind(u"d$|c", u"ab\rcd"), Span(4, 5));
    EXPECT_EQ(regexFind(u"abc$|xyz$", u"xyz\rabc"), Span(0, 3));
    // No match crosses a line break when the pattern has "$".
    EXPECT_EQ(regexFind(u"a\\s*$", u"a\r\rb"), Span(0, 1));
    // The end of the text is never tried by the plain forward scan.
    EXPECT_EQ(regexFind(u"$", u"abc"), std::nullopt);
    EXPECT_EQ(regexFind(u"$", u"ab\rc"), Span(2, 2));
    EXPECT_EQ(regexFind(u"^abc$", u"abc"), Span(0, 3));
    EXPECT_EQ(regexFind(u"(a$)", u"a"), std::nullopt);
    EXPECT_EQ(regexFind(u"a$b", u"ab"), std::nullopt);
}

TEST(RegexMatch, BackwardScans) {
    EXPECT_EQ(regexFind(u"a", u"xaxax", 5, false), Span(3, 4));
    EXPECT_EQ(regexFind(u"a", u"xaxax", 3, false), Span(1, 2));
    EXPECT_EQ(regexFind(u"a", u"xaxax", 1, false), std::nullopt);
    // The match starting nearest before the start index may end after it.
    EXPECT_EQ(regexFind(u"ax+", u"axxx", 2, false), Span(0, 4));
    EXPECT_EQ(regexFind(u"abc", u"abcabc", 4, false), Span(3, 6));
    EXPECT_EQ(regexFind(u"^ab", u"ab\rab\rab", 7, false), Span(6, 8));
    EXPECT_EQ(regexFind(u"^ab", u"ab\rab\rab", 6, false), Span(3, 5));
    EXPECT_EQ(regexFind(u"^ab", u"ab\rab", 3, false), Span(0, 2));
    EXPECT_EQ(regexFind(u"^a", u"xa", 2, false), std::nullopt);
    EXPECT_EQ(regexFind(u"x*", u"abc", 3, false), Span(2, 2));
    EXPECT_EQ(regexFind(u"a", u"aaa", 100, false), Span(2, 3));
}

TEST(RegexMatch, IgnoreCaseFoldsAToZInCharactersOnly) {
    EXPECT_EQ(regexFind(u"ABC", u"xabc", 0, true, true), Span(1, 4));
    EXPECT_EQ(regexFind(u"abc", u"xABC", 0, true, true), Span(1, 4));
    EXPECT_EQ(regexFind(u"abc", u"xABC", 0, true, false), std::nullopt);
    EXPECT_EQ(regexFind(u"[A-C]", u"b", 0, true, true), std::nullopt);
    EXPECT_EQ(regexFind(u"\u00c4", u"\u00e4", 0, true, true), std::nullopt);
    EXPECT_EQ(regexFind(u"\uFF21", u"\uFF41", 0, true, true), std::nullopt);
    EXPECT_EQ(regexFind(u"@", u"`", 0, true, true), std::nullopt);
    EXPECT_EQ(regexFind(u"color", u"COLOR", 4, false, true), Span(0, 5));
}

TEST(RegexMatch, CapturesHoldTheMatchingPath) {
    auto program = RegexProgram::Compile(u"(a|ab)(c)|(x)");
    std::vector<CaptureSpan> captures;
    ASSERT_EQ(RegexSearch(*program, u"zabc", captures, false, 0, true), 4);
    EXPECT_EQ(captures[0], (CaptureSpan{1, 4}));
    EXPECT_EQ(captures[1], (CaptureSpan{1, 3}));
    EXPECT_EQ(captures[2], (CaptureSpan{3, 4}));
    EXPECT_EQ(captures[3], (CaptureSpan{0, 0})); // not on the matching path
    EXPECT_EQ(RegexSearch(*program, u"zzz", captures, false, 0, true), 0);
    EXPECT_TRUE(captures.empty());
    // A literal found by the scan alone still reports every group, here one in an alternative
    // that can never match.
    program = RegexProgram::Compile(u"xy|a^(b)");
    ASSERT_EQ(RegexSearch(*program, u"axy", captures, false, 0, true), 2);
    EXPECT_EQ(captures, (std::vector<CaptureSpan>{{1, 3}, {0, 0}}));
}

TEST(RegexMatch, AViewMayBeginInsideALine) {
    auto program = RegexProgram::Compile(u"^a");
    std::vector<CaptureSpan> captures;
    EXPECT_EQ(RegexSearch(*program, u"a\ra", captures, false, 0, true, false), 1);
    EXPECT_EQ(captures[0], (CaptureSpan{2, 3}));
    EXPECT_EQ(RegexSearch(*program, u"a", captures, false, 1, false, false), 0);
    EXPECT_EQ(RegexSearch(*program, u"a", captures, false, 1, false, true), 1);
}

TEST(RegexMatch, StepLimitEndsTheAttemptAtThatStartOnly) {
    // ".*" takes two steps per unit, so one match cannot grow past about 6000 units.
    const std::u16string shortLine(5990, u'x');
    EXPECT_EQ(regexFind(u".*", shortLine), Span(0, 5990));
    const std::u16string longLine(6100, u'x');
    // Too deep at every start until the rest of the line is short enough (5999 units).
    EXPECT_EQ(regexFind(u".*", longLine), Span(101, 6100));
    // The limit is not backtracked over: "a.*b" fails at a start whose ".*" runs too deep even
    // though a shorter match exists there.
    std::u16string text = u"a" + std::u16string(7000, u'x') + u"b";
    EXPECT_EQ(regexFind(u"a.*b", text), std::nullopt);
    text = u"ab" + std::u16string(7000, u'x');
    EXPECT_EQ(regexFind(u"a.*?b", text), Span(0, 2));
    // A loop that consumes nothing always runs too deep: "(a*)*" never matches.
    EXPECT_EQ(regexFind(u"(a*)*", u"aaa"), std::nullopt);
    // It runs too deep before a later alternative is tried, at every start.
    EXPECT_EQ(regexFind(u"(a*)*b|c", u"aac"), std::nullopt);
}

TEST(RegexMatch, NestedRepetitionsAnswerQuickly) {
    const std::u16string line(40, u'a');
    EXPECT_EQ(regexFind(u"(a+)+b", line), std::nullopt);
    EXPECT_EQ(regexFind(u"(a|aa)*c", line), std::nullopt);
    EXPECT_EQ(regexFind(u"(a|aa)*c", line + u"c"), Span(0, 41));
    EXPECT_EQ(regexFind(u"(a*)+$", line + u"b"), std::nullopt);
    EXPECT_EQ(regexFind(u"(x+x+)+y", std::u16string(600, u'x')), std::nullopt);
    EXPECT_EQ(regexFind(u"((a|b)*)*c", std::u16string(2000, u'a')), std::nullopt);
}

TEST(RegexMatch, SearchesAnyStartIndexAndEmptyTexts) {
    EXPECT_EQ(regexFind(u"a", u""), std::nullopt);
    EXPECT_EQ(regexFind(u"", u""), std::nullopt);
    EXPECT_EQ(regexFind(u"", u"", 0, false), std::nullopt);
    EXPECT_EQ(regexFind(u"", u"ab", 1), Span(1, 1));
    EXPECT_EQ(regexFind(u"a", u"ab", 50), std::nullopt);
    EXPECT_EQ(regexFind(u"b", std::u16string_view(u"a\0b", 3)), Span(2, 3));
}

} // namespace
} // namespace search
