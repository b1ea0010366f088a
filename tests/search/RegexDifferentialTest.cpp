// The engine against the reference walk on generated patterns and texts: every difference in
// match, position or the effect of the step limit is a fault of the skips or the memory.
#include "RegexReference.h"

#include "search/RegexSearch.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace search {
namespace {

constexpr std::size_t kCallBudget = 300000;

std::u16string randomPattern(std::mt19937& rng) {
    static const std::vector<std::u16string> pieces = {
        u"a",  u"b",   u"c",     u"A",     u".",   u"\\d", u"[ab]", u"[^a]",   u"[a-c\\s]",
        u"(",  u"(",   u")",     u"|",     u"*",   u"+",   u"?",    u"*?",     u"+?",
        u"??", u"{2}", u"{1,3}", u"{,2}?", u"{0}", u"^",   u"$",    u"\\",     u"{",
        u"]",  u"}",   u"\\n",   u"ab",    u"\\x", u"[",   u"\\w",  u"\u3042",
    };
    std::u16string pattern;
    const int length = static_cast<int>(rng() % 8);
    for (int i = 0; i < length; ++i) {
        pattern += pieces[rng() % pieces.size()];
    }
    return pattern;
}

std::u16string randomText(std::mt19937& rng, std::size_t maxLength) {
    static const std::u16string alphabet = u"aaabbcA1 \r\n\u3042";
    std::u16string text;
    const std::size_t length = rng() % (maxLength + 1);
    for (std::size_t i = 0; i < length; ++i) {
        text += alphabet[rng() % alphabet.size()];
    }
    return text;
}

// Compares one search both ways; returns false when the reference gave up.
bool compareOne(const RegexProgram& program, std::u16string_view pattern, std::u16string_view text,
                bool ignoreCase, std::size_t start, bool forward) {
    const testing::ReferenceResult expected =
        testing::referenceSearch(program, text, ignoreCase, start, forward, kCallBudget);
    if (expected.gaveUp) {
        return false;
    }
    std::vector<CaptureSpan> captures;
    const int slots = RegexSearch(program, text, captures, ignoreCase, start, forward);
    const std::string where = "pattern of " + std::to_string(pattern.size()) + " units \"" +
                              std::string(pattern.begin(), pattern.end()) + "\", text of " +
                              std::to_string(text.size()) + ", start " + std::to_string(start) +
                              (forward ? " forward" : " backward") +
                              (ignoreCase ? " ignoring case" : "");
    EXPECT_EQ(slots != 0, expected.match.has_value()) << where;
    if (slots != 0 && expected.match) {
        EXPECT_EQ(captures[0].start, expected.match->start) << where;
        EXPECT_EQ(captures[0].end, expected.match->end) << where;
    }
    return true;
}

TEST(RegexDifferential, ShortPatternsOnShortTexts) {
    std::mt19937 rng(20261207);
    int compared = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::u16string pattern = randomPattern(rng);
        RegexProgramPtr program = RegexProgram::Compile(pattern);
        ASSERT_NE(program, nullptr);
        program->checkInvariants();
        for (int t = 0; t < 4; ++t) {
            const std::u16string text = randomText(rng, 24);
            const std::size_t start = rng() % (text.size() + 2);
            const bool ignoreCase = rng() % 4 == 0;
            compared += compareOne(*program, pattern, text, ignoreCase, start, true) ? 1 : 0;
            compared += compareOne(*program, pattern, text, ignoreCase, start, false) ? 1 : 0;
        }
        if (HasFailure()) {
            return;
        }
    }
    EXPECT_GT(compared, 20000);
}

TEST(RegexDifferential, PatternsThatReachTheStepLimit) {
    // Long lines make greedy repetitions run too deep at early starts; the engine must fail
    // exactly the same starts as the reference and find the same later match.
    const std::vector<std::u16string> patterns = {
        u".*",    u".*b",  u"a.*",     u"(a|b)*c", u"[ab]*$",   u"a*?b",   u"(ab|a)*b", u"(a+)+",
        u"(a*)*", u"\\w+", u"(.)*x|a", u"^.*",     u"(a|b)+?$", u"(a?)*b", u"a{2,}c",   u"x|a*$",
    };
    std::mt19937 rng(7);
    int compared = 0;
    int tried = 0;
    for (const std::u16string& pattern : patterns) {
        RegexProgramPtr program = RegexProgram::Compile(pattern);
        ASSERT_NE(program, nullptr);
        for (std::size_t length : {5990U, 6010U, 6200U}) {
            std::u16string text(length, u'a');
            for (int i = 0; i < 8; ++i) {
                text[rng() % length] = u"bc\r"[rng() % 3];
            }
            compared += compareOne(*program, pattern, text, false, 0, true) ? 1 : 0;
            compared += compareOne(*program, pattern, text, false, length, false) ? 1 : 0;
            tried += 2;
        }
        if (HasFailure()) {
            return;
        }
    }
    EXPECT_GT(compared, tried / 2);
}

} // namespace
} // namespace search
