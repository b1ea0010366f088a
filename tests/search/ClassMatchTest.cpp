// Class texts read at match time, and the precomputed sets that must agree with them.
#include "search/ClassMatch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace search {
namespace {

TEST(ClassMatch, MembersRangesAndNegation) {
    EXPECT_TRUE(ClassMatch(u"abc", u'b'));
    EXPECT_FALSE(ClassMatch(u"abc", u'd'));
    EXPECT_TRUE(ClassMatch(u"a-c", u'b'));
    EXPECT_FALSE(ClassMatch(u"c-a", u'b')); // a reversed range holds nothing
    EXPECT_FALSE(ClassMatch(u"^a-c", u'b'));
    EXPECT_TRUE(ClassMatch(u"^a-c", u'z'));
    EXPECT_TRUE(ClassMatch(u"a-", u'-')); // "-" at the end is a member
    EXPECT_TRUE(ClassMatch(u"]a", u']'));
    EXPECT_FALSE(ClassMatch(u"^]a", u']'));
    EXPECT_TRUE(ClassMatch(u"^]a", u'b'));
    EXPECT_FALSE(ClassMatch(u"", u'a'));
    EXPECT_TRUE(ClassMatch(u"^", u'a'));
    EXPECT_TRUE(ClassMatch(u"\u3041-\u3093", u'\u3042'));
    EXPECT_TRUE(ClassMatch(u"\uFF00-\uFFFF", u'\uFFFF')); // unsigned comparison
}

TEST(ClassMatch, EscapesExpandAtMatchTime) {
    EXPECT_TRUE(ClassMatch(u"a-c\\d", u'7'));
    EXPECT_FALSE(ClassMatch(u"\\D", u'7'));
    EXPECT_TRUE(ClassMatch(u"\\D", u'x'));
    EXPECT_TRUE(ClassMatch(u"\\s", u'\r'));
    EXPECT_TRUE(ClassMatch(u"\\s", u'\n'));
    EXPECT_FALSE(ClassMatch(u"\\S", u' '));
    EXPECT_TRUE(ClassMatch(u"\\w", u'_'));
    EXPECT_FALSE(ClassMatch(u"\\W", u'Q'));
    EXPECT_TRUE(ClassMatch(u"\\\\", u'\\'));
    EXPECT_FALSE(ClassMatch(u"\\\\", u'a'));
    // A negated class of a negated escape.
    EXPECT_TRUE(ClassMatch(u"^\\D", u'5'));
    EXPECT_FALSE(ClassMatch(u"^\\D", u'x'));
    // Hex escapes still read inside a class text (a backslash decoded by the compiler).
    EXPECT_TRUE(ClassMatch(u"\\x41", u'A'));
}

TEST(ClassMatch, DotAcceptsTabAndSpaceToFFFDOnly) {
    const std::u16string_view dot = u"\t -\uFFFD";
    EXPECT_TRUE(ClassMatch(dot, u'\t'));
    EXPECT_TRUE(ClassMatch(dot, u' '));
    EXPECT_TRUE(ClassMatch(dot, u'\u3042'));
    EXPECT_FALSE(ClassMatch(dot, u'\r'));
    EXPECT_FALSE(ClassMatch(dot, u'\n'));
    EXPECT_FALSE(ClassMatch(dot, u'\x01'));
    EXPECT_FALSE(ClassMatch(dot, u'\uFFFE'));
    EXPECT_FALSE(ClassMatch(dot, u'\uFFFF'));
}

TEST(ClassSet, AgreesWithClassMatchOnEveryUnitOfRandomClassTexts) {
    const std::u16string alphabet = u"^-\\]abcdzDsSwWx419AF\u3042\uFFFF ";
    std::mt19937 rng(12345);
    for (int round = 0; round < 300; ++round) {
        std::u16string k;
        const int length = static_cast<int>(rng() % 9);
        for (int i = 0; i < length; ++i) {
            k += alphabet[rng() % alphabet.size()];
        }
        const ClassSet set(k);
        for (unsigned c = 0; c <= 0xFFFF; c += (c < 300 ? 1 : 97)) {
            ASSERT_EQ(set.contains(static_cast<char16_t>(c)),
                      ClassMatch(k, static_cast<char16_t>(c)))
                << "class of " << k.size() << " units, unit " << c;
        }
        for (char16_t c : k) {
            ASSERT_EQ(set.contains(c), ClassMatch(k, c));
        }
        ASSERT_EQ(set.contains(u'\uFFFF'), ClassMatch(k, u'\uFFFF'));
    }
}

} // namespace
} // namespace search
