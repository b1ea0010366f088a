#pragma once
// The document as one UTF-16 array with a gap at the last edit, plus at most one pending edit:
// an insertion, whose characters are written into the gap and so sit just in front of it, or a
// deletion, whose characters are still kept just behind the gap. Typed characters and deleted
// ones therefore cost no move of the array, and merging the pending edit (commit(), which
// records it for undo) costs only the edit itself; moving the gap to another place costs the
// characters it passes. The logical text is what every reader sees; all indices here are
// logical unless named otherwise.
//
// Every operation that can fail allocates before it changes anything, so after a COomEx the
// store holds exactly the text it held before.

#include "editctl/Block.h"
#include "editctl/CaseMapping.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace editctl {

class UndoHistory;

class TextStore {
public:
    static constexpr int kBaseSlack = 1024;
    // Longest text the store accepts: indices and capacities must fit 32-bit counters.
    static constexpr int kMaxLength = 0x7FFF0000;

    // A contiguous piece of the logical text starting at logical index `start`.
    struct Span {
        const char16_t* data = nullptr;
        int length = 0;
        int start = 0;
    };
    // The logical text from some index on, as up to two contiguous pieces (they meet where
    // the gap and a pending edit lie).
    struct Spans {
        std::array<Span, 2> parts{};
        int count = 0;
    };
    // The pending-edit counters, for taking a failed edit back.
    struct Pending {
        int insertionPoint = -1;
        int insertedLength = 0;
        int overwritten = 0; // characters after the insertion point it replaces
        int deletionPoint = -1;
        int deletionCount = 0;
    };

    // An empty text in an array of 1024 characters.
    explicit TextStore(BlockAllocator& allocator);

    // Logical length in characters.
    int length() const noexcept { return stored_ - hidden(); }
    // The character at logical index i (0 <= i < length()).
    char16_t at(int i) const noexcept {
        const char16_t* base = base_.data();
        return i < gapStart_ ? base[i] : base[i + gapLength_ + hidden()];
    }
    // The logical text from index i (0 <= i <= length()) to the end, in pieces.
    Spans spansFrom(int i) const noexcept;
    // Copies `count` logical characters from `start` to `out`.
    void copyOut(int start, int count, char16_t* out) const noexcept;
    // The logical text [start, start + count) as a string (for tests and small reads).
    std::u16string substr(int start, int count) const;

    // Pending-edit state.
    bool hasPendingInsertion() const noexcept { return pending_.insertionPoint >= 0; }
    bool hasPendingDeletion() const noexcept { return pending_.deletionPoint >= 0; }
    bool hasPendingEdit() const noexcept { return hasPendingInsertion() || hasPendingDeletion(); }
    const Pending& pending() const noexcept { return pending_; }
    // Takes back what append() or erase() added to the pending edit since `saved` was read.
    void restorePending(const Pending& saved) noexcept;

    // Committed characters (a pending insertion not counted, a pending deletion counted).
    int baseLength() const noexcept { return stored_ - pending_.insertedLength; }
    // Characters the array holds, the gap and the terminator included.
    int baseCapacity() const noexcept { return static_cast<int>(base_.capacity()); }
    // The whole text contiguous and zero-terminated, valid until the next change; moves the
    // gap to the end. Needs no pending edit.
    const char16_t* contiguousText() noexcept;

    // Appends `chars` to the pending insertion at logical index `at`, replacing `replaced`
    // characters after it (overwrite mode), then cases them. Needs no pending deletion, and a
    // pending insertion must end at `at`. Throws COomEx (nothing changed) when the array must
    // grow and cannot.
    void append(std::u16string_view chars, int at, int replaced, CaseMode mode);
    // Makes the gap at least `room` characters wide now, so that the edits that follow need no
    // larger array; throws COomEx (nothing changed) when it cannot be had.
    void reserve(int room);
    // True when [d, c) may grow the pending deletion (none pending, or it starts at d or c).
    bool deletionAdjoins(int d, int c) const noexcept;
    // Removes [d, c) by growing the pending deletion; needs no pending insertion and
    // deletionAdjoins(d, c). Out-of-range requests do nothing and return false.
    bool erase(int d, int c) noexcept;
    // Merges the pending edit into the text, recording undo records in `history` when it is
    // not null. Throws COomEx (nothing changed) when the records cannot be had; a shrink that
    // fails just keeps the larger array.
    void commit(UndoHistory* history);
    // A new text copied and cased into its own array, ready to take the place of the old one.
    struct Replacement {
        Block<char16_t> base;
        int length = 0;
    };
    // Copies `text` (at most kMaxLength characters) into a fresh array; throws COomEx.
    Replacement prepareReplace(std::u16string_view text, CaseMode mode);
    // Makes a prepared text the whole text; no pending edit afterwards.
    void replaceAll(Replacement replacement) noexcept;

    // Checks the structural rules (terminator, gap and counters within the array, at most one
    // pending edit and it at the gap); false when any is broken.
    bool checkInvariants() const noexcept;

private:
    // Characters behind the gap that the pending edit has taken out of the logical text.
    int hidden() const noexcept { return pending_.overwritten + pending_.deletionCount; }
    // Room kept beyond the text: 1024 characters, or a sixteenth of a large text, so growing
    // and shrinking a large array cost constant time per character on average.
    static int slackFor(int length) noexcept;
    // Moves the gap to stored index `to`, carrying the characters between across it.
    void moveGap(int to) noexcept;
    // Makes the gap at least `room` characters wide in a larger array; throws COomEx.
    void growGap(int room);
    // Gives surplus room back after a deletion.
    void shrinkGap() noexcept;

    BlockAllocator& allocator_;
    Block<char16_t> base_;
    int stored_ = 0;    // characters in the array outside the gap
    int gapStart_ = 0;  // stored characters in front of the gap
    int gapLength_ = 0; // base capacity - stored - 1 (the terminator is the last slot)
    Pending pending_;
};

} // namespace editctl
