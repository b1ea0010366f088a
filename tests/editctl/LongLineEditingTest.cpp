// Editing a very long line through the window: the control re-breaks only around the edit and
// finishes the line later, yet what it paints and what every message answers right after the
// edit are what a full layout of the same text gives, and the timer finishes the work.
#include "EditTestSupport.h"
#include "NEditFixture.h"

#include "editctl/EditState.h"
#include "editctl/LayoutSettling.h"

#include <string>
#include <vector>

namespace editctl::test {
namespace {

class LongLineEditingTest : public NEditTest {
protected:
    // The backing image of the client area.
    std::vector<COLORREF> picture() {
        std::vector<COLORREF> pixels;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                pixels.push_back(platform::test::clientPixel(edit, x, y));
            }
        }
        return pixels;
    }

    // What the line messages answer about the whole text.
    std::vector<LRESULT> answers() {
        std::vector<LRESULT> values{send(EM_GETLINECOUNT), send(EM_GETFIRSTVISIBLELINE)};
        const auto count = static_cast<WPARAM>(values[0]);
        for (WPARAM line = 0; line < count; line += 1 + line / 3) {
            values.push_back(send(EM_LINEINDEX, line));
        }
        const auto length = static_cast<WPARAM>(send(WM_GETTEXTLENGTH));
        for (WPARAM index = 0; index <= length; index += 997) {
            values.push_back(send(EM_LINEFROMCHAR, index));
        }
        return values;
    }
};

TEST_F(LongLineEditingTest, EditsAnswerAndPaintAsAFullLayoutDoes) {
    create();
    EditState* state = nullptr;
    send(NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
    ASSERT_NE(state, nullptr);
    for (const bool wrap : {true, false}) {
        SCOPED_TRACE(wrap ? "wrap" : "no wrap");
        send(NEM_SETWORDWRAP, wrap ? 1 : 0);
        // Without wrap a display line holds 32768 characters: the line is four of them.
        setText(records(wrap ? 30000 : 110000) + u"\rshort\rlines");
        const int at = wrap ? 4003 : 17;
        send(EM_SETSEL, at, at);
        send(EM_SCROLLCARET);
        platform::test::pumpMessages();
        int deferred = 0;
        // Typing, Return, Backspace joining, Delete, typing over a word break, undo and redo,
        // a selection far down the line cut and pasted back.
        struct Edit {
            UINT message;
            WPARAM wParam;
            LPARAM lParam = 0;
        };
        const int far = at + (wrap ? 9000 : 40000);
        const std::vector<Edit> edits{{WM_CHAR, u'a'},
                                      {WM_CHAR, u'b'},
                                      {WM_CHAR, u'\r'},
                                      {WM_KEYDOWN, VK_BACK},
                                      {WM_KEYDOWN, VK_DELETE},
                                      {WM_CHAR, u' '},
                                      {WM_CHAR, u'c'},
                                      {WM_CHAR, u'\r'},
                                      {WM_CHAR, u'\r'},
                                      {WM_KEYDOWN, VK_BACK},
                                      {EM_UNDO, 0},
                                      {EM_UNDO, 0},
                                      {EM_REDO, 0},
                                      {EM_SETSEL, WPARAM(far), far + 5},
                                      {WM_CUT, 0},
                                      {WM_CHAR, u'd'},
                                      {EM_SETSEL, WPARAM(at), at},
                                      {WM_PASTE, 0}};
        for (std::size_t step = 0; step < edits.size(); ++step) {
            SCOPED_TRACE("edit " + std::to_string(step));
            send(edits[step].message, edits[step].wParam, edits[step].lParam);
            deferred += state->layouter.hasUnsettled() ? 1 : 0;
            // With the timer held off, painting alone must settle and repaint what it shows.
            KillTimer(edit, kSettleTimer);
            state->settleTimerRunning = false;
            platform::test::pumpMessages();
            const std::vector<COLORREF> painted = picture();
            const std::vector<LRESULT> answered = answers();
            send(NEM_REFORMAT);
            platform::test::pumpMessages();
            ASSERT_EQ(answered, answers());
            ASSERT_TRUE(painted == picture()) << "the painted lines differ from a full layout's";
        }
        EXPECT_GE(deferred, 5) << "most edits left the rest of the line for later";

        send(EM_SETSEL, far, far);
        send(WM_CHAR, u'z');
        ASSERT_TRUE(state->layouter.hasUnsettled());
        for (int tick = 0; tick < 100 && state->layouter.hasUnsettled(); ++tick) {
            platform::test::pumpFor(5);
        }
        EXPECT_FALSE(state->layouter.hasUnsettled()) << "the timer finishes the line";
    }
}

} // namespace
} // namespace editctl::test
