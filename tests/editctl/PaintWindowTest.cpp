// Painting through the window: WM_PAINT with the focus rules, and the messages that change how
// the text looks, checked on the pixels the control leaves on screen (test font: 8 px narrow
// characters, 16 px lines, margins of 1).

#include "editctl/EditWindowProc.h"
#include "editctl/NEditMessages.h"
#include "platform/Gdi.h"
#include "platform/TestHooks.h"
#include "platform/Window.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

constexpr COLORREF kWindow = RGB(250, 250, 250);
constexpr COLORREF kText = RGB(10, 10, 10);
constexpr COLORREF kHighlight = RGB(0, 0, 180);
constexpr COLORREF kHighlightText = RGB(240, 240, 0);
constexpr COLORREF kUnderline = RGB(220, 0, 0);

LRESULT parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(hwnd, message, wParam, lParam);
}

class PaintWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        static const bool registered = [] {
            WNDCLASS wc;
            wc.lpfnWndProc = parentProc;
            wc.lpszClassName = u"kivPaintTestParent";
            return RegisterClass(&wc) != 0;
        }();
        ASSERT_TRUE(registered);
        ASSERT_NE(editctl::registerNEditClass(), 0);
        parent = CreateWindow(u"kivPaintTestParent", u"", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 400,
                              300, nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent, nullptr);
        LOGFONTW description;
        const std::u16string face = u"KivTestFont";
        std::copy(face.begin(), face.end(), description.lfFaceName);
        font = CreateFontIndirectW(&description);
    }
    void TearDown() override {
        DestroyWindow(parent);
        DeleteObject(font);
        platform::test::pumpMessages();
    }

    // A control of 42 narrow cells by 10 lines without scroll bars, with the test font and
    // the five colours set, holding `text`.
    void create(const std::u16string& text, DWORD style = 0) {
        edit = CreateWindow(kNEditClassName, u"", WS_CHILD | WS_VISIBLE | style, 0, 0, 338, 162,
                            parent, childId(1333), nullptr, nullptr);
        ASSERT_NE(edit, nullptr);
        SendMessage(edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        const COLORREF colors[] = {kWindow, kText, kHighlight, kHighlightText, kUnderline};
        for (int slot = 0; slot < 5; ++slot) {
            SendMessage(edit, NEM_SETCOLOR, static_cast<WPARAM>(slot),
                        static_cast<LPARAM>(colors[slot]));
        }
        SendMessage(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        platform::test::pumpMessages();
    }
    COLORREF at(int x, int y) const { return platform::test::clientPixel(edit, x, y); }
    // Paints what is pending and reads the middle row of glyph boxes of character `column`
    // on display line `line` (narrow characters).
    COLORREF glyph(int column, int line) {
        platform::test::pumpMessages();
        return at(1 + 8 * column + 3, 1 + 16 * line + 6);
    }
    COLORREF cellTop(int column, int line) {
        platform::test::pumpMessages();
        return at(1 + 8 * column + 3, 1 + 16 * line);
    }

    HWND parent = nullptr;
    HWND edit = nullptr;
    HFONT font = nullptr;
};

TEST_F(PaintWindowTest, SelectionShowsWithTheFocusOrWithNoHideSel) {
    create(u"abcdef");
    SendMessage(edit, EM_SETSEL, 2, 4);
    SetFocus(edit);
    EXPECT_EQ(glyph(2, 0), kHighlightText);
    EXPECT_EQ(cellTop(3, 0), kHighlight);
    EXPECT_EQ(glyph(1, 0), kText);

    SetFocus(parent);
    EXPECT_EQ(glyph(2, 0), kText) << "without the focus the selection is hidden";
    EXPECT_EQ(cellTop(3, 0), kWindow);

    DestroyWindow(edit);
    create(u"abcdef", ES_NOHIDESEL);
    SendMessage(edit, EM_SETSEL, 2, 4);
    EXPECT_EQ(glyph(2, 0), kHighlightText) << "kept without the focus";
    // The style is read at every paint.
    SetWindowLongPtr(edit, GWL_STYLE, GetWindowLongPtr(edit, GWL_STYLE) & ~ES_NOHIDESEL);
    InvalidateRect(edit, nullptr, FALSE);
    EXPECT_EQ(glyph(2, 0), kText);
}

TEST_F(PaintWindowTest, SymbolsColoursAndOptionsRepaintEverything) {
    create(u"ab\r\rcd");
    EXPECT_EQ(at(5, 17 + 6), kWindow);
    SendMessage(edit, NEM_SETSYMBOLS, NES_LINEBREAK, 0);
    platform::test::pumpMessages();
    EXPECT_EQ(at(5, 17 + 6), kHighlight) << "the arrow of the empty line 1";
    EXPECT_EQ(at(21, 1 + 6), kHighlight) << "the arrow after ab";

    SendMessage(edit, NEM_SETCOLOR, NEC_WINDOWTEXT, static_cast<LPARAM>(RGB(0, 120, 0)));
    EXPECT_EQ(glyph(0, 0), RGB(0, 120, 0));
    SendMessage(edit, NEM_SETCOLOR, 7, static_cast<LPARAM>(RGB(1, 1, 1)));
    EXPECT_EQ(glyph(0, 0), RGB(0, 120, 0)) << "an unknown slot changes nothing";
    SendMessage(edit, NEM_SETCOLOR, NEC_WINDOW, -1);
    EXPECT_EQ(cellTop(0, 0), GetSysColor(COLOR_WINDOW)) << "-1 is the system colour";

    SendMessage(edit, NEM_SETOPTIONS, NEO_LINENUMBERS, NEO_LINENUMBERS);
    platform::test::pumpMessages();
    // A new text starts with room for three digits: a gutter of four digit widths with the
    // separator at 32 - 4, "3" ending at 25.
    EXPECT_EQ(at(28, 40), RGB(0, 120, 0));
    EXPECT_EQ(at(20, 40), RGB(0, 120, 0));
    EXPECT_EQ(at(12, 40), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(glyph(4, 0), RGB(0, 120, 0)) << "a, moved right by the gutter";
}

TEST_F(PaintWindowTest, UnderlineFollowsTheCaretLineWhileFocused) {
    create(u"one\rtwo\rthree");
    SendMessage(edit, NEM_SETOPTIONS, NEO_UNDERLINE, NEO_UNDERLINE);
    SendMessage(edit, EM_SETSEL, 5, 5);
    SetFocus(edit);
    platform::test::pumpMessages();
    EXPECT_EQ(at(100, 32), kUnderline);
    EXPECT_EQ(at(100, 16), kWindow);

    SendMessage(edit, EM_SETSEL, 9, 9);
    platform::test::pumpMessages();
    EXPECT_EQ(at(100, 48), kUnderline);
    EXPECT_EQ(at(100, 32), kWindow) << "the old line was repainted";

    SetFocus(parent);
    platform::test::pumpMessages();
    EXPECT_EQ(at(100, 48), kWindow) << "no underline without the focus";
}

TEST_F(PaintWindowTest, LineSpacingRebuildsTheStrip) {
    create(u"ab\rcd");
    SendMessage(edit, EM_SETSEL, 0, 5);
    SetFocus(edit);
    SendMessage(edit, NEM_SETLINESPACING, 4, 0);
    platform::test::pumpMessages();
    // Lines are 20 pixels high, their text 2 pixels down, the selection fills the spacing.
    EXPECT_EQ(at(4, 1), kHighlight);
    EXPECT_EQ(at(4, 4), kHighlightText);
    EXPECT_EQ(at(4, 20), kHighlight);
    EXPECT_EQ(at(4, 21 + 3), kHighlightText) << "line 1 starts at 21";
    EXPECT_EQ(at(4, 41 + 3), kWindow) << "nothing below the text";
}

} // namespace
