#include "EditTestSupport.h"

#include "editctl/COomEx.h"

#include <gtest/gtest.h>

using editctl::UndoKind;
using editctl::test::lineStarts;
using editctl::test::logicalText;
using editctl::test::makeState;
using Starts = std::vector<long long>;

namespace {

TEST(EditOperationsTest, TypingKeepsOnePendingInsertionAndMovesLaterLinesByShift) {
    auto state = makeState(u"aaaa\rbbbb\rcccc", 80);
    state->caret = state->anchor = 2;
    for (char16_t ch : std::u16string(u"xyz")) {
        editctl::insertText(*state, std::u16string(1, ch), false);
    }
    EXPECT_EQ(logicalText(*state), u"aaxyzaa\rbbbb\rcccc");
    EXPECT_EQ(state->caret, 5);
    EXPECT_TRUE(state->text.hasPendingInsertion());
    EXPECT_EQ(state->text.baseLength(), 14) << "the base text did not move";
    EXPECT_EQ(state->lines.shift(), 3);
    EXPECT_EQ(lineStarts(*state), (Starts{0, 8, 13, 17}));
    EXPECT_TRUE(state->modified);

    editctl::commitPending(*state, true);
    EXPECT_EQ(state->lines.shift(), 3) << "a commit rewrites no line start";
    EXPECT_EQ(lineStarts(*state), (Starts{0, 8, 13, 17}));
    ASSERT_EQ(state->undo.position(), 1);
    EXPECT_EQ(state->undo.at(0).kind, UndoKind::Insertion);
    EXPECT_EQ(state->undo.at(0).length, 3);
}

TEST(EditOperationsTest, OverwriteReplacesUpToALineBreak) {
    auto state = makeState(u"ab\rcd", 80);
    state->caret = state->anchor = 1;
    editctl::insertText(*state, u"X", true);
    EXPECT_EQ(logicalText(*state), u"aX\rcd");
    editctl::insertText(*state, u"Y", true);
    EXPECT_EQ(logicalText(*state), u"aXY\rcd") << "before a CR the character is inserted";
    EXPECT_TRUE(state->checkInvariants());
}

TEST(EditOperationsTest, ReplacingASelectionRecordsTwoSteps) {
    auto state = makeState(u"one two", 80);
    state->anchor = 4;
    state->caret = 7;
    editctl::insertText(*state, u"2", false);
    EXPECT_EQ(logicalText(*state), u"one 2");
    editctl::commitPending(*state, true);
    ASSERT_EQ(state->undo.position(), 2);
    EXPECT_EQ(state->undo.at(0).kind, UndoKind::Deletion);
    EXPECT_EQ(std::u16string(state->undo.at(0).text, 3), u"two");
    EXPECT_EQ(state->undo.at(1).kind, UndoKind::Insertion);
}

TEST(EditOperationsTest, TextLimitCutsInsertions) {
    auto state = makeState(u"abc", 80);
    state->textLimit = 5;
    state->caret = state->anchor = 3;
    const auto result = editctl::insertText(*state, u"defg", false);
    EXPECT_TRUE(result.limitReached);
    EXPECT_EQ(logicalText(*state), u"abcde");
    EXPECT_TRUE(editctl::insertText(*state, u"h", false).limitReached);
    EXPECT_EQ(logicalText(*state), u"abcde");
}

TEST(EditOperationsTest, FailedAllocationsKeepTextAndLines) {
    auto state = makeState(u"first line\rsecond", 80);
    state->caret = state->anchor = 5;
    editctl::insertText(*state, u"!", false);
    const std::u16string before = logicalText(*state);
    const Starts linesBefore = lineStarts(*state);

    state->allocator.setFailureThreshold(0);
    // A paste too large for the room left in the array.
    EXPECT_THROW(editctl::insertText(*state, std::u16string(5000, u'p'), false), COomEx);
    EXPECT_EQ(logicalText(*state), before);
    EXPECT_EQ(lineStarts(*state), linesBefore);
    EXPECT_TRUE(state->checkInvariants());
    // A whole new text.
    EXPECT_THROW(editctl::replaceAllText(*state, u"replacement"), COomEx);
    EXPECT_EQ(logicalText(*state), before);
    EXPECT_EQ(state->undo.capacity(), 256);
    // Typing on still works once memory is back.
    state->allocator.setFailureThreshold(std::nullopt);
    editctl::insertText(*state, u"?", false);
    EXPECT_EQ(logicalText(*state), u"first!? line\rsecond");
    EXPECT_TRUE(state->checkInvariants());
}

TEST(EditOperationsTest, APasteTooLargeForMemoryKeepsTheSelection) {
    auto state = makeState(u"keep this text", 200);
    state->anchor = 5;
    state->caret = 9;
    state->allocator.setFailureThreshold(4000);
    EXPECT_THROW(editctl::insertText(*state, std::u16string(5000, u'p'), false), COomEx);
    EXPECT_EQ(logicalText(*state), u"keep this text");
    EXPECT_EQ(state->anchor, 5);
    EXPECT_EQ(state->caret, 9);
    EXPECT_FALSE(state->text.hasPendingEdit());
    EXPECT_FALSE(state->modified);
    // A paste that fits replaces the selection as usual.
    editctl::insertText(*state, std::u16string(1000, u'p'), false);
    EXPECT_EQ(logicalText(*state), u"keep " + std::u16string(1000, u'p') + u" text");
    EXPECT_TRUE(state->checkInvariants());
}

TEST(EditOperationsTest, FailedLineTableGrowthTakesTheInsertionBack) {
    auto state = makeState(u"x", 80);
    state->caret = state->anchor = 1;
    // 300 new lines need a larger line table; the text has room but the table may not grow.
    state->allocator.setFailureThreshold(1000);
    std::u16string lines;
    for (int i = 0; i < 300; ++i) {
        lines += u"a\r";
    }
    EXPECT_THROW(editctl::insertText(*state, lines, false), COomEx);
    EXPECT_EQ(logicalText(*state), u"x");
    EXPECT_EQ(lineStarts(*state), (Starts{0, 1}));
    EXPECT_TRUE(state->checkInvariants());
}

} // namespace
