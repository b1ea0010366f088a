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

TEST(PlainMatcher, IgnoreCaseFoldsWiderLettersTheSameBothWays) {
    // Full-width, Greek, Cyrillic and Latin-1 capitals fold to their small letters.
    const std::u16string text = u"x\uff41\uff42 \u03b1\u03b2 \u0430\u0451 \u00e9t\u00e9";
    for (const std::u16string_view pattern :
         {u"\uff21\uff22", u"\u0391\u0392", u"\u0410\u0401", u"\u00c9T\u00c9"}) {
        const auto forward = plainFind(pattern, text, 0, true, true);
        ASSERT_TRUE(forward.has_value());
        EXPECT_EQ(plainFind(pattern, text, text.size(), false, true), forward);
        EXPECT_EQ(plainFind(pattern, text, 0, true, false), std::nullopt);
    }
    // The multiplication sign and the Greek gap have no small letter.
    EXPECT_EQ(plainFind(u"\u00d7", u"\u00f7", 0, true, true), std::nullopt);
}

TEST(PlainMatcher, ANulInsideTheTextIsAnOrdinaryCharacter) {
    const std::u16string text(u"ab\0cab\0", 7);
    EXPECT_EQ(plainFind(u"ab", text, 1, true), Span(4, 6));
    EXPECT_EQ(plainFind(std::u16string(u"\0", 1), text, 3, true), Span(6, 7));
    EXPECT_EQ(plainFind(u"b", text, 7, false), Span(5, 6));
    // A match may not run past the end of the view, even when memory follows it.
    EXPECT_EQ(plainFind(u"ab\u0001", std::u16string_view(u"ab\u0001", 2), 0, true), std::nullopt);
}

// Small alphabets make periodic literals and many near-misses, where a naive scan and a
// skipping one are most likely to disagree.
TEST(LiteralScanner, AgreesWithAPlainScanOnRandomTexts) {
    const std::u16string alphabet = u"abAB\u0161\u0261\u3042\u3142\uff21\uff41";
    std::mt19937 rng(99);
    for (int round = 0; round < 3000; ++round) {
        const std::size_t letters = 2 + rng() % (alphabet.size() - 1);
        auto randomText = [&](std::size_t n) {
            std::u16string s;
            for (std::size_t i = 0; i < n; ++i) {
                s += alphabet[rng() % letters];
            }
            return s;
        };
        std::u16string needle = randomText(1 + rng() % 9);
        std::u16string text = randomText(rng() % 80);
        if (rng() % 3 == 0) {
            // Plant copies of the needle, some overlapping.
            for (int copies = 0; copies < 3 && !text.empty(); ++copies) {
                text.insert(rng() % text.size(), needle);
            }
        }
        const auto folding = static_cast<CaseFolding>(rng() % 3);
        const LiteralScanner scanner(needle, folding);
        const std::size_t m = needle.size();
        auto same = [&](std::size_t i) {
            if (i + m > text.size()) {
                return false;
            }
            for (std::size_t k = 0; k < m; ++k) {
                if (foldCase(folding, text[i + k]) != foldCase(folding, needle[k])) {
                    return false;
                }
            }
            return true;
        };
        const std::size_t from = rng() % (text.size() + 2);
        std::size_t expected = LiteralScanner::npos;
        for (std::size_t i = from; i < text.size(); ++i) {
            if (same(i)) {
                expected = i;
                break;
            }
        }
        ASSERT_EQ(scanner.find(text, from), expected) << "round " << round;
        std::size_t expectedBack = LiteralScanner::npos;
        for (std::size_t i = std::min(from, text.size()) + 1; i-- > 0;) {
            if (same(i)) {
                expectedBack = i;
                break;
            }
        }
        ASSERT_EQ(scanner.findBackward(text, from), expectedBack) << "round " << round;
        ASSERT_EQ(scanner.matchesAt(text, from), same(from)) << "round " << round;
    }
}

} // namespace
} // namespace search
