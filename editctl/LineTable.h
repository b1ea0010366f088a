#pragma once
// The starts of the display lines, plus a sentinel equal to the text length, in an array with
// a gap at the last edited line, as a text buffer keeps one. Entries before the gap hold true
// starts; entries after it are stored without the pending shift, which is added when they are
// read. An edit moves the gap to its lines (cost: the lines it moves over), replaces entries
// there and adds its length change to the shift, so no edit rewrites the rest of the table.
//
// A relayout may stop before it has re-broken everything an edit moved. It marks the line it
// stopped at as unsettled: that line's start is true, but the entries after it are left from
// an earlier layout until a later relayout re-breaks from the mark. Every line that is not
// marked ends where the next entry starts, as the current text breaks.

#include "editctl/Block.h"

#include <array>
#include <cstdint>
#include <span>

namespace editctl {

class LineTable {
public:
    static constexpr int kSlack = 256;
    // Most unsettled lines kept at once.
    static constexpr int kMaxUnsettled = 16;

    // One empty line: starts [0, 0], room for 256 entries.
    explicit LineTable(BlockAllocator& allocator);

    // Number of display lines (at least 1).
    int count() const noexcept { return count_; }
    // Entries allocated.
    int capacity() const noexcept { return static_cast<int>(starts_.capacity()); }
    // First entry the pending shift applies to, and the shift (0 and 0: none).
    int shiftLine() const noexcept { return shift_ != 0 ? gapStart_ : 0; }
    int shift() const noexcept { return shift_; }

    // True start of `line` (0 <= line <= count(), count() giving the sentinel); -1 below 0.
    std::int64_t start(int line) const noexcept {
        if (line < 0) {
            return -1;
        }
        if (line < gapStart_) {
            return starts_[static_cast<std::size_t>(line)];
        }
        return static_cast<std::uint32_t>(
            starts_[static_cast<std::size_t>(line) + static_cast<std::size_t>(gapLength_)] +
            static_cast<std::uint32_t>(shift_));
    }
    // The line whose start <= index < next start; an index at or past the last line's start
    // gives the last line, a negative one line 0.
    int lineOf(std::int64_t index) const noexcept;
    // The first line whose start is at or after `index` (count() when none).
    int firstLineAtOrAfter(std::int64_t index) const noexcept;

    // Adds the pending shift to its entries for real (moves the gap behind the sentinel).
    void applyShift() noexcept;

    // A fresh zeroed array of 256 entries for resetSingleLine(); throws COomEx.
    Block<std::uint32_t> prepareReset();
    // Makes the table a single line [0, length] in the prepared array.
    void resetSingleLine(int length, Block<std::uint32_t> fresh) noexcept;

    // Full rebuild: begin, append every start after line 0 in order, finish with the length.
    // If an append throws, the table is still valid: finish() has been done with what was there.
    void beginRebuild() noexcept;
    // Records the start of the next line; grows by `growBy` entries (at least 256) when full.
    void appendStart(std::uint32_t start, std::size_t growBy, std::uint32_t length);
    // Records the starts of the next lines, in order; grows once, by at least `growBy` entries
    // and enough for them all, when they do not fit.
    void appendStarts(std::span<const std::uint32_t> starts, std::size_t growBy,
                      std::uint32_t length);
    // Sets the sentinel and the line count, and gives back a large surplus of entries.
    void finishRebuild(std::uint32_t length) noexcept;

    // Replaces entries [first, first + oldCount) by `starts` (true positions) and moves every
    // entry after them by `delta` through the pending shift. 1 <= first, first + oldCount <=
    // count(). The lines the new entries end are settled; with `lastUnsettled` the last of them
    // (line first - 1 + starts.size()) is marked instead. Throws COomEx (unchanged) when the
    // table must grow and cannot; with `lastUnsettled` there must be room for one more mark.
    void replace(int first, int oldCount, std::span<const std::uint32_t> starts, int delta,
                 bool lastUnsettled = false);

    // Marked lines, in increasing order.
    int unsettledCount() const noexcept { return unsettledCount_; }
    int unsettledLine(int k) const noexcept { return unsettled_[static_cast<std::size_t>(k)]; }
    // The first marked line, or -1 when every line is settled.
    int firstUnsettled() const noexcept { return unsettledCount_ > 0 ? unsettled_[0] : -1; }
    // True when another mark fits.
    bool canMarkUnsettled() const noexcept { return unsettledCount_ < kMaxUnsettled; }

    // Checks entry 0 is 0, starts strictly increase except a final empty line, the sentinel
    // equals `length`, the counters fit the array and the marks increase within the lines;
    // false when any is broken.
    bool checkInvariants(int length) const noexcept;

private:
    // Room kept beyond the entries: 256, or a sixteenth of the lines for large tables, so
    // that growing and shrinking cost constant time per line on average.
    static int slackFor(int count) noexcept;
    // The first line in [0, size) whose start is not `below`, or size; `below` must hold for
    // a leading run of the (ascending) starts and fail after it.
    template <class Below> int firstNotBelow(int size, Below below) const noexcept;
    // During a rebuild: makes room for `more` starts and the sentinel, growing by at least
    // `growBy` entries; on failure finishes the rebuild with what is there and throws.
    void roomToAppend(std::size_t more, std::size_t growBy, std::uint32_t length);
    // Moves the gap so that it starts at entry `line`.
    void moveGap(int line) noexcept;
    // Gives back surplus entries when the gap has grown well past the slack.
    void trim() noexcept;
    // Drops the marks of lines [from, to] and moves later marks by `by` lines; marks `add`
    // when it is not negative.
    void updateMarks(int from, int to, int by, int add) noexcept;

    BlockAllocator& allocator_;
    Block<std::uint32_t> starts_;
    int count_ = 1;
    int gapStart_ = 2;  // entries [0, gapStart_) lie before the gap
    int gapLength_ = 0; // capacity - (count_ + 1)
    int shift_ = 0;
    std::array<int, kMaxUnsettled> unsettled_{};
    int unsettledCount_ = 0;
};

} // namespace editctl
