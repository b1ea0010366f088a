#include "editctl/UndoHistory.h"

#include <algorithm>

namespace editctl {

namespace {

std::size_t slot(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

UndoHistory::UndoHistory(BlockAllocator& allocator)
    : allocator_(allocator), records_(allocator, kGrowth, true) {}

UndoHistory::~UndoHistory() {
    for (int i = 0; i < end_; ++i) {
        freeSlot(records_[slot(i)]);
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
    for (int i = 0; i < end_; ++i) {
        freeSlot(records_[slot(i)]);
    }
    records_ = std::move(fresh);
    position_ = 0;
    end_ = 0;
}

void UndoHistory::reserve(int records) {
    // One empty slot always stays after the last record, so at(position()) is always valid.
    const std::size_t needed = slot(position_) + slot(records) + 1;
    if (needed <= records_.capacity()) {
        return;
    }
    std::size_t grown = records_.capacity();
    while (grown < needed) {
        grown += std::max<std::size_t>(kGrowth, grown / 2);
    }
    Block<UndoRecord> bigger(allocator_, grown, true);
    std::copy_n(records_.data(), end_, bigger.data());
    records_ = std::move(bigger);
}

Block<char16_t> UndoHistory::copyText(std::span<const char16_t> chars) {
    Block<char16_t> text(allocator_, chars.size());
    std::copy(chars.begin(), chars.end(), text.data());
    return text;
}

void UndoHistory::push(UndoKind kind, int index, int length, Block<char16_t> text) noexcept {
    for (int i = position_; i < end_; ++i) {
        freeSlot(records_[slot(i)]);
    }
    UndoRecord& record = records_[slot(position_)];
    record.kind = kind;
    record.index = index;
    record.length = length;
    record.text = text.release();
    ++position_;
    end_ = position_;
}

void UndoHistory::setText(int i, Block<char16_t> text) noexcept {
    UndoRecord& record = records_[slot(i)];
    if (record.text != nullptr) {
        allocator_.deallocate(record.text,
                              static_cast<std::size_t>(record.length) * sizeof(char16_t));
    }
    record.text = text.release();
}

bool UndoHistory::checkInvariants() const noexcept {
    if (position_ < 0 || position_ > end_ || slot(end_) >= records_.capacity()) {
        return false;
    }
    for (int i = 0; i < end_; ++i) {
        const UndoRecord& record = records_[slot(i)];
        if (record.kind == UndoKind::Empty || record.length < 0 ||
            (record.kind == UndoKind::Deletion && record.length > 0 && record.text == nullptr)) {
            return false;
        }
    }
    return records_[slot(end_)].kind == UndoKind::Empty;
}

} // namespace editctl
