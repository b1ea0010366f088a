#include "editctl/UndoHistory.h"

#include <algorithm>

namespace editctl {

UndoHistory::UndoHistory(BlockAllocator& allocator)
    : allocator_(allocator), records_(allocator, kGrowth, true) {}

UndoHistory::~UndoHistory() {
    for (std::size_t i = 0; i < records_.capacity(); ++i) {
        freeSlot(records_[i]);
    }
}

void UndoHistory::freeSlot(UndoRecord& record) noexcept {
    if (record.text != nullptr) {
        allocator_.deallocate(record.text,
                              static_cast<std::size_t>(record.length) * sizeof(char16_t));
    }
    record = UndoRecord{};
}

Block<UndoRecord> UndoHistory::prepareClear() {
    return Block<UndoRecord>(allocator_, kGrowth, true);
}

void UndoHistory::clear(Block<UndoRecord> fresh) noexcept {
    for (std::size_t i = 0; i < records_.capacity(); ++i) {
        freeSlot(records_[i]);
    }
    records_ = std::move(fresh);
    position_ = 0;
}

void UndoHistory::reserve(int records) {
    // One empty slot always stays after the last record, so at(position()) is always valid.
    const auto needed = static_cast<std::size_t>(position_) + static_cast<std::size_t>(records) + 1;
    if (needed <= records_.capacity()) {
        return;
    }
    std::size_t grown = records_.capacity();
    while (grown < needed) {
        grown += kGrowth;
    }
    Block<UndoRecord> bigger(allocator_, grown, true);
    std::copy_n(records_.data(), records_.capacity(), bigger.data());
    records_.reset();
    records_ = std::move(bigger);
}

Block<char16_t> UndoHistory::copyText(std::span<const char16_t> chars) {
    Block<char16_t> text(allocator_, chars.size());
    std::copy(chars.begin(), chars.end(), text.data());
    return text;
}

void UndoHistory::push(UndoKind kind, int index, int length, Block<char16_t> text) noexcept {
    // The redo tail ends at the first empty slot: every slot after it is empty already, so a
    // long run of pushes into reserved room costs nothing per push.
    for (std::size_t i = static_cast<std::size_t>(position_);
         i < records_.capacity() && records_[i].kind != UndoKind::Empty; ++i) {
        freeSlot(records_[i]);
    }
    UndoRecord& record = records_[static_cast<std::size_t>(position_)];
    record.kind = kind;
    record.index = index;
    record.length = length;
    record.text = text.release();
    ++position_;
}

void UndoHistory::setText(int i, Block<char16_t> text) noexcept {
    UndoRecord& record = records_[static_cast<std::size_t>(i)];
    if (record.text != nullptr) {
        allocator_.deallocate(record.text,
                              static_cast<std::size_t>(record.length) * sizeof(char16_t));
    }
    record.text = text.release();
}

} // namespace editctl
