// The compiler's output: states, try-order of transitions, anchors, and resource limits.
#include "search/RegexProgram.h"
#include "search/RegexParser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace search {
namespace {

RegexProgramPtr compiled(std::u16string_view pattern) {
    RegexProgramPtr program = RegexProgram::Compile(pattern);
    EXPECT_NE(program, nullptr);
    if (program) {
        program->checkInvariants();
    }
    return program;
}

std::vector<RegexNodeKind> kindsFrom(const RegexProgram& program, std::int32_t state) {
    std::vector<RegexNodeKind> kinds;
    for (const RegexTransition& t : program.transitions(state)) {
        kinds.push_back(t.kind);
    }
    return kinds;
}

TEST(RegexProgram, EmptyPatternIsOneEpsilonFromStartToFinal) {
    for (std::u16string_view pattern : {u"", u")abc"}) {
        auto program = compiled(pattern);
        ASSERT_EQ(program->stateCount(), 2);
        ASSERT_EQ(program->transitions(0).size(), 1U);
        EXPECT_TRUE(program->transitions(0)[0].epsilon);
        EXPECT_EQ(program->transitions(0)[0].target, RegexProgram::kFinalState);
        EXPECT_EQ(program->groupSlots(), 1);
    }
}

TEST(RegexProgram, StateCountFollowsConcatenationsAndRepetitions) {
    EXPECT_EQ(compiled(u"a")->stateCount(), 2);
    EXPECT_EQ(compiled(u"ab")->stateCount(), 3);
    EXPECT_EQ(compiled(u"a*b")->stateCount(), 5);
    EXPECT_EQ(compiled(u"a+")->stateCount(), 5); // a then a*
    // A group is open, content, close: two concatenations.
    EXPECT_EQ(compiled(u"(a)")->stateCount(), 4);
    EXPECT_EQ(compiled(u"(a)(b)")->groupSlots(), 3);
    // x{3}: three copies; x{2,4}: two copies then two optional ones.
    EXPECT_EQ(compiled(u"x{3}")->stateCount(), 5);
    EXPECT_EQ(compiled(u"x{2,4}")->stateCount(), 6);
}

TEST(RegexProgram, AlternativesAreTriedInWrittenOrder) {
    auto program = compiled(u"a|b|c");
    std::u16string order;
    for (const RegexTransition& t : program->transitions(0)) {
        order += t.ch;
    }
    EXPECT_EQ(order, u"abc");
}

TEST(RegexProgram, GreedyStarTriesTheOperandFirstAndLazyStarTheExit) {
    auto greedy = compiled(u"a*");
    const std::int32_t loop = greedy->transitions(0)[0].target;
    EXPECT_EQ(kindsFrom(*greedy, loop), (std::vector<RegexNodeKind>{RN_CHAR, RN_EMPTY}));
    auto lazy = compiled(u"a*?");
    const std::int32_t lazyLoop = lazy->transitions(0)[0].target;
    EXPECT_EQ(kindsFrom(*lazy, lazyLoop), (std::vector<RegexNodeKind>{RN_EMPTY, RN_CHAR}));
    EXPECT_EQ(lazy->transitions(lazyLoop)[0].target, RegexProgram::kFinalState);
}

TEST(RegexProgram, AnchorsSurviveOnlyAtTheEndsOfTopLevelAlternatives) {
    EXPECT_TRUE(compiled(u"^a|^b")->hasLineStart());
    EXPECT_TRUE(compiled(u"^abc$")->hasLineStart());
    EXPECT_TRUE(compiled(u"^abc$")->hasLineEnd());
    EXPECT_TRUE(compiled(u"abc$|xyz$")->hasLineEnd());
    EXPECT_FALSE(compiled(u"(^a)")->hasLineStart());
    EXPECT_FALSE(compiled(u"a^b")->hasLineStart());
    EXPECT_FALSE(compiled(u"(a$)")->hasLineEnd());
    EXPECT_FALSE(compiled(u"a$b")->hasLineEnd());
}

TEST(RegexProgram, ClassesAreSharedBetweenTransitionsWithTheSameText) {
    auto program = compiled(u"[ab][ab]x{0}\\d[ab]");
    EXPECT_EQ(program->classCount(), 2);
    EXPECT_EQ(program->classText(0), u"ab");
}

TEST(RegexProgram, LongAndDeepPatternsCompileWithoutRecursingOnTheirLength) {
    // A pasted paragraph and a long counted repetition make trees tens of thousands deep.
    EXPECT_NE(compiled(std::u16string(30000, u'a')), nullptr);
    EXPECT_NE(compiled(u"(ab|c){5000}"), nullptr);
    EXPECT_NE(compiled(std::u16string(500, u'(') + u"a" + std::u16string(500, u')')), nullptr);
}

TEST(RegexProgram, ResourceLimitsMakeCompileReturnNothing) {
    EXPECT_EQ(RegexProgram::Compile(u"a{99999999999}"), nullptr);
    EXPECT_EQ(RegexProgram::Compile(u"(a{1000}){1000}"), nullptr);
    EXPECT_EQ(RegexProgram::Compile(u"*{2000000000}"), nullptr);
    const std::u16string deep(RegexParser::kMaxNesting + 1, u'(');
    EXPECT_EQ(RegexProgram::Compile(deep), nullptr);
    EXPECT_NE(RegexProgram::Compile(std::u16string(RegexParser::kMaxNesting - 1, u'(')), nullptr);
}

} // namespace
} // namespace search
