// NEM_REPLACEMATCHES refuses what it cannot do exactly, and malformed lists, changing nothing.
// (Its results against single replace-selection steps are checked by the search driver's
// equivalence test.)
#include "NEditFixture.h"

#include "editctl/EditState.h"

#include <gtest/gtest.h>

#include <vector>

namespace editctl::test {
namespace {

class ReplaceMatchesTest : public NEditTest {
protected:
    LRESULT replace(std::vector<NEditMatch> matches, const char16_t* text, int length) {
        NEditReplaceMatches request;
        request.matches = matches.data();
        request.count = static_cast<int>(matches.size());
        request.text = text;
        request.length = length;
        return send(NEM_REPLACEMATCHES, 0, reinterpret_cast<LPARAM>(&request));
    }
    int undoRecords() {
        EditState* state = nullptr;
        send(NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
        return state->undo.position();
    }
};

TEST_F(ReplaceMatchesTest, MalformedListsChangeNothing) {
    create();
    setText(u"abcdef");
    send(EM_SETSEL, 1, 2);
    const std::vector<std::vector<NEditMatch>> bad = {
        {{2, 4}, {3, 5}}, // overlapping
        {{4, 5}, {1, 2}}, // out of order
        {{5, 7}},         // past the end
        {{3, 2}},         // reversed
        {{-1, 1}},
    };
    for (const auto& matches : bad) {
        EXPECT_EQ(replace(matches, u"x", 1), -1);
    }
    EXPECT_EQ(replace({{0, 1}}, nullptr, 1), -1);
    NEditReplaceMatches negative;
    negative.count = -1;
    EXPECT_EQ(send(NEM_REPLACEMATCHES, 0, reinterpret_cast<LPARAM>(&negative)), -1);
    EXPECT_EQ(send(NEM_REPLACEMATCHES, 0, 0), -1);
    EXPECT_EQ(text(), u"abcdef");
    EXPECT_EQ(selection(), std::make_pair(1, 2));
    EXPECT_EQ(undoRecords(), 0);
    EXPECT_TRUE(takeNotifications().empty());
    // An empty list only asks whether lists are taken.
    EXPECT_EQ(replace({}, u"x", 1), 0);
    // Adjacent and empty matches are fine.
    EXPECT_EQ(replace({{0, 0}, {0, 2}, {2, 3}, {6, 6}}, u"-", 1), 4);
    EXPECT_EQ(text(), u"---def-");
    EXPECT_EQ(selection(), std::make_pair(7, 7));
}

TEST_F(ReplaceMatchesTest, ATextLimitIsLeftToSingleSteps) {
    // A limit could cut an insertion short, which the list cannot foresee.
    create();
    setText(u"abc");
    send(EM_LIMITTEXT, 10);
    EXPECT_EQ(replace({}, u"x", 1), -1);
    EXPECT_EQ(replace({{0, 1}}, u"x", 1), -1);
    EXPECT_EQ(text(), u"abc");
    // A case style applies to every replacement, as it does to typed text.
    DestroyWindow(edit);
    create(ES_UPPERCASE);
    setText(u"ABC");
    EXPECT_EQ(replace({{0, 1}, {2, 3}}, u"x", 1), 2);
    EXPECT_EQ(text(), u"XBX");
}

} // namespace
} // namespace editctl::test
