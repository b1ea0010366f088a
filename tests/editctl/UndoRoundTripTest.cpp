// A long random editing session (typing in both modes, Return, Backspace and Delete runs,
// replaced selections, pastes, caret moves) is undone back to the empty text and redone to
// its end, one record at a time, through the window's messages. Every text the history
// passes through must be the text that stood at that undo position while editing.

#include "NEditFixture.h"

#include "editctl/EditState.h"

#include <map>
#include <random>

namespace editctl::test {

namespace {

class UndoRoundTripTest : public NEditTest, public ::testing::WithParamInterface<unsigned> {
protected:
    EditState& state() {
        EditState* found = nullptr;
        send(NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&found));
        return *found;
    }
    // The logical text, read without committing the pending edit.
    std::u16string peek() {
        const EditState& s = state();
        return s.text.substr(0, s.text.length());
    }
};

TEST_P(UndoRoundTripTest, UndoingEverythingAndRedoingItPassesTheSameTexts) {
    create();
    std::mt19937 random(GetParam());
    auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    const std::u16string alphabet = u"ab cd日本\t";
    // The text at each undo position, whenever no edit is pending (so the position is exact).
    std::map<int, std::u16string> seen{{0, u""}};
    for (int step = 0; step < 600; ++step) {
        const int length = static_cast<int>(send(WM_GETTEXTLENGTH));
        switch (pick(11)) {
        case 0:
        case 1:
        case 2:
            send(WM_CHAR, alphabet[static_cast<std::size_t>(pick(7))]);
            break;
        case 3:
            send(WM_CHAR, u'\r');
            break;
        case 4:
            send(WM_KEYDOWN, VK_BACK);
            break;
        case 5:
            send(WM_KEYDOWN, VK_DELETE);
            break;
        case 6:
            send(WM_KEYDOWN, VK_INSERT); // insert / overwrite
            break;
        case 7:
            send(EM_SETSEL, static_cast<WPARAM>(pick(length)), pick(length));
            break;
        case 8: {
            const std::u16string replacement(static_cast<std::size_t>(pick(3)), u'R');
            send(EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(replacement.c_str()));
            break;
        }
        case 9:
            putClipboard(pick(1) == 0 ? u"p\r\nq" : u"paste");
            send(WM_PASTE);
            break;
        case 10:
            send(WM_KEYDOWN, static_cast<WPARAM>(VK_LEFT + pick(3)));
            break;
        default:
            send(EM_UNDO); // undoing in the middle drops the redo tail at the next edit
            break;
        }
        ASSERT_TRUE(state().checkInvariants()) << "step " << step;
        // Positions above the current one will be filled by new records.
        const int position = state().undo.position();
        seen.erase(seen.upper_bound(position), seen.end());
        if (!state().text.hasPendingEdit()) {
            seen[position] = peek();
        }
    }
    const std::u16string last = text(); // reading commits the last pending edit
    const int top = state().undo.position();
    seen[top] = last;

    std::vector<std::u16string> passed(static_cast<std::size_t>(top) + 1);
    passed[static_cast<std::size_t>(top)] = last;
    for (int position = top; position > 0; --position) {
        send(EM_UNDO);
        ASSERT_EQ(state().undo.position(), position - 1);
        ASSERT_TRUE(state().checkInvariants());
        passed[static_cast<std::size_t>(position - 1)] = text();
        const auto expected = seen.find(position - 1);
        if (expected != seen.end()) {
            ASSERT_EQ(passed[static_cast<std::size_t>(position - 1)], expected->second)
                << "undone to " << position - 1;
        }
    }
    EXPECT_EQ(text(), u"");
    EXPECT_EQ(send(EM_CANUNDO), 0);
    for (int position = 1; position <= top; ++position) {
        send(EM_REDO);
        ASSERT_EQ(state().undo.position(), position);
        ASSERT_TRUE(state().checkInvariants());
        ASSERT_EQ(text(), passed[static_cast<std::size_t>(position)]) << "redone to " << position;
    }
    EXPECT_EQ(send(EM_CANREDO), 0);
    EXPECT_EQ(text(), last);
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoRoundTripTest, ::testing::Values(1u, 2u, 3u));

} // namespace

} // namespace editctl::test
