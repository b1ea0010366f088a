// The input-method service: the desktop input method's preedit and commits (synthetic, through
// the toolkit's event path) become a window's composition messages and the composition string
// it reads; contexts follow attach, detach, open and close; the candidate forms answer the
// input method's question where its window goes.

#include "WindowTestSupport.h"

#include "platform/InputMethod.h"
#include "platform/PreeditComposition.h"

#include <QTextCharFormat>

#include <random>

using kivtest::Received;
using kivtest::WindowTest;
using platform::test::ClauseKind;
using platform::test::inputMethodAccepted;
using platform::test::inputMethodCommit;
using platform::test::inputMethodPreedit;

namespace {

class InputMethodTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        window = makeTopLevel();
        SetFocus(window);
        ImmSetOpenStatus(ImmGetContext(window), TRUE);
        clearLog();
    }

    // The input-method and character messages received since the last call, in order.
    std::vector<Received> imeMessages() {
        std::vector<Received> out;
        for (const Received& r : log()) {
            if (r.msg == WM_IME_STARTCOMPOSITION || r.msg == WM_IME_COMPOSITION ||
                r.msg == WM_IME_ENDCOMPOSITION || r.msg == WM_IME_CHAR || r.msg == WM_CHAR)
                out.push_back(r);
        }
        clearLog();
        return out;
    }

    std::u16string read(DWORD part) {
        const HIMC context = ImmGetContext(window);
        const LONG bytes = ImmGetCompositionStringW(context, part, nullptr, 0);
        std::u16string text(static_cast<std::size_t>(std::max<LONG>(bytes, 0)) / 2, u'\0');
        ImmGetCompositionStringW(context, part, text.data(), static_cast<DWORD>(bytes));
        return text;
    }

    HWND window = nullptr;
};

constexpr LPARAM kComposition = GCS_COMPSTR | GCS_COMPATTR | GCS_COMPCLAUSE | GCS_CURSORPOS;

TEST_F(InputMethodTest, ATypedAndConvertedWordArrivesAsStartCompositionsResultAndEnd) {
    inputMethodPreedit(window, u"にほ", {{2, ClauseKind::Input}}, 2);
    inputMethodPreedit(window, u"日本", {{2, ClauseKind::Target}}, 0);
    auto got = imeMessages();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].msg, WM_IME_STARTCOMPOSITION);
    EXPECT_EQ(got[1].msg, WM_IME_COMPOSITION);
    EXPECT_EQ(got[1].lParam, kComposition);
    EXPECT_EQ(got[2].lParam, kComposition);
    EXPECT_EQ(read(GCS_COMPSTR), u"日本");

    // A commit ends it; the default procedure hands the result on as characters.
    inputMethodCommit(window, u"日本");
    got = imeMessages();
    ASSERT_EQ(got.size(), 6u);
    EXPECT_EQ(got[0].msg, WM_IME_COMPOSITION);
    EXPECT_EQ(got[0].lParam, static_cast<LPARAM>(GCS_RESULTSTR | GCS_RESULTCLAUSE));
    EXPECT_EQ(got[1].msg, WM_IME_CHAR);
    EXPECT_EQ(got[1].wParam, u'日');
    EXPECT_EQ(got[2].msg, WM_CHAR);
    EXPECT_EQ(got[2].wParam, u'日');
    EXPECT_EQ(got[3].wParam, u'本');
    EXPECT_EQ(got[4].wParam, u'本');
    EXPECT_EQ(got[5].msg, WM_IME_ENDCOMPOSITION);
    EXPECT_EQ(read(GCS_RESULTSTR), u"日本");
    EXPECT_EQ(read(GCS_COMPSTR), u"");

    // A commit with a new composition in one event: one message carries both.
    inputMethodPreedit(window, u"はい", {{2, ClauseKind::Input}}, 2);
    imeMessages();
    inputMethodPreedit(window, u"す", {{1, ClauseKind::Input}}, 1, u"はい");
    got = imeMessages();
    ASSERT_GE(got.size(), 1u);
    EXPECT_EQ(got[0].lParam, static_cast<LPARAM>(GCS_RESULTSTR | GCS_RESULTCLAUSE) | kComposition);
    EXPECT_EQ(got.back().msg, WM_CHAR);

    // Deleting everything composed ends the composition without a result.
    inputMethodPreedit(window, u"", {}, 0);
    got = imeMessages();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].lParam, kComposition);
    EXPECT_EQ(got[1].msg, WM_IME_ENDCOMPOSITION);

    // An empty preedit outside a composition (the input method greeting a window) says nothing.
    inputMethodPreedit(window, u"", {}, 0);
    EXPECT_TRUE(imeMessages().empty());
}

TEST_F(InputMethodTest, CompositionPartsReadLikeTheSystemServiceWithTruncation) {
    inputMethodPreedit(window, u"私は日本語", {{2, ClauseKind::Converted}, {3, ClauseKind::Target}},
                       2);
    const HIMC context = ImmGetContext(window);
    EXPECT_EQ(ImmGetCompositionStringW(context, GCS_COMPSTR, nullptr, 0), 10);
    char16_t four[4] = {};
    // Three bytes hold one whole unit.
    EXPECT_EQ(ImmGetCompositionStringW(context, GCS_COMPSTR, four, 3), 2);
    EXPECT_EQ(four[0], u'私');
    EXPECT_EQ(four[1], u'\0');
    BYTE attributes[8] = {};
    ASSERT_EQ(ImmGetCompositionStringW(context, GCS_COMPATTR, attributes, sizeof attributes), 5);
    EXPECT_EQ(std::vector<BYTE>(attributes, attributes + 5),
              (std::vector<BYTE>{ATTR_CONVERTED, ATTR_CONVERTED, ATTR_TARGET_CONVERTED,
                                 ATTR_TARGET_CONVERTED, ATTR_TARGET_CONVERTED}));
    DWORD clauses[8] = {};
    ASSERT_EQ(ImmGetCompositionStringW(context, GCS_COMPCLAUSE, clauses, 7), 4); // one whole
    ASSERT_EQ(ImmGetCompositionStringW(context, GCS_COMPCLAUSE, clauses, sizeof clauses), 12);
    EXPECT_EQ(std::vector<DWORD>(clauses, clauses + 3), (std::vector<DWORD>{0, 2, 5}));
    EXPECT_EQ(ImmGetCompositionStringW(context, GCS_CURSORPOS, nullptr, 0), 2);
    EXPECT_EQ(ImmGetCompositionStringW(context, GCS_COMPSTR, nullptr, 8), IMM_ERROR_GENERAL);
    EXPECT_EQ(ImmGetCompositionStringW(context, 0x4000, four, 8), IMM_ERROR_GENERAL);
    EXPECT_EQ(ImmGetCompositionStringW(nullptr, GCS_COMPSTR, four, 8), IMM_ERROR_GENERAL);
}

// Random format lists, with ranges partly or wholly outside the preedit, read as attribute
// bytes, clauses and a cursor that always fit the text and the formats.
TEST(PreeditCompositionTest, AnyFormatsGiveConsistentAttributesClausesAndCursor) {
    std::mt19937 random(1313);
    for (int round = 0; round < 2000; ++round) {
        const int length = std::uniform_int_distribution<int>(0, 12)(random);
        const QString preedit(length, QChar(u'あ'));
        QList<QInputMethodEvent::Attribute> attributes;
        std::vector<bool> highlightedUnit(static_cast<std::size_t>(length), false);
        std::vector<int> starts;
        const int formats = std::uniform_int_distribution<int>(0, 4)(random);
        for (int f = 0; f < formats; ++f) {
            const int start = std::uniform_int_distribution<int>(-3, length + 2)(random);
            const int count = std::uniform_int_distribution<int>(-1, length + 3)(random);
            QTextCharFormat format;
            const bool highlight = random() % 2 == 0;
            if (highlight)
                format.setBackground(Qt::blue);
            else
                format.setUnderlineStyle(QTextCharFormat::DashUnderline);
            attributes.append({QInputMethodEvent::TextFormat, start, count, format});
            for (int i = std::max(start, 0); i < std::min(start + count, length); ++i) {
                highlightedUnit[static_cast<std::size_t>(i)] =
                    highlightedUnit[static_cast<std::size_t>(i)] || highlight;
            }
        }
        const int cursor = std::uniform_int_distribution<int>(-2, length + 2)(random);
        if (random() % 4 != 0)
            attributes.append({QInputMethodEvent::Cursor, cursor, 1});
        const platform::Composition c = platform::compositionFromPreedit(preedit, attributes);
        SCOPED_TRACE(round);
        ASSERT_EQ(c.text.size(), static_cast<std::size_t>(length));
        ASSERT_EQ(c.attributes.size(), c.text.size());
        EXPECT_GE(c.cursor, 0);
        EXPECT_LE(c.cursor, length);
        if (length == 0) {
            EXPECT_TRUE(c.clauses.empty());
            continue;
        }
        ASSERT_GE(c.clauses.size(), 2u);
        EXPECT_EQ(c.clauses.front(), 0u);
        EXPECT_EQ(c.clauses.back(), static_cast<DWORD>(length));
        EXPECT_TRUE(std::is_sorted(c.clauses.begin(), c.clauses.end()) &&
                    std::adjacent_find(c.clauses.begin(), c.clauses.end()) == c.clauses.end());
        const bool converting = std::find(highlightedUnit.begin(), highlightedUnit.end(), true) !=
                                highlightedUnit.end();
        for (int i = 0; i < length; ++i) {
            const BYTE expected = highlightedUnit[static_cast<std::size_t>(i)]
                                      ? ATTR_TARGET_CONVERTED
                                      : (converting ? ATTR_CONVERTED : ATTR_INPUT);
            EXPECT_EQ(c.attributes[static_cast<std::size_t>(i)], expected) << i;
        }
        // A clause never spans two kinds of character.
        for (std::size_t k = 1; k < c.clauses.size(); ++k) {
            for (DWORD i = c.clauses[k - 1] + 1; i < c.clauses[k]; ++i)
                EXPECT_EQ(c.attributes[i], c.attributes[c.clauses[k - 1]]);
        }
    }
}

TEST_F(InputMethodTest, DetachingOrClosingTheContextStopsCompositionWithoutLosingText) {
    const HIMC context = ImmGetContext(window);
    ASSERT_NE(context, nullptr);
    EXPECT_TRUE(inputMethodAccepted(window));

    // Closing completes what is being composed.
    inputMethodPreedit(window, u"かな", {{2, ClauseKind::Input}}, 2);
    imeMessages();
    EXPECT_TRUE(ImmSetOpenStatus(context, FALSE));
    EXPECT_FALSE(ImmGetOpenStatus(context));
    EXPECT_FALSE(inputMethodAccepted(window));
    auto got = imeMessages();
    ASSERT_EQ(got.size(), 6u);
    EXPECT_EQ(got[0].lParam & GCS_RESULTSTR, static_cast<LPARAM>(GCS_RESULTSTR));
    EXPECT_EQ(got.back().msg, WM_IME_ENDCOMPOSITION);
    EXPECT_EQ(read(GCS_RESULTSTR), u"かな");
    inputMethodPreedit(window, u"x", {{1, ClauseKind::Input}}, 1);
    EXPECT_TRUE(imeMessages().empty());
    ImmSetOpenStatus(context, TRUE);

    // Detaching cancels it; the window hears the end and nothing more.
    inputMethodPreedit(window, u"かな", {{2, ClauseKind::Input}}, 2);
    imeMessages();
    EXPECT_EQ(ImmAssociateContext(window, nullptr), context);
    EXPECT_EQ(ImmGetContext(window), nullptr);
    EXPECT_FALSE(inputMethodAccepted(window));
    got = imeMessages();
    ASSERT_EQ(got.size(), 1u);
    EXPECT_EQ(got[0].msg, WM_IME_ENDCOMPOSITION);
    EXPECT_EQ(ImmGetCompositionStringW(context, GCS_COMPSTR, nullptr, 0), 0);
    inputMethodCommit(window, u"x");
    EXPECT_TRUE(imeMessages().empty());

    // Only a context the service made can be attached.
    auto* forged = reinterpret_cast<HIMC>(&got);
    EXPECT_EQ(ImmAssociateContext(window, forged), nullptr);
    EXPECT_EQ(ImmGetContext(window), nullptr);
    EXPECT_EQ(ImmAssociateContext(window, context), nullptr);
    EXPECT_TRUE(inputMethodAccepted(window));
}

TEST_F(InputMethodTest, CandidateWindowGoesUnderTheFormOfTheFocusWindowOnly) {
    HWND other = makeChild(window, 1, 0, 0, 50, 50);
    const HIMC context = ImmGetContext(window);
    // Without a form, the caret stands for the position.
    CreateCaret(window, nullptr, 2, 16);
    SetCaretPos(30, 40);
    EXPECT_EQ(platform::test::inputMethodCursorRectangle(window), (RECT{30, 40, 32, 56}));

    CANDIDATEFORM form;
    form.dwStyle = CFS_CANDIDATEPOS;
    form.ptCurrentPos = POINT{70, 90};
    ASSERT_TRUE(ImmSetCandidateWindow(context, &form));
    EXPECT_EQ(platform::test::inputMethodCursorRectangle(window), (RECT{70, 89, 71, 90}));
    // An excluded area (the line) keeps the candidate window off the line above the point.
    form.dwStyle = CFS_EXCLUDE;
    form.rcArea = RECT{10, 73, 12, 89};
    ASSERT_TRUE(ImmSetCandidateWindow(context, &form));
    EXPECT_EQ(platform::test::inputMethodCursorRectangle(window), (RECT{70, 74, 72, 90}));
    CANDIDATEFORM back;
    ASSERT_TRUE(ImmGetCandidateWindow(context, 0, &back));
    EXPECT_EQ(back.ptCurrentPos, (POINT{70, 90}));
    form.dwIndex = 4;
    EXPECT_FALSE(ImmSetCandidateWindow(context, &form));

    // The window that takes the focus next does not inherit the place.
    SetFocus(other);
    const RECT middle = platform::test::inputMethodCursorRectangle(other);
    EXPECT_EQ(middle.left, 25);
    EXPECT_EQ(middle.bottom, 50);
}

TEST_F(InputMethodTest, SystemCompositionWindowShowsOnlyForWindowsThatWantIt) {
    COMPOSITIONFORM form;
    form.dwStyle = CFS_POINT;
    form.ptCurrentPos = POINT{5, 5};
    ImmSetCompositionWindow(ImmGetContext(window), &form);
    inputMethodPreedit(window, u"かな", {{2, ClauseKind::Input}}, 2);
    EXPECT_EQ(platform::test::systemCompositionText(), u"かな");
    inputMethodCommit(window, u"かな");
    EXPECT_EQ(platform::test::systemCompositionText(), u"");

    // A window that draws the composition itself clears the request when its context is set.
    setHandler([](HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) -> std::optional<LRESULT> {
        if (msg != WM_IME_SETCONTEXT)
            return std::nullopt;
        return DefWindowProc(hwnd, msg, wParam, lParam & ~ISC_SHOWUICOMPOSITIONWINDOW);
    });
    SetFocus(nullptr);
    SetFocus(window);
    inputMethodPreedit(window, u"かな", {{2, ClauseKind::Input}}, 2);
    EXPECT_EQ(platform::test::systemCompositionText(), u"");
    EXPECT_EQ(read(GCS_COMPSTR), u"かな");
    inputMethodPreedit(window, u"", {}, 0);
}

} // namespace
