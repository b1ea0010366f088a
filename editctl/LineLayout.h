#pragma once
// Cuts the logical text into display lines: at a CR, at the wrap width while word wrap is on
// (moving a word that does not fit to the next line, breaking CJK text anywhere), and after
// the column limit always. Keeps the line table current, fully or around an edit.

#include "editctl/LayoutParams.h"

#include <cstdint>
#include <vector>

namespace editctl {

class LineTable;
class TextStore;
class WidthCache;

class LineLayout {
public:
    // What an incremental relayout changed, for repainting.
    struct Change {
        int firstLine = 0;   // first display line that was re-broken, -1 for none
        int lastLine = 0;    // last display line re-broken (new numbering)
        int linesBefore = 0; // display lines before the edit
        int linesAfter = 0;  // display lines after it
    };

    LineLayout(const TextStore& text, LineTable& lines, WidthCache& widths, LayoutParams& params);

    // Pixels a display line may fill: the wrap column in cells, or the client width minus the
    // left and right margins.
    int availableWidth() const noexcept;
    // The x a tab at x reaches: the next stop, or the one after when that is less than a cell.
    static std::int64_t tabStop(std::int64_t x, int tabSize, int cellWidth) noexcept;
    // Where the display line starting at `start` ends: the index of its CR, or the start of
    // the next display line. Raises the widest-line measure.
    int endOfLine(int start);
    // Lays out the whole text (nothing when the client width is 0), growing the line-number
    // gutter as the line count passes powers of ten.
    void layoutAll();
    // True when line numbers are shown and the line count has outgrown the gutter's digits.
    bool gutterOutgrown() const noexcept;
    // Re-breaks the lines around an edit already made in the text, whose changed characters
    // end at `editEnd` (new indices) and whose change in length is `delta`: from the display
    // line before the one holding `at` until a new line start meets an old one moved by
    // `delta`, or, once the edit lies behind, until the lookahead is used up; there the rest
    // is left unsettled. Every line must be settled through `at` beforehand. Throws COomEx
    // with the table unchanged.
    Change relayoutAround(int at, int editEnd, int delta);
    // Re-breaks from the first unsettled line on, about `budget` characters of text, merging
    // into following unsettled stretches. firstLine is -1 when nothing was re-broken.
    Change settle(std::int64_t budget);
    // Settles every line that starts at or before `index`, so that the line holding it and all
    // lines before it are final.
    Change settleThrough(std::int64_t index);
    // Settles lines 0 through `line` (and so the start of the line after it).
    Change settleThroughLine(int line);
    // Settles everything.
    Change settleAll();
    // Before an edit at `at`: settles through `at` and keeps room for one more unsettled line.
    Change prepareEdit(int at);
    // Where the display line starting at `start` ends without word wrap, found by counting
    // columns alone (the widest-line measure is not raised).
    int endWithoutWrap(int start) const;
    // True while some line is unsettled.
    bool hasUnsettled() const noexcept;
    // Characters re-broken past an edit before the rest is left unsettled.
    void setEditLookahead(int characters) noexcept { editLookahead_ = characters; }
    static constexpr int kDefaultEditLookahead = 4096;

    // How layoutAll() shares a large text among threads: a text shorter than minLength is laid
    // out on the calling thread alone; otherwise that thread first lays out about `prefix`
    // characters (measuring the glyphs most of the text uses), then `threads` threads (0: one
    // per processor, at most 8) lay out the rest in pieces of about pieceLength characters
    // cut after CRs. The lines are the same either way.
    struct Parallelism {
        int minLength = 1 << 20;
        int prefix = 1 << 18;
        int pieceLength = 1 << 18;
        int threads = 0;
    };
    void setParallelism(const Parallelism& parallelism) noexcept { parallelism_ = parallelism; }

private:
    // Where a display line ends, and whether at a CR.
    struct LineEnd {
        int end = 0;
        bool atCr = false;
    };
    // A stretch of whole logical lines laid out by one thread (defined with the threads).
    struct Piece;

    // endOfLine(), telling whether the line ends at a CR, raising `widest` instead.
    LineEnd breakLine(int start, int& widest);
    // breakLine() without measuring, for a helper thread: `unknownMet` tells that a width was
    // not known yet, and then the result is not to be used.
    LineEnd breakLineKnown(int start, int& widest, bool& unknownMet) const;
    // The two above, over where the widths come from.
    template <class Widths> LineEnd breakLineWith(int start, Widths& widths, int& widest) const;
    // layoutAll() on several threads, false when the text is too small or too few pieces of
    // it end in a CR (nothing was changed then).
    bool layoutInPieces(int zeroWidth);
    // One full layout with the current gutter, from pieces laid out by several threads.
    void layOutPieces(std::vector<Piece>& pieces, int prefixEnd);
    // A helper thread's part: the lines of `piece`, leaving aside the logical lines holding
    // a character whose width is not known.
    void layOutPiece(Piece& piece) const;
    // Adds to `starts` the starts after the lines from `from` to `to` (after a CR or the text
    // length), measuring as needed; raises `widest`.
    void layOutLines(int from, int to, int& widest, std::vector<std::uint32_t>& starts);
    // The index after the first CR at or after `from`, or the text length.
    int afterNextCr(int from) const noexcept;
    // One bit for each of p[0] to p[7] whose width has not been measured yet.
    unsigned unmeasured(const char16_t* p) const noexcept;
    // The x at which the first character of the word [wordStart, i) ends, when the word ends
    // at `x`.
    std::int64_t endOfFirstCharacter(int wordStart, int i, std::int64_t x) const noexcept;
    // Left margin for the current gutter.
    int gutterMargin(int zeroWidth) const noexcept;
    // Re-breaks from line `first`. A new start at or after `meetFrom` that equals an old one
    // moved by `delta` ends the walk; one that lies `charBudget` characters past `meetFrom`, or
    // is the `lineBudget`-th such start, ends it too and leaves its line unsettled.
    Change relayFrom(int first, int meetFrom, int delta, std::int64_t charBudget, int lineBudget);
    // Resumes at the first unsettled line with these budgets.
    Change resumeFirst(std::int64_t charBudget, int lineBudget);
    // True when the line before `line` cannot have read the text at `at` (> its start) while
    // finding its end: it ended inside a word, or a word ends between the line start and `at`.
    bool previousLineEndsBefore(int line, int at) const;

    const TextStore& text_;
    LineTable& lines_;
    WidthCache& widths_;
    LayoutParams& params_;
    std::vector<std::uint32_t> produced_;
    int editLookahead_ = kDefaultEditLookahead;
    Parallelism parallelism_;
};

} // namespace editctl
