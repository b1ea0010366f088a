// Find, Replace and Replace All on a real "nEdit" control, as the bars run them.
#include "search/SearchDriver.h"

#include "editctl/EditState.h"
#include "editctl/NEditFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace search {
namespace {

using Selection = std::pair<int, int>;
constexpr SearchFlags kPlain{};
constexpr SearchFlags kRegex{true, false};

class SearchDriverTest : public editctl::test::NEditTest {
protected:
    void SetUp() override {
        NEditTest::SetUp();
        create();
    }
    void select(int start, int end) { send(EM_SETSEL, static_cast<WPARAM>(start), end); }
    int firstLine() { return static_cast<int>(send(EM_GETFIRSTVISIBLELINE)); }
    // The message boxes shown since the last call, as "caption: text".
    std::vector<std::u16string> boxes() {
        std::vector<std::u16string> shown;
        for (const auto& call : platform::test::takeMessageBoxCalls()) {
            EXPECT_EQ(call.owner, edit);
            shown.push_back(call.caption + u": " + call.text);
        }
        return shown;
    }
};

TEST_F(SearchDriverTest, FindWalksForwardFromTheSelectionAndNeverWraps) {
    setText(u"abc abc");
    select(0, 0);
    // Right after a bar opens, a match at the caret counts.
    EXPECT_TRUE(FindNext(edit, kPlain, u"abc", true, true));
    EXPECT_EQ(selection(), Selection(0, 3));
    EXPECT_TRUE(FindNext(edit, kPlain, u"abc", true, false));
    EXPECT_EQ(selection(), Selection(4, 7));
    EXPECT_FALSE(FindNext(edit, kPlain, u"abc", true, false));
    EXPECT_EQ(selection(), Selection(4, 7));
    // The selected match itself does not count again, even when included.
    EXPECT_FALSE(FindNext(edit, kPlain, u"abc", true, true));
    EXPECT_EQ(selection(), Selection(4, 7));
    EXPECT_TRUE(boxes().empty());
}

TEST_F(SearchDriverTest, FindUpLooksBeforeTheSelection) {
    setText(u"abc abc");
    select(4, 7);
    EXPECT_TRUE(FindNext(edit, kPlain, u"abc", false, false));
    EXPECT_EQ(selection(), Selection(0, 3));
    EXPECT_FALSE(FindNext(edit, kPlain, u"abc", false, false));
    EXPECT_EQ(selection(), Selection(0, 3));
    // With include, the search starts from the selection's end but skips the selection.
    select(4, 7);
    EXPECT_TRUE(FindNext(edit, kPlain, u"abc", false, true));
    EXPECT_EQ(selection(), Selection(0, 3));
    select(5, 5);
    EXPECT_TRUE(FindNext(edit, kPlain, u"abc", false, true));
    EXPECT_EQ(selection(), Selection(4, 7));
}

TEST_F(SearchDriverTest, NothingFoundLeavesSelectionAndViewAlone) {
    std::u16string lines;
    for (int i = 0; i < 40; ++i) {
        lines += u"line\r";
    }
    setText(lines);
    select(100, 102);
    send(EM_SCROLLCARET);
    const int first = firstLine();
    EXPECT_FALSE(FindNext(edit, kPlain, u"absent", true, true));
    EXPECT_FALSE(FindNext(edit, kRegex, u"x+", false, false));
    EXPECT_EQ(selection(), Selection(100, 102));
    EXPECT_EQ(firstLine(), first);
    // A match far below is brought into view.
    select(0, 0);
    send(EM_SCROLLCARET);
    setText(lines + u"mark");
    EXPECT_TRUE(FindNext(edit, kPlain, u"mark", true, false));
    EXPECT_GT(firstLine(), 0);
}

TEST_F(SearchDriverTest, CaseAndRegularExpressions) {
    setText(u"one Two tWO\rtwo");
    select(0, 0);
    EXPECT_FALSE(FindNext(edit, kPlain, u"TWO", true, false));
    EXPECT_TRUE(FindNext(edit, {false, true}, u"TWO", true, false));
    EXPECT_EQ(selection(), Selection(4, 7));
    EXPECT_TRUE(FindNext(edit, {true, true}, u"^t.o", true, false));
    EXPECT_EQ(selection(), Selection(12, 15));
    // An empty match selects an empty range, and repeating the search stays there.
    select(2, 2);
    EXPECT_TRUE(FindNext(edit, kRegex, u"x*", true, false));
    EXPECT_EQ(selection(), Selection(2, 2));
    EXPECT_TRUE(FindNext(edit, kRegex, u"x*", true, false));
    EXPECT_EQ(selection(), Selection(2, 2));
}

TEST_F(SearchDriverTest, ANulInTheTextHidesNothing) {
    setText(u"x");
    const std::u16string withNul(u"ab\0ab", 5);
    send(NEM_SETTEXTBYTES, withNul.size() * 2, reinterpret_cast<LPARAM>(withNul.data()));
    select(1, 1);
    EXPECT_TRUE(FindNext(edit, kPlain, u"ab", true, false));
    EXPECT_EQ(selection(), Selection(3, 5));
    select(5, 5);
    EXPECT_TRUE(FindNext(edit, kRegex, u"b$", false, false));
    EXPECT_EQ(selection(), Selection(4, 5));
    EXPECT_FALSE(FindNext(edit, kRegex, u"b$", false, false)); // the NUL is no line break
    EXPECT_EQ(ReplaceAll(edit, kPlain, u"ab", u"c"), 2);
    EXPECT_EQ(text(), std::u16string(u"c\0c", 3));
}

TEST_F(SearchDriverTest, ReplaceSelectsFirstThenReplacesAndSelectsTheNext) {
    setText(u"aaa");
    select(0, 0);
    EXPECT_TRUE(ReplaceOne(edit, kPlain, u"a", u"b", true));
    EXPECT_EQ(text(), u"aaa");
    EXPECT_EQ(selection(), Selection(0, 1));
    EXPECT_TRUE(ReplaceOne(edit, kPlain, u"a", u"b", true));
    EXPECT_EQ(text(), u"baa");
    EXPECT_EQ(selection(), Selection(1, 2));
    // An empty replacement deletes the match; the inserted text has no special characters.
    EXPECT_TRUE(ReplaceOne(edit, kPlain, u"a", u"", true));
    EXPECT_EQ(text(), u"ba");
    EXPECT_EQ(selection(), Selection(1, 2));
    EXPECT_TRUE(ReplaceOne(edit, kRegex, u"a", u"\\1$&", true));
    EXPECT_EQ(text(), u"b\\1$&");
    EXPECT_FALSE(ReplaceOne(edit, kPlain, u"a", u"b", true));
    EXPECT_EQ(text(), u"b\\1$&");
    // Undo takes the replacements back.
    send(EM_UNDO);
    send(EM_UNDO);
    EXPECT_EQ(text(), u"ba");
}

TEST_F(SearchDriverTest, ReplaceAllResumesAfterTheInsertedText) {
    setText(u"aaa");
    select(1, 2);
    EXPECT_EQ(ReplaceAll(edit, kPlain, u"a", u"aa"), 3);
    EXPECT_EQ(text(), u"aaaaaa");
    EXPECT_EQ(selection(), Selection(6, 6));
    EXPECT_EQ(boxes(), std::vector<std::u16string>{u"Confirm: 3 total mades."});
    // No match: nothing changes and nothing is shown.
    EXPECT_EQ(ReplaceAll(edit, kPlain, u"b", u"c"), 0);
    EXPECT_EQ(text(), u"aaaaaa");
    EXPECT_EQ(selection(), Selection(6, 6));
    EXPECT_TRUE(boxes().empty());
    // Deleting every match ends too.
    EXPECT_EQ(ReplaceAll(edit, {false, true}, u"AA", u""), 3);
    EXPECT_EQ(text(), u"");
}

TEST_F(SearchDriverTest, ReplaceAllStepsPastEmptyMatchesAndKeepsCharactersWhole) {
    setText(u"axxb\U0001F600c");
    EXPECT_EQ(ReplaceAll(edit, kRegex, u"x*", u"-"), 5);
    EXPECT_EQ(text(), u"-a--b-\U0001F600-c");
    // Both ways of replacing agree, also when nothing is inserted.
    setText(u"abc");
    EXPECT_EQ(ReplaceAllStepwise(edit, kRegex, u"x*", u""), 3);
    EXPECT_EQ(text(), u"abc");
    EXPECT_EQ(ReplaceAll(edit, kRegex, u"x*", u""), 3);
    EXPECT_EQ(text(), u"abc");
    // Where the replaced text has a line start is what counts for the next search.
    setText(u"aa");
    EXPECT_EQ(ReplaceAll(edit, kRegex, u"^a", u"\r"), 2);
    EXPECT_EQ(text(), u"\r\r");
    setText(u"aab");
    EXPECT_EQ(ReplaceAll(edit, kRegex, u"^a", u"x"), 1);
    EXPECT_EQ(text(), u"xab");
}

class ReplaceAllPatienceTest : public SearchDriverTest, public ::testing::WithParamInterface<bool> {
protected:
    int replaceAll(std::u16string_view pattern, std::u16string_view replacement,
                   const TickSource& ticks) {
        return GetParam() ? ReplaceAll(edit, kPlain, pattern, replacement, ticks)
                          : ReplaceAllStepwise(edit, kPlain, pattern, replacement, ticks);
    }
};

TEST_P(ReplaceAllPatienceTest, AsksOnceAfterThirtySeconds) {
    // Every look at the clock is 7 s later: the fifth replacement ends past 30 s.
    setText(u"aaaaaaaa");
    DWORD now = 1000;
    const TickSource clock = [&now] { return now += 7000; };
    platform::test::queueMessageBoxAnswer(IDCANCEL);
    EXPECT_EQ(replaceAll(u"a", u"b", clock), 5);
    EXPECT_EQ(text(), u"bbbbbaaa");
    EXPECT_EQ(boxes(), (std::vector<std::u16string>{u"Confirm: Need time to process.\nContinue?",
                                                    u"Confirm: 5 total mades."}));
    // Going on: no second question.
    setText(u"aaaaaaaa");
    now = 1000;
    platform::test::queueMessageBoxAnswer(IDOK);
    EXPECT_EQ(replaceAll(u"a", u"b", clock), 8);
    EXPECT_EQ(text(), u"bbbbbbbb");
    EXPECT_EQ(boxes(), (std::vector<std::u16string>{u"Confirm: Need time to process.\nContinue?",
                                                    u"Confirm: 8 total mades."}));
    // The tick count may wrap around meanwhile.
    setText(u"aa");
    now = 0xFFFFFFFFU - 1500;
    EXPECT_EQ(replaceAll(u"a", u"b", [&now] { return now += 1000; }), 2);
    EXPECT_EQ(boxes(), std::vector<std::u16string>{u"Confirm: 2 total mades."});
}

INSTANTIATE_TEST_SUITE_P(FastAndStepwise, ReplaceAllPatienceTest, ::testing::Bool());

} // namespace
} // namespace search
