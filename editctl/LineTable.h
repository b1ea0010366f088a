#pragma once
// The starts of the display lines, plus a sentinel equal to the text length. After an edit the
// entries behind it are not rewritten: a pending shift is added to every entry from the shift
// line on when it is read, and for real only at commit (or when an edit lands before it).

#include "editctl/Block.h"

#include <cstdint>
#include <span>

namespace editctl {

class LineTable {
public:
    static constexpr int kSlack = 256;

    // One empty line: starts [0, 0], room for 256 entries.
    explicit LineTable(BlockAllocator& allocator);

    // Number of display lines (at least 1).
    int count() const noexcept { return count_; }
    // Entries allocated.
    int capacity() const noexcept { return static_cast<int>(starts_.capacity()); }
    // First entry the pending shift applies to, and the shift (0 and 0: none).
    int shiftLine() const noexcept { return shiftLine_; }
    int shift() const noexcept { return shift_; }

    // True start of `line` (0 <= line <= count(), count() giving the sentinel); -1 below 0.
    std::int64_t start(int line) const noexcept {
        if (line < 0) {
            return -1;
        }
        const std::int64_t stored = starts_[static_cast<std::size_t>(line)];
        return (shift_ != 0 && line >= shiftLine_) ? stored + shift_ : stored;
    }
    // The line whose start <= index < next start; an index at or past the last line's start
    // gives the last line, a negative one line 0.
    int lineOf(std::int64_t index) const noexcept;
    // The first line whose start is at or after `index` (count() when none).
    int firstLineAtOrAfter(std::int64_t index) const noexcept;

    // Adds the pending shift to its entries for real.
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
    // Sets the sentinel and the line count, and trims surplus capacity when a copy is possible.
    void finishRebuild(std::uint32_t length) noexcept;

    // Replaces entries [first, first + oldCount) by `starts` (true positions) and moves every
    // entry after them by `delta` through the pending shift. 1 <= first, first + oldCount <=
    // count(). Throws COomEx (unchanged) when the table must grow and cannot.
    void replace(int first, int oldCount, std::span<const std::uint32_t> starts, int delta);

    // Checks entry 0 is 0, starts strictly increase except a final empty line, the sentinel
    // equals `length`, and the counters fit the array; false when any is broken.
    bool checkInvariants(int length) const noexcept;

private:
    void trim() noexcept;

    BlockAllocator& allocator_;
    Block<std::uint32_t> starts_;
    int count_ = 1;
    int shiftLine_ = 0;
    int shift_ = 0;
};

} // namespace editctl
