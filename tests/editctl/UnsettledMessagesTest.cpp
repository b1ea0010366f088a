// Every message the control answers, sent while an edit has left lines unsettled, must answer,
// paint and leave the control exactly as when everything was settled before it arrived; and
// before the control has its state, each answers 0 or goes to the default procedure.
#include "EditTestSupport.h"
#include "NEditFixture.h"

#include "editctl/EditState.h"
#include "editctl/LayoutSettling.h"
#include "editctl/MessageTable.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <string>
#include <vector>

namespace editctl::test {
namespace {

struct Call {
    WPARAM wParam = 0;
    LPARAM lParam = 0;
};

struct Scenario {
    const char* name;
    bool wordWrap;
    bool lineNumbers;
    std::size_t length; // of one long line of records, before two short lines
    int editAt;
};

// What a caller can see of the control after a message: its answer, then what the line,
// selection and scroll messages answer, the scroll bars, the client area and the picture.
struct Outcome {
    LRESULT answer = 0;
    std::vector<LRESULT> answers;
    std::u16string text;
    std::vector<int> bars;
    std::vector<COLORREF> picture;
    bool operator==(const Outcome&) const = default;
};

// Parameters each message is sent with: pointers where it takes them, far lines and indices
// (past the unsettled mark) where it takes numbers, and the keys and codes worth trying.
class Parameters {
public:
    Parameters(HFONT font, LPARAM clientSize, LPARAM nearPoint, LPARAM farPoint)
        : font_(font), clientSize_(clientSize), nearPoint_(nearPoint), farPoint_(farPoint) {}

    std::vector<Call> callsFor(UINT message) {
        outputText_.assign(300000, u'\0');
        outputText_[0] = 200; // EM_GETLINE reads its room from the first word
        const auto out = reinterpret_cast<LPARAM>(outputText_.data());
        switch (message) {
        case WM_SETTEXT:
        case EM_REPLACESEL:
            return {{0, reinterpret_cast<LPARAM>(newText_.c_str())}};
        case NEM_SETTEXTBYTES:
            return {{newText_.size() * 2, reinterpret_cast<LPARAM>(newText_.c_str())}};
        case WM_GETTEXT:
            return {{100, out}, {outputText_.size(), out}};
        case EM_GETLINE:
            return {{3, out}, {kFar, out}};
        case NEM_COPYTEXT:
            return {{0, out}};
        case EM_GETRECT:
            return {{0, reinterpret_cast<LPARAM>(&rect_)}};
        case EM_SETRECT:
        case EM_SETRECTNP:
            rect_ = RECT{20, 4, 250, 150};
            return {{0, reinterpret_cast<LPARAM>(&rect_)}};
        case EM_SETTABSTOPS:
            return {{1, reinterpret_cast<LPARAM>(&tabStops_)}};
        case EM_GETSEL:
            return {{reinterpret_cast<WPARAM>(&start_), reinterpret_cast<LPARAM>(&end_)}};
        case NEM_GETSTATE:
            return {{0, 0}};
        case NEM_REPLACEMATCHES:
            return {{0, reinterpret_cast<LPARAM>(&request_)}};
        case WM_SETFONT:
            return {{reinterpret_cast<WPARAM>(font_), 0}};
        case WM_SIZE:
            return {{SIZE_RESTORED, clientSize_},
                    {SIZE_RESTORED, MAKELPARAM(200, 100)},
                    {SIZE_MINIMIZED, 0}};
        case WM_KEYDOWN:
            return {{VK_DOWN}, {VK_NEXT},   {VK_END},    {VK_HOME},  {VK_LEFT},
                    {VK_BACK}, {VK_DELETE}, {VK_RETURN}, {VK_INSERT}};
        case WM_CHAR:
            return {{u'x'}, {u'\r'}, {u'\b'}};
        case WM_VSCROLL:
        case EM_SCROLL:
            return {{SB_PAGEDOWN}, {SB_BOTTOM}, {MAKEWPARAM(SB_THUMBTRACK, 500)}};
        case WM_HSCROLL:
            return {{SB_LINERIGHT}, {SB_PAGERIGHT}};
        case WM_MOUSEWHEEL:
            return {{static_cast<WPARAM>(static_cast<WORD>(-120)) << 16}};
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_MOUSEMOVE:
            return {{MK_LBUTTON, nearPoint_}, {MK_LBUTTON | MK_SHIFT, farPoint_}};
        case NEM_SETOPTIONS:
            return {{NEO_LINENUMBERS, NEO_LINENUMBERS}, {NEO_LINENUMBERS, 0}};
        case WM_TIMER:
            return {{kSettleTimer}};
        default:
            // Numbers: nothing; a far line or index and one back; a few and a far one.
            return {{0, 0}, {kFar, -1}, {3, kFar}};
        }
    }

private:
    // Past the unsettled mark as a line and as an index in every scenario.
    static constexpr WPARAM kFar = 8000;
    HFONT font_;
    LPARAM clientSize_;
    LPARAM nearPoint_;
    LPARAM farPoint_;
    std::u16string newText_ = u"new\rtext";
    std::vector<char16_t> outputText_;
    RECT rect_{};
    int tabStops_ = 16;
    DWORD start_ = 0;
    DWORD end_ = 0;
    NEditMatch matches_[2] = {{100, 105}, {20000, 20010}};
    NEditReplaceMatches request_{matches_, 2, u"X", 1};
};

class UnsettledMessagesTest : public NEditTest, public ::testing::WithParamInterface<Scenario> {
protected:
    // A fresh control with one edit in its long line, the rest of the line unsettled unless
    // `settled`, then the message; what follows is read once everything has settled.
    Outcome run(UINT message, const Call& call, bool settled) {
        const Scenario& scenario = GetParam();
        create();
        // Asking for the state settles everything, so it is asked for before the edit.
        EditState* state = nullptr;
        send(NEM_GETSTATE, 0, reinterpret_cast<LPARAM>(&state));
        send(NEM_SETWORDWRAP, scenario.wordWrap ? 1 : 0);
        if (scenario.lineNumbers) {
            send(NEM_SETOPTIONS, NEO_LINENUMBERS, NEO_LINENUMBERS);
        }
        setText(records(scenario.length) + u"\rshort\rlines");
        send(EM_SETSEL, scenario.editAt, scenario.editAt);
        send(EM_SCROLLCARET);
        platform::test::pumpMessages();
        send(WM_CHAR, u'q');
        EXPECT_TRUE(state->layouter.hasUnsettled()) << "the edit left no work for later";
        KillTimer(edit, kSettleTimer);
        state->settleTimerRunning = false;
        if (settled) {
            send(EM_GETLINECOUNT);
        }

        Outcome outcome;
        outcome.answer = send(message, call.wParam, call.lParam);
        if (message == WM_GETFONT || message == NEM_GETBUFFER) {
            outcome.answer = 0; // an address of this control's own
        }
        const LRESULT lines = send(EM_GETLINECOUNT);
        outcome.answers = {lines, send(EM_GETFIRSTVISIBLELINE), send(EM_GETSEL), send(EM_GETMODIFY),
                           send(EM_CANUNDO)};
        for (LRESULT line = 0; line < lines; line += 1 + line / 4) {
            outcome.answers.push_back(send(EM_LINEINDEX, static_cast<WPARAM>(line)));
        }
        outcome.text = text();
        for (const int bar : {SB_HORZ, SB_VERT}) {
            SCROLLINFO info;
            info.fMask = SIF_ALL;
            GetScrollInfo(edit, bar, &info);
            outcome.bars.insert(outcome.bars.end(),
                                {info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos});
        }
        RECT client{};
        GetClientRect(edit, &client);
        outcome.bars.insert(outcome.bars.end(), {client.right, client.bottom});
        platform::test::pumpMessages();
        // Four rows through each line band: a band left unpainted shows in all of them.
        for (int y = 2; y < client.bottom; y += 4) {
            for (int x = 0; x < client.right; ++x) {
                outcome.picture.push_back(platform::test::clientPixel(edit, x, y));
            }
        }
        DestroyWindow(edit);
        edit = nullptr;
        platform::test::pumpMessages();
        platform::test::forgetModalAnswers();
        platform::test::takePopupMenuCalls();
        return outcome;
    }
};

std::string describe(UINT message, const Call& call) {
    return "message " + std::to_string(message) + " (" + std::to_string(call.wParam) + ", " +
           std::to_string(call.lParam) + ")";
}

TEST_P(UnsettledMessagesTest, EveryMessageActsAsAfterAFullLayout) {
    LOGFONTW description{};
    const std::u16string_view face = u"KivTestFont";
    std::copy(face.begin(), face.end(), description.lfFaceName);
    description.lfHeight = -20;
    const HFONT font = CreateFontIndirectW(&description);
    Parameters parameters(font, MAKELPARAM(kWidth, kHeight), cell(5, 3), cell(30, 9));
    int sent = 0;
    for (const MessageRow& row : messageTable()) {
        for (const Call& call : parameters.callsFor(row.message())) {
            SCOPED_TRACE(describe(row.message(), call));
            const Outcome unsettled = run(row.message(), call, false);
            const Outcome settled = run(row.message(), call, true);
            EXPECT_EQ(unsettled.answer, settled.answer);
            EXPECT_EQ(unsettled.answers, settled.answers);
            EXPECT_TRUE(unsettled.text == settled.text);
            EXPECT_EQ(unsettled.bars, settled.bars);
            EXPECT_TRUE(unsettled.picture == settled.picture) << "the pictures differ";
            ++sent;
        }
    }
    DeleteObject(font);
    EXPECT_GT(sent, static_cast<int>(messageTable().size()));
}

INSTANTIATE_TEST_SUITE_P(Layouts, UnsettledMessagesTest,
                         ::testing::Values(Scenario{"Wrap", true, false, 9000, 2003},
                                           Scenario{"NoWrapWithNumbers", false, true, 34000, 17}),
                         [](const ::testing::TestParamInfo<Scenario>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(NEditTest, WithoutItsStateEachMessageAnswersZeroOrGoesToTheDefault) {
    create();
    // The window's own text, which the default procedure would answer with.
    DefWindowProc(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"title"));
    const LONG_PTR saved = GetWindowLongPtr(edit, GWLP_USERDATA);
    SetWindowLongPtr(edit, GWLP_USERDATA, 0);
    char16_t buffer[16] = {};
    for (const MessageRow& row : messageTable()) {
        SCOPED_TRACE("message " + std::to_string(row.message()));
        const LRESULT answer =
            send(row.message(), std::size(buffer), reinterpret_cast<LPARAM>(buffer));
        if (row.withoutState() == WithoutState::AnswerZero) {
            EXPECT_EQ(answer, 0);
        } else {
            EXPECT_EQ(answer, DefWindowProc(edit, row.message(), std::size(buffer),
                                            reinterpret_cast<LPARAM>(buffer)));
        }
    }
    EXPECT_EQ(buffer[0], u'\0') << "the window text was read";
    SetWindowLongPtr(edit, GWLP_USERDATA, saved);
    EXPECT_EQ(send(WM_GETTEXTLENGTH), 0) << "a message without the state reached it";
}

} // namespace
} // namespace editctl::test
