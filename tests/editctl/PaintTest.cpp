// Painting on the deterministic test font (8 px narrow, 16 px wide characters, 16 px lines):
// margins of 1 put line 0's cell at y 1..16 and character i of an ASCII line at x 1 + 8i,
// whose glyph box covers x + 1 .. x + 6 and the cell's rows 1 .. 12.

#include "PaintTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using editctl::PaintArea;
using editctl::test::kHighlight;
using editctl::test::kUntouched;
using editctl::test::PaintCanvas;

namespace {

int count(const std::string& pixels, char c) {
    return static_cast<int>(std::count(pixels.begin(), pixels.end(), c));
}

TEST(PaintSelection, ShownInHighlightColoursOnlyWhenFocusedOrKept) {
    PaintCanvas canvas(u"abcdef", 100, 40);
    canvas.state->anchor = 4;
    canvas.state->caret = 2;
    canvas.paint(canvas.wholeArea(true));
    EXPECT_EQ(canvas.row(7, 1, 49), ".######..######.HTTTTTTHHTTTTTTH.######..######.");
    EXPECT_EQ(canvas.row(1, 17, 33), std::string(16, 'H')) << "the whole cell, top row too";
    EXPECT_EQ(canvas.at(49, 7), canvas.at(90, 7)) << "the line goes on in the window colour";

    canvas.paint(canvas.wholeArea(false));
    EXPECT_EQ(canvas.row(7, 1, 49), ".######..######..######..######..######..######.");
}

TEST(PaintSelection, LineSpacingIsSplitAboveAndBelowAndSelectionFillsIt) {
    PaintCanvas canvas(u"ab\rcd", 100, 60);
    canvas.state->layout.lineSpacing = 4;
    canvas.rebuildStrip();
    canvas.state->anchor = 0;
    canvas.state->caret = 5;
    canvas.paint(canvas.wholeArea(true));
    // Line 0 spans y 1..20, its text starts 2 pixels down.
    EXPECT_EQ(canvas.column(4, 1, 21), "HHHTTTTTTTTTTTTHHHHH");
    // Line 1 starts at y 21.
    EXPECT_EQ(canvas.column(4, 21, 41), "HHHTTTTTTTTTTTTHHHHH");
}

TEST(PaintSymbols, EmptyLineShowsOnlyTheArrowAtTheLeftMargin) {
    PaintCanvas canvas(u"\r", 100, 40);
    canvas.state->symbols = NES_LINEBREAK;
    canvas.paint(canvas.wholeArea(true));
    // Cell x 1..8: stem at x 5 from row 3 to row 11, head strokes up to both sides.
    EXPECT_EQ(canvas.column(5, 1, 17), "...HHHHHHHHH....");
    EXPECT_EQ(canvas.row(1 + 8, 1, 10), ".H..H..H.");
    EXPECT_EQ(canvas.row(1 + 10, 1, 10), "...HHH...");
    EXPECT_EQ(count(canvas.row(1 + 8, 10, 99), 'H'), 0) << "nothing right of the cell";
    EXPECT_EQ(count(canvas.row(17 + 8, 1, 99), 'H'), 0) << "the last line has no break";
}

TEST(PaintSymbols, CellsAreFilledEvenWithTheirSymbolOff) {
    PaintCanvas canvas(u"\r", 100, 40);
    canvas.state->anchor = 0;
    canvas.state->caret = 1;
    canvas.paint(canvas.wholeArea(true));
    EXPECT_EQ(canvas.row(9, 0, 11), ".HHHHHHHH..") << "the CR cell is one cell wide";
    EXPECT_EQ(count(canvas.column(5, 1, 17), 'T'), 0);

    canvas.state->symbols = NES_LINEBREAK;
    canvas.paint(canvas.wholeArea(true));
    EXPECT_EQ(canvas.column(5, 1, 17), "HHHTTTTTTTTTHHHH") << "selected: arrow in highlight text";
}

TEST(PaintSymbols, SelectedTabIsHighlightedAcrossItsWidthWithTheChevronInHighlightText) {
    PaintCanvas canvas(u"a\tb", 120, 40);
    canvas.state->symbols = NES_TAB;
    canvas.state->anchor = 1;
    canvas.state->caret = 2;
    canvas.paint(canvas.wholeArea(true));
    // The tab runs from x 9 to the stop at 64 cells from the text origin (x 65).
    EXPECT_EQ(canvas.row(2, 8, 66), "." + std::string(56, 'H') + ".");
    EXPECT_EQ(canvas.at(10, 1 + 4), editctl::test::kHighlightText);
    EXPECT_EQ(canvas.at(14, 1 + 8), editctl::test::kHighlightText);
    EXPECT_EQ(canvas.at(11, 1 + 11), editctl::test::kHighlightText);
    EXPECT_EQ(canvas.row(7, 65, 73), ".######.") << "b follows at the stop";

    canvas.paint(canvas.wholeArea(false));
    EXPECT_EQ(canvas.at(30, 2), editctl::test::kWindow);
    EXPECT_EQ(canvas.at(14, 1 + 8), kHighlight) << "unselected chevron in the highlight colour";
}

TEST(PaintSymbols, SpaceBracketAndDashedIdeographicSpaceBox) {
    PaintCanvas canvas(u"a b\u3000c", 120, 40);
    canvas.paint(canvas.wholeArea(true));
    EXPECT_EQ(count(canvas.row(15, 1, 42), 'H'), 0) << "no symbols while they are off";

    canvas.state->symbols = NES_SPACE | NES_WIDESPACE;
    canvas.paint(canvas.wholeArea(true));
    // The space at x 9..16: a bracket from row 12 down to row 14 and across to x 15.
    EXPECT_EQ(canvas.row(1 + 14, 8, 18), "..HHHHHH..");
    EXPECT_EQ(canvas.column(10, 1 + 11, 1 + 16), ".HHH.");
    EXPECT_EQ(canvas.column(15, 1 + 10, 1 + 16), "..HHH.");
    // The ideographic space after b at x 25..40: a box from (26, 1) to (39, 14), dashed.
    const std::string top = canvas.row(1 + 1, 26, 40);
    EXPECT_EQ(top, "HHH...HHH...HH");
    EXPECT_EQ(canvas.column(26, 2, 16), "H.HHH...HHH...") << "drawn upwards";
    EXPECT_EQ(canvas.at(32, 1 + 7), editctl::test::kWindow) << "the box is not filled";
    EXPECT_EQ(canvas.row(7, 41, 49), ".######.") << "c follows the 16-pixel cell";
}

TEST(PaintGutter, ThreeDigitsMakeFourDigitWidthsWithTheSeparatorHalfADigitIn) {
    std::u16string text;
    for (int i = 0; i < 150; ++i) {
        text += u"x\r";
    }
    PaintCanvas canvas(text, 120, 50);
    canvas.state->options = NEO_LINENUMBERS;
    canvas.state->layout.lineNumbers = true;
    editctl::layoutAllText(*canvas.state);
    ASSERT_EQ(canvas.state->layout.lineNumberDigits, 3);
    ASSERT_EQ(canvas.state->layout.margins.left, 32);
    canvas.paint(canvas.wholeArea(false));
    EXPECT_EQ(canvas.column(28, 1, 33), std::string(32, '#')) << "separator at 32 - 4";
    // "1" is right-aligned to end at x 25; the text starts at the gutter's edge.
    EXPECT_EQ(canvas.row(7, 16, 41), "..######....#....######..");

    canvas.state->firstVisibleLine = 99;
    canvas.paint(canvas.wholeArea(false));
    EXPECT_EQ(canvas.row(7, 0, 28), "..######..######..######....") << "100";
    EXPECT_EQ(canvas.row(17 + 6, 0, 28), "..######..######..######....") << "101";
}

TEST(PaintUnderline, OnlyOnTheCaretLineAcrossTheUpdateArea) {
    PaintCanvas canvas(u"ab\rcd", 60, 50);
    canvas.state->options = NEO_UNDERLINE;
    canvas.paint(canvas.wholeArea(true, 1));
    EXPECT_EQ(canvas.row(32, 0, 59), std::string(59, 'U'));
    EXPECT_EQ(count(canvas.row(16, 0, 59), 'U'), 0);

    canvas.paint(canvas.wholeArea(false, -1));
    EXPECT_EQ(count(canvas.row(32, 0, 59), 'U'), 0) << "no caret line without the focus";
}

TEST(PaintRuns, LongLineDrawsEveryGlyphAcrossRunBreaksAndPendingEdits) {
    std::u16string text(700, u'a');
    PaintCanvas canvas(text, 700 * 8 + 40, 20, false);
    auto everyGlyph = [&canvas](int n) {
        for (int i = 0; i < n; ++i) {
            if (canvas.at(1 + 8 * i + 3, 7) != editctl::test::kText) {
                return i;
            }
        }
        return -1;
    };
    canvas.paint(canvas.wholeArea(false));
    EXPECT_EQ(everyGlyph(700), -1);

    // Typed text waits in front of the gap; the line is drawn from two pieces.
    canvas.state->caret = canvas.state->anchor = 250;
    editctl::insertText(*canvas.state, u"bbbbbbbbbb", false);
    ASSERT_TRUE(canvas.state->text.hasPendingInsertion());
    canvas.state->anchor = 255;
    canvas.state->caret = 258;
    canvas.paint(canvas.wholeArea(true));
    const std::u32string pending = canvas.pixels();
    EXPECT_EQ(everyGlyph(255), -1);
    EXPECT_EQ(canvas.at(1 + 8 * 256 + 3, 7), editctl::test::kHighlightText);
    editctl::commitPending(*canvas.state, false);
    canvas.paint(canvas.wholeArea(true));
    EXPECT_EQ(canvas.pixels(), pending);

    // A pending deletion is skipped over.
    editctl::deleteRange(*canvas.state, 500, 520);
    ASSERT_TRUE(canvas.state->text.hasPendingDeletion());
    canvas.paint(canvas.wholeArea(false));
    const std::u32string deleting = canvas.pixels();
    EXPECT_EQ(everyGlyph(690), -1);
    EXPECT_NE(canvas.at(1 + 8 * 690 + 3, 7), editctl::test::kText);
    editctl::commitPending(*canvas.state, false);
    canvas.paint(canvas.wholeArea(false));
    EXPECT_EQ(canvas.pixels(), deleting);
}

TEST(PaintArea, OnlyTheUpdateAreaIsDrawnAndScrollingMovesTheText) {
    PaintCanvas canvas(u"abcdefghij\rsecond", 120, 60, false);
    PaintArea area = canvas.wholeArea(false);
    area.left = 40;
    area.right = 80;
    canvas.paint(area, RECT{40, 0, 80, 60});
    EXPECT_EQ(canvas.at(20, 7), kUntouched);
    EXPECT_EQ(canvas.at(90, 7), kUntouched);
    EXPECT_EQ(canvas.row(7, 40, 50), "..######..");
    EXPECT_EQ(canvas.at(60, 45), editctl::test::kWindow) << "below the text";

    canvas.state->horizontalPosition = 2;
    canvas.paint(canvas.wholeArea(false));
    EXPECT_EQ(canvas.row(7, 0, 17), "..######..######.") << "c now starts at the left margin";

    canvas.state->horizontalPosition = 0;
    canvas.state->firstVisibleLine = 1;
    canvas.paint(canvas.wholeArea(false));
    EXPECT_EQ(canvas.row(7, 0, 17), "..######..######.") << "s, e";
}

TEST(PaintArea, TopMarginTallerThanALineStillPaintsTheFirstLine) {
    PaintCanvas canvas(u"ab\rcd", 60, 90);
    canvas.state->layout.margins.top = 40;
    canvas.rebuildStrip();
    canvas.paint(canvas.wholeArea(false), RECT{0, 40, 60, 56});
    EXPECT_EQ(canvas.row(46, 0, 17), "..######..######.");
}

TEST(ColorSlots, SystemDefaultsUntilSetAndOnlyFiveSlots) {
    editctl::EditState state;
    EXPECT_EQ(editctl::resolvedColor(state, NEC_WINDOW), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(editctl::resolvedColor(state, NEC_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(editctl::resolvedColor(state, NEC_UNDERLINE), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_TRUE(editctl::storeColor(state, NEC_UNDERLINE, RGB(1, 2, 3)));
    EXPECT_EQ(editctl::resolvedColor(state, NEC_UNDERLINE), RGB(1, 2, 3));
    EXPECT_TRUE(editctl::storeColor(state, NEC_UNDERLINE, static_cast<COLORREF>(-1)));
    EXPECT_EQ(editctl::resolvedColor(state, NEC_UNDERLINE), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_FALSE(editctl::storeColor(state, 5, RGB(1, 2, 3)));
    EXPECT_FALSE(editctl::storeColor(state, -1, RGB(1, 2, 3)));
}

} // namespace
