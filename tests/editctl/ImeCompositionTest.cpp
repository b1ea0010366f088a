// Composing through the input method: the "nImeComp" child draws the composition in place
// (its window region is exactly the composed cells, wrapped at the right edge and shifted left
// at the bottom), in the attribute styles and the editor's colours; the result goes in like
// typed text; the candidate window follows the clause being converted; the input context
// follows focus and read-only. Driven by synthetic input-method events on the test font
// (8 px narrow, 16 px wide characters, 16 px lines, margins of 1).

#include "NEditFixture.h"

#include "platform/Gdi.h"

#include <random>

namespace editctl::test {

namespace {

using platform::test::ClauseKind;
using platform::test::inputMethodCommit;
using platform::test::inputMethodPreedit;
using platform::test::PreeditClause;
using platform::test::pumpMessages;

constexpr COLORREF kWindow = RGB(250, 250, 240);
constexpr COLORREF kText = RGB(20, 20, 20);
constexpr COLORREF kHighlight = RGB(0, 0, 190);
constexpr COLORREF kHighlightText = RGB(230, 230, 0);
constexpr int kWide = 16;

class ImeCompositionTest : public NEditTest {
protected:
    void create(DWORD style = 0, int width = kWidth, int height = kHeight) {
        NEditTest::create(style, width, height);
        const COLORREF colours[] = {kWindow, kText, kHighlight, kHighlightText};
        for (WPARAM slot = 0; slot < 4; ++slot) {
            send(NEM_SETCOLOR, slot, static_cast<LPARAM>(colours[slot]));
        }
        pumpMessages();
    }

    HWND composition() { return GetWindow(edit, GW_CHILD); }

    void compose(const std::u16string& text, const std::vector<PreeditClause>& clauses,
                 int cursor) {
        inputMethodPreedit(edit, text, clauses, cursor);
        pumpMessages();
    }
    void commit(const std::u16string& text) {
        inputMethodCommit(edit, text);
        pumpMessages();
    }

    // Whether the composition window shows exactly these cells (editor client coordinates):
    // nothing shows when the window has no size or an empty region.
    bool showsCells(const std::vector<RECT>& cells) {
        const HRGN expected = CreateRectRgn(0, 0, 0, 0);
        for (const RECT& c : cells) {
            const HRGN cell = CreateRectRgnIndirect(&c);
            CombineRgn(expected, expected, cell, RGN_OR);
            DeleteObject(cell);
        }
        const HRGN actual = CreateRectRgn(0, 0, 0, 0);
        const int kind = GetWindowRgn(composition(), actual);
        RECT window{};
        GetWindowRect(composition(), &window);
        POINT origin{window.left, window.top};
        ScreenToClient(edit, &origin);
        OffsetRgn(actual, origin.x, origin.y);
        const bool sized = window.right > window.left && window.bottom > window.top;
        const bool equal = cells.empty() ? (!sized || kind == NULLREGION)
                                         : sized && EqualRgn(expected, actual) != FALSE;
        DeleteObject(expected);
        DeleteObject(actual);
        return equal;
    }

    COLORREF shown(int x, int y) { return platform::test::screenPixel(edit, x, y); }
    static int caretXAt(int column) { return 1 + column * kNarrow; }
};

TEST_F(ImeCompositionTest, TypingConvertingAndCommittingShowsInPlaceAndInsertsOneUndoStep) {
    create();
    setText(u"abcdef");
    send(EM_SETSEL, 2, 2);
    pumpMessages();
    const int x = caretXAt(2);

    compose(u"にほ", {{2, ClauseKind::Input}}, 2);
    EXPECT_EQ(text(), u"abcdef");
    EXPECT_FALSE(platform::test::caretState().shown);
    EXPECT_TRUE(showsCells({RECT{x, 1, x + 2 * kWide, 1 + kLine}}));
    // Input: window colours, dashed window-text underline one pixel above the row's bottom
    // (3 on, 3 off from the first cell's x + 1), the cursor line at the end.
    EXPECT_EQ(shown(x, 1), kWindow);
    EXPECT_EQ(shown(x + 3, 6), kText);
    EXPECT_EQ(shown(x + 1, kLine - 1 + 1), kText);
    EXPECT_EQ(shown(x + 4, kLine - 1 + 1), kWindow);
    EXPECT_EQ(shown(x + 2 * kWide - 1, 3), kText);
    // The editor's own text goes on showing beside the composition.
    EXPECT_EQ(shown(x - kNarrow + 3, 6), kText);

    compose(u"日本", {{2, ClauseKind::Target}}, 0);
    EXPECT_TRUE(showsCells({RECT{x, 1, x + 2 * kWide, 1 + kLine}}));
    EXPECT_EQ(shown(x, 1), kHighlight);
    EXPECT_EQ(shown(x + 3, 6), kHighlightText);
    EXPECT_EQ(text(), u"abcdef");

    takeNotifications();
    commit(u"日本");
    EXPECT_EQ(text(), u"ab日本cdef");
    EXPECT_EQ(caretIndex(), 4);
    EXPECT_TRUE(platform::test::caretState().shown);
    EXPECT_TRUE(showsCells({}));
    EXPECT_EQ(shown(x, 1), kWindow);
    const auto notes = takeNotifications();
    EXPECT_EQ(std::count(notes.begin(), notes.end(), EN_CHANGE), 1);

    // Typing straight on, then another result: each is an undo step of its own.
    type(u"x");
    commit(u"語");
    EXPECT_EQ(text(), u"ab日本x語cdef");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"ab日本xcdef");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"ab日本cdef");
    send(EM_UNDO);
    EXPECT_EQ(text(), u"abcdef");
    send(EM_REDO);
    EXPECT_EQ(text(), u"ab日本cdef");
}

TEST_F(ImeCompositionTest, ResultReplacesFollowingCharactersInOverwriteMode) {
    create();
    setText(u"abcdef\rxy");
    send(EM_SETSEL, 4, 4);
    key(VK_INSERT);
    commit(u"日本語");
    // Overwriting stops at the line break; the rest is inserted.
    EXPECT_EQ(text(), u"abcd日本語\rxy");
    send(EM_UNDO);
    send(EM_UNDO);
    EXPECT_EQ(text(), u"abcdef\rxy");
}

// A random composition anywhere in the view, with random clauses, line spacing and up to more
// characters than the window keeps: its region is exactly the cells laid out from the caret,
// wrapping at the client's right edge to its left edge one row lower, and moved left to end at
// the right edge when a wrapped row would pass the bottom.
TEST_F(ImeCompositionTest, RegionCoversExactlyTheComposedCellsWrappedAndShifted) {
    create();
    std::u16string rows;
    for (int line = 0; line < 12; ++line) {
        rows += std::u16string(40, u'a') + (line < 11 ? u"\r" : u"");
    }
    setText(rows);
    std::mt19937 random(2027);
    int wrapped = 0;
    int shifted = 0;
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        const int spacing = (round % 3) * 2;
        send(NEM_SETLINESPACING, static_cast<WPARAM>(spacing));
        const int rowHeight = kLine + spacing;
        const int visibleLines = (kHeight - 2) / rowHeight;
        const int line = std::uniform_int_distribution<int>(0, visibleLines - 1)(random);
        const int column = std::uniform_int_distribution<int>(0, 40)(random);
        send(EM_SETSEL, line * 41 + column, line * 41 + column);
        pumpMessages();
        const int length = std::uniform_int_distribution<int>(1, 70)(random);
        std::u16string chars;
        for (int i = 0; i < length; ++i) {
            chars += random() % 3 == 0 ? u'k' : u'漢';
        }
        std::vector<PreeditClause> clauses;
        for (int left = length; left > 0;) {
            const int n = std::uniform_int_distribution<int>(1, left)(random);
            clauses.push_back({n, random() % 2 == 0 ? ClauseKind::Target : ClauseKind::Converted});
            left -= n;
        }
        compose(chars, clauses, length);

        RECT client{};
        GetClientRect(edit, &client);
        const int kept = std::min(length, 64);
        const auto layout = [&](int startX, bool* overflow) {
            std::vector<RECT> cells;
            int x = startX;
            int y = 1 + line * rowHeight;
            for (int i = 0; i < kept; ++i) {
                const int w = chars[static_cast<std::size_t>(i)] == u'k' ? kNarrow : kWide;
                if (x + w > client.right && x > 0) {
                    x = 0;
                    y += rowHeight;
                    *overflow = *overflow || y + rowHeight > client.bottom;
                }
                cells.push_back(RECT{x, y, x + w, y + rowHeight});
                x += w;
            }
            return cells;
        };
        bool overflow = false;
        std::vector<RECT> cells = layout(caretXAt(column), &overflow);
        wrapped += cells.back().top > cells.front().top ? 1 : 0;
        if (overflow) {
            ++shifted;
            int total = 0;
            for (const RECT& c : cells) {
                total += c.right - c.left;
            }
            bool again = false;
            cells = layout(std::max<int>(0, client.right - total), &again);
        }
        EXPECT_TRUE(showsCells(cells));
        // What the region shows is the composition: a cell's top-left is background.
        const COLORREF corner = shown(cells.front().left, cells.front().top);
        EXPECT_TRUE(corner == kWindow || corner == kHighlight);
        compose(u"", {}, 0);
    }
    EXPECT_GT(wrapped, 10);
    EXPECT_GT(shifted, 3);
}

TEST_F(ImeCompositionTest, TargetClauseIsHighlightedOrWithTheThickFlagUnderlinedTwice) {
    create();
    const int x = caretXAt(0);
    const int bottom = 1 + kLine; // the row's bottom, exclusive
    compose(u"私は日本", {{2, ClauseKind::Converted}, {2, ClauseKind::Target}}, 0);
    // Converted text: window colours with a solid line; the target: highlight colours, dashed.
    EXPECT_EQ(shown(x, 1), kWindow);
    for (int px = x + 1; px < x + 2 * kWide - 1; ++px) {
        ASSERT_EQ(shown(px, bottom - 1), kText) << px;
    }
    const int target = x + 2 * kWide;
    EXPECT_EQ(shown(target, 1), kHighlight);
    EXPECT_EQ(shown(target + 3, 6), kHighlightText);
    EXPECT_EQ(shown(target + 1, bottom - 1), kText);
    EXPECT_EQ(shown(target + 4, bottom - 1), kHighlight);
    EXPECT_EQ(shown(target + 1, bottom - 2), kHighlight);

    compose(u"", {}, 0);
    send(NEM_SETIMEUNDERLINE, 1);
    compose(u"私は日本", {{2, ClauseKind::Converted}, {2, ClauseKind::Target}}, 0);
    EXPECT_EQ(shown(target, 1), kWindow);
    EXPECT_EQ(shown(target + 3, 6), kText);
    for (int px = target + 1; px < target + 2 * kWide - 1; ++px) {
        ASSERT_EQ(shown(px, bottom - 1), kText) << px;
        ASSERT_EQ(shown(px, bottom - 2), kText) << px;
    }
    EXPECT_EQ(shown(target + 3, bottom - 3), kWindow);
}

TEST_F(ImeCompositionTest, CandidateWindowFollowsTheTargetClauseAndAvoidsTheCaretLine) {
    create();
    setText(std::u16string(30, u'a'));
    send(EM_SETSEL, 30, 30);
    pumpMessages();
    const int x = caretXAt(30);
    // Before conversion it goes under the composition's start.
    compose(u"わたしは", {{4, ClauseKind::Input}}, 4);
    RECT r = platform::test::inputMethodCursorRectangle(edit);
    EXPECT_EQ(r.left, x);
    EXPECT_EQ(r.bottom, 1 + kLine + 1);
    EXPECT_EQ(r.bottom - r.top, kLine);

    compose(u"私は日本語を", {{2, ClauseKind::Target}, {4, ClauseKind::Converted}}, 0);
    EXPECT_EQ(platform::test::inputMethodCursorRectangle(edit).left, x);
    // The second clause wraps past the right edge: its first cell starts the next row.
    compose(u"私は日本語を", {{2, ClauseKind::Converted}, {4, ClauseKind::Target}}, 2);
    r = platform::test::inputMethodCursorRectangle(edit);
    EXPECT_EQ(r.left, x + 2 * kWide);
    compose(u"私は日本語を", {{5, ClauseKind::Converted}, {1, ClauseKind::Target}}, 5);
    r = platform::test::inputMethodCursorRectangle(edit);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.bottom, 1 + 2 * kLine + 1);
}

TEST_F(ImeCompositionTest, ReadOnlyShowsTheCompositionButInsertsNothing) {
    create(ES_READONLY);
    setText(u"fixed");
    compose(u"かな", {{2, ClauseKind::Input}}, 2);
    EXPECT_TRUE(showsCells({RECT{1, 1, 33, 17}}));
    commit(u"かな");
    EXPECT_EQ(text(), u"fixed");
    EXPECT_TRUE(showsCells({}));
    send(WM_IME_CHAR, u'字');
    EXPECT_EQ(text(), u"fixed");
}

TEST_F(ImeCompositionTest, SetReadOnlyDetachesTheContextAndKeepsItForLater) {
    create();
    EXPECT_TRUE(platform::test::inputMethodAccepted(edit));
    // Made writable without ever being read-only: nothing to re-attach, nothing lost.
    send(EM_SETREADONLY, 0);
    EXPECT_TRUE(platform::test::inputMethodAccepted(edit));

    compose(u"かな", {{2, ClauseKind::Input}}, 2);
    send(EM_SETREADONLY, 1);
    pumpMessages();
    // The composition in progress is cancelled and its drawing goes.
    EXPECT_TRUE(showsCells({}));
    EXPECT_TRUE(platform::test::caretState().shown);
    EXPECT_FALSE(platform::test::inputMethodAccepted(edit));
    EXPECT_EQ(ImmGetContext(edit), nullptr);
    // Twice read-only keeps the context kept the first time.
    send(EM_SETREADONLY, 1);
    send(EM_SETREADONLY, 0);
    EXPECT_TRUE(platform::test::inputMethodAccepted(edit));
    commit(u"字");
    EXPECT_EQ(text(), u"字");
}

TEST_F(ImeCompositionTest, EndingWithoutResultRemovesTheDrawingAndShowsTheCaret) {
    create();
    setText(u"abc");
    compose(u"かな", {{2, ClauseKind::Input}}, 1);
    // The cursor line stands after the first character.
    EXPECT_EQ(shown(1 + kWide - 1, 3), kText);
    EXPECT_EQ(shown(1, 6), kWindow);
    compose(u"", {}, 0);
    EXPECT_EQ(text(), u"abc");
    EXPECT_TRUE(showsCells({}));
    EXPECT_TRUE(platform::test::caretState().shown);
    // The editor's own "a" shows where the composition was.
    EXPECT_EQ(shown(1 + 3, 6), kText);
    EXPECT_EQ(shown(1 + kNarrow + 3, 6), kText);
}

TEST_F(ImeCompositionTest, FocusOpensAndClosesTheInputMethodUnlessToldNotTo) {
    create();
    const HIMC context = ImmGetContext(edit);
    EXPECT_TRUE(ImmGetOpenStatus(context));
    // Losing the focus closes it and completes the composition into the text.
    compose(u"かな", {{2, ClauseKind::Input}}, 2);
    SetFocus(parent);
    pumpMessages();
    EXPECT_FALSE(ImmGetOpenStatus(context));
    EXPECT_EQ(text(), u"かな");
    SetFocus(edit);
    EXPECT_TRUE(ImmGetOpenStatus(context));

    send(NEM_SETOPTIONS, NEO_NOIMEONFOCUS, NEO_NOIMEONFOCUS);
    SetFocus(parent);
    EXPECT_TRUE(ImmGetOpenStatus(context));
    ImmSetOpenStatus(context, FALSE);
    SetFocus(edit);
    EXPECT_FALSE(ImmGetOpenStatus(context));
    ImmSetOpenStatus(context, TRUE);
}

// The composition window draws with the editor's font copy; a new font or line spacing while
// composing must reach it before the old copy is gone.
TEST_F(ImeCompositionTest, FontAndSpacingChangesWhileComposingReachTheComposition) {
    create();
    compose(u"かな", {{2, ClauseKind::Input}}, 2);
    LOGFONTW description{};
    const std::u16string_view face = u"KivTestFont";
    std::copy(face.begin(), face.end(), description.lfFaceName);
    const HFONT font = CreateFontIndirectW(&description);
    send(WM_SETFONT, reinterpret_cast<WPARAM>(font));
    DeleteObject(font);
    send(NEM_SETLINESPACING, 4);
    pumpMessages();
    compose(u"かなo", {{3, ClauseKind::Input}}, 3);
    EXPECT_TRUE(showsCells({RECT{1, 1, 1 + 2 * kWide + kNarrow, 1 + kLine + 4}}));
    EXPECT_EQ(shown(1 + 3, 1 + 2 + 6), kText);
}

} // namespace

} // namespace editctl::test
