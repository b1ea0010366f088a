#pragma once
// The undo record array: records [0, position) can be undone, records [position, end) can be
// redone, and every slot from end on is empty. Growing and copying happen before any record
// changes, so a failed allocation leaves the history as it was. A push frees only the redo tail
// and the array grows by half its size, so a long session costs constant time per record.

#include "editctl/Block.h"
#include "editctl/UndoRecord.h"

#include <span>

namespace editctl {

class UndoHistory {
public:
    static constexpr int kGrowth = 256;

    explicit UndoHistory(BlockAllocator& allocator);
    ~UndoHistory();
    UndoHistory(const UndoHistory&) = delete;
    UndoHistory& operator=(const UndoHistory&) = delete;

    // A fresh array of 256 empty slots for clear(Block); throws COomEx.
    Block<UndoRecord> prepareClear();
    // Drops every record and continues in the prepared array.
    void clear(Block<UndoRecord> fresh) noexcept;
    // Both of the above; the old records stay when the fresh array cannot be had.
    void clear() { clear(prepareClear()); }
    // Ensures that `records` more pushes need no allocation; throws COomEx otherwise.
    void reserve(int records);
    // A copy of `chars` for a record's text; throws COomEx.
    Block<char16_t> copyText(std::span<const char16_t> chars);
    // Drops the redo tail and appends a record; needs a prior reserve(). Takes over `text`.
    void push(UndoKind kind, int index, int length, Block<char16_t> text) noexcept;

    // Records that can be undone.
    int position() const noexcept { return position_; }
    // Moves the undo position (undo and redo step it by one); 0 <= position <= end().
    void setPosition(int position) noexcept { position_ = position; }
    // One past the last record that can be redone (position() when there is none).
    int end() const noexcept { return end_; }
    // Slots in the array; the slot at position() is always present (and empty unless redo-able).
    int capacity() const noexcept { return static_cast<int>(records_.capacity()); }
    // The record in slot i (0 <= i < capacity()).
    const UndoRecord& at(int i) const noexcept { return records_[static_cast<std::size_t>(i)]; }
    // Gives record i its text (an insertion's characters, kept for redo).
    void setText(int i, Block<char16_t> text) noexcept;
    // True when record position() can be redone.
    bool canRedo() const noexcept { return position_ < end_; }
    // Checks that exactly the slots before end() hold records and the position lies within
    // them; false when broken.
    bool checkInvariants() const noexcept;

private:
    void freeSlot(UndoRecord& record) noexcept;

    BlockAllocator& allocator_;
    Block<UndoRecord> records_;
    int position_ = 0;
    int end_ = 0;
};

} // namespace editctl
