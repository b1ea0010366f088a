#pragma once
// The document as one UTF-16 array (the base text) plus at most one pending edit: an insertion
// held aside in a side buffer, or a deletion remembered as a range of the base text. Typing and
// deleting therefore cost no move of the array; commit() merges the pending edit. The logical
// text is what every reader sees; all indices here are logical unless named "base".
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
    static constexpr int kSideChunk = 256;
    // Longest text the store accepts: indices and capacities must fit 32-bit counters.
    static constexpr int kMaxLength = 0x7FFF0000;

    // A contiguous piece of the logical text starting at logical index `start`.
    struct Span {
        const char16_t* data = nullptr;
        int length = 0;
        int start = 0;
    };
    // The logical text from some index on, as up to three contiguous pieces.
    struct Spans {
        std::array<Span, 3> parts{};
        int count = 0;
    };
    // The pending-edit counters, for taking a failed edit back.
    struct Pending {
        int insertionPoint = -1;
        int sideLength = 0;
        int overwritten = 0;
        int deletionPoint = -1;
        int deletionCount = 0;
    };

    // An empty text in a base array of 1024 characters and a 256-character side buffer.
    explicit TextStore(BlockAllocator& allocator);

    // Logical length in characters.
    int length() const noexcept {
        return baseLength_ + pending_.sideLength - pending_.overwritten - pending_.deletionCount;
    }
    // The character at logical index i (0 <= i < length()).
    char16_t at(int i) const noexcept;
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
    // Puts the pending-edit counters back as they were (the side buffer's capacity may stay).
    void restorePending(const Pending& saved) noexcept { pending_ = saved; }

    // Base and side buffers, as the paint and undo code read them.
    const char16_t* baseText() const noexcept { return base_.data(); }
    int baseLength() const noexcept { return baseLength_; }
    int baseCapacity() const noexcept { return static_cast<int>(base_.capacity()); }
    const char16_t* sideText() const noexcept { return side_.data(); }
    int sideCapacity() const noexcept { return static_cast<int>(side_.capacity()); }

    // Appends `chars` to the pending insertion at logical index `at`, replacing `replaced`
    // characters after it (overwrite mode; more than it appends, or with nothing appended, when
    // a run of edits is gathered into one), then cases them. Needs no pending deletion, and a
    // pending insertion must end at `at`. A larger side buffer comes from `reserved` when it is
    // given and big enough, else it is allocated: then COomEx (nothing changed) when full.
    void append(std::u16string_view chars, int at, int replaced, CaseMode mode,
                Block<char16_t>* reserved = nullptr);
    // A buffer big enough to hold `count` characters in the side buffer, made before an edit
    // that must not fail halfway; empty when the side buffer will have room anyway: the
    // current one when the pending insertion `continues`, else a fresh one after a commit.
    Block<char16_t> reserveSide(std::size_t count, bool continues);
    // Makes the base array hold `length` characters, so that a commit up to that length needs
    // no allocation; throws COomEx (nothing changed).
    void reserveBase(int length);
    // True when [d, c) may grow the pending deletion (none pending, or it starts at d or c).
    bool deletionAdjoins(int d, int c) const noexcept;
    // Removes [d, c) by growing the pending deletion; needs no pending insertion and
    // deletionAdjoins(d, c). Out-of-range requests do nothing and return false.
    bool erase(int d, int c) noexcept;
    // Merges the pending edit into the base text, recording undo records in `history` when it
    // is not null. Throws COomEx (nothing changed) when the records or a larger array cannot be
    // had; a shrink that fails just keeps the larger array.
    void commit(UndoHistory* history);
    // A new text copied and cased into its own arrays, ready to take the place of the old one.
    struct Replacement {
        Block<char16_t> base;
        Block<char16_t> side;
        int length = 0;
    };
    // Copies `text` (at most kMaxLength characters) into fresh arrays; throws COomEx.
    Replacement prepareReplace(std::u16string_view text, CaseMode mode);
    // Makes a prepared text the whole text; no pending edit afterwards.
    void replaceAll(Replacement replacement) noexcept;

    // Checks the structural rules (terminator, counters within capacities, at most one pending
    // edit and within the base text); false when any is broken.
    bool checkInvariants() const noexcept;

private:
    BlockAllocator& allocator_;
    Block<char16_t> base_;
    int baseLength_ = 0;
    Block<char16_t> side_;
    Pending pending_;
};

} // namespace editctl
