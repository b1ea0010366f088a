// The literal search strategy and the scanner under it.
#include "search/PlainMatcher.h"
#include "search/LiteralScanner.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <utility>

namespace search {
namespace {

using Span = std::pair<std::size_t, std::size_t>;

std::optional<Span> plainFind(std::u16string_view pattern, std::u16string_view text,
                              std::size_t position, bool forward, bool ignoreCase = false) {
    PlainMatcher matcher;
    matcher.ignoreCase = ignoreCase ? 1 : 0;
    EXPECT_TRUE(matcher.Compile(pattern));
    std::size_t end = 0;
    if (!matcher.Find(forward, text, position, end)) {
        return std::nullopt;
    }
    return Span{position, end};
}

TEST(PlainMatcher, ForwardFromThePositionOn) {
    EXPECT_EQ(plainFind(u"abc", u"abc abc", 0, true), Span(0, 3));
    EXPECT_EQ(plainFind(u"abc", u"abc abc", 1, true), Span(4, 7));
    EXPECT_EQ(plainFind(u"abc", u"abc abc", 5, true), std::nullopt);
    EXPECT_EQ(plainFind(u"abc", u"ab", 0, true), std::nullopt);
    EXPECT_EQ(plainFind(u"\u65e5\u672c", u"\u3053\u308c\u65e5\u672c\u8a9e", 0, true), Span(2, 4));
    // Regular-expression characters mean nothing here.
    EXPECT_EQ(plainFind(u"a.*", u"abc a.*", 0, true), Span(4, 7));
}

TEST(PlainMatcher, BackwardFromBeforeThePosition) {
    EXPECT_EQ(plainFind(u"abc", u"abc abc", 4, false), Span(0, 3));
    EXPECT_EQ(plainFind(u"abc", u"abc abc", 7, false), Span(4, 7));
    // A match starting just before the position may end after it.
    EXPECT_EQ(plainFind(u"abc", u"abc abc", 5, false), Span(4, 7));
    EXPECT_EQ(plainFind(u"abc", u"abc abc", 0, false), std::nullopt);
    EXPECT_EQ(plainFind(u"abc", u"abc", 99, false), Span(0, 3));
}

TEST(PlainMatcher, IgnoreCaseFoldsAToZ) {
    EXPECT_EQ(plainFind(u"Color", u"the COLOR", 0, true, true), Span(4, 9));
    EXPECT_EQ(plainFind(u"Color", u"the COLOR", 0, true, false), std::nullopt);
    EXPECT_EQ(plainFind(u"color", u"Color color", 11, false, true), Span(6, 11));
    EXPECT_EQ(plainFind(u"@[", u"`{", 0, true, true), std::nullopt);
    // The flag is read when searching, whenever it was set.
    PlainMatcher matcher;
    ASSERT_TRUE(matcher.Compile(u"ABC"));
    matcher.ignoreCase = 1;
    std::size_t position = 0;
    std::size_t end = 0;
    EXPECT_TRUE(matcher.Find(true, u"xabc", position, end));
    EXPECT_EQ(position, 1U);
}

TEST(PlainMatcher, EmptyPatternMatchesAtTheFirstCandidate) {
    EXPECT_EQ(plainFind(u"", u"ab", 1, true), Span(1, 1));
    EXPECT_EQ(plainFind(u"", u"ab", 2, true), std::nullopt);
    EXPECT_EQ(plainFind(u"", u"ab", 2, false), Span(1, 1));
    EXPECT_EQ(plainFind(u"", u"", 0, true), std::nullopt);
}

TEST(LiteralScanner, AgreesWithAPlainScanOnRandomTexts) {
    // Units sharing a low byte share a skip entry; the scan must still find every occurrence.
    const std::u16string alphabet = u"abAB\u0161\u0261\u3042\u3142";
    std::mt19937 rng(99);
    for (int round = 0; round < 400; ++round) {
        std::u16string needle;
        const std::size_t m = 1 + rng() % 4;
        for (std::size_t i = 0; i < m; ++i) {
            needle += alphabet[rng() % alphabet.size()];
        }
        std::u16string text;
        const std::size_t n = rng() % 60;
        for (std::size_t i = 0; i < n; ++i) {
            text += alphabet[rng() % alphabet.size()];
        }
        const bool fold = rng() % 2 == 0;
        const LiteralScanner scanner(needle, fold);
        auto same = [&](std::size_t i) {
            if (i + m > text.size()) {
                return false;
            }
            for (std::size_t k = 0; k < m; ++k) {
                char16_t a = text[i + k];
                char16_t b = needle[k];
                if (fold) {
                    a = (a >= u'A' && a <= u'Z') ? static_cast<char16_t>(a + 32) : a;
                    b = (b >= u'A' && b <= u'Z') ? static_cast<char16_t>(b + 32) : b;
                }
                if (a != b) {
                    return false;
                }
            }
            return true;
        };
        const std::size_t from = rng() % (n + 1);
        std::size_t expected = LiteralScanner::npos;
        for (std::size_t i = from; i < text.size(); ++i) {
            if (same(i)) {
                expected = i;
                break;
            }
        }
        ASSERT_EQ(scanner.find(text, from), expected) << "round " << round;
        std::size_t expectedBack = LiteralScanner::npos;
        for (std::size_t i = from + 1; i-- > 0;) {
            if (same(i)) {
                expectedBack = i;
                break;
            }
        }
        ASSERT_EQ(scanner.findBackward(text, from), expectedBack) << "round " << round;
    }
}

} // namespace
} // namespace search
