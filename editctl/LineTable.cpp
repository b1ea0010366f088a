#include "editctl/LineTable.h"

#include <algorithm>
#include <cstring>

namespace editctl {

namespace {

std::size_t entries(int count) {
    return static_cast<std::size_t>(count);
}

} // namespace

LineTable::LineTable(BlockAllocator& allocator)
    : allocator_(allocator), starts_(allocator, kSlack, true) {}

int LineTable::lineOf(std::int64_t index) const noexcept {
    int lo = 0;
    int hi = count_ - 1;
    while (lo < hi) {
        const int mid = lo + (hi - lo + 1) / 2;
        if (start(mid) <= index) {
            lo = mid;
        } else {
            hi = mid - 1;
        }
    }
    return lo;
}

int LineTable::firstLineAtOrAfter(std::int64_t index) const noexcept {
    int lo = 0;
    int hi = count_;
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (start(mid) >= index) {
            hi = mid;
        } else {
            lo = mid + 1;
        }
    }
    return lo;
}

void LineTable::applyShift() noexcept {
    if (shift_ != 0) {
        for (int i = shiftLine_; i <= count_; ++i) {
            starts_[entries(i)] += static_cast<std::uint32_t>(shift_);
        }
    }
    shift_ = 0;
    shiftLine_ = 0;
}

Block<std::uint32_t> LineTable::prepareReset() {
    return Block<std::uint32_t>(allocator_, kSlack, true);
}

void LineTable::resetSingleLine(int length, Block<std::uint32_t> fresh) noexcept {
    fresh[0] = 0;
    fresh[1] = static_cast<std::uint32_t>(length);
    starts_ = std::move(fresh);
    count_ = 1;
    shift_ = 0;
    shiftLine_ = 0;
}

void LineTable::beginRebuild() noexcept {
    shift_ = 0;
    shiftLine_ = 0;
    starts_[0] = 0;
    count_ = 1;
}

void LineTable::appendStart(std::uint32_t start, std::size_t growBy, std::uint32_t length) {
    // Room is kept for this entry and the sentinel after it.
    if (entries(count_) + 2 > starts_.capacity()) {
        try {
            Block<std::uint32_t> bigger(allocator_,
                                        starts_.capacity() + std::max<std::size_t>(growBy, kSlack));
            std::copy_n(starts_.data(), count_, bigger.data());
            starts_ = std::move(bigger);
        } catch (...) {
            finishRebuild(length);
            throw;
        }
    }
    starts_[entries(count_)] = start;
    ++count_;
}

void LineTable::finishRebuild(std::uint32_t length) noexcept {
    starts_[entries(count_)] = length;
    trim();
}

void LineTable::replace(int first, int oldCount, std::span<const std::uint32_t> starts, int delta) {
    const int added = static_cast<int>(starts.size());
    const int oldEnd = first + oldCount;
    const int newCount = count_ - oldCount + added;
    Block<std::uint32_t> bigger;
    if (newCount + 1 > capacity()) {
        bigger = Block<std::uint32_t>(allocator_, entries(newCount + kSlack + 1));
    }
    // From here on nothing can fail. First make the old shift cover exactly [oldEnd, count].
    if (shift_ != 0) {
        if (shiftLine_ < first) {
            for (int i = shiftLine_; i < first; ++i) {
                starts_[entries(i)] += static_cast<std::uint32_t>(shift_);
            }
        } else if (shiftLine_ > oldEnd) {
            // An edit in front of the shifted region: settle the old shift everywhere.
            applyShift();
        }
        if (shift_ != 0) {
            shiftLine_ = oldEnd;
        }
    }
    const int tail = count_ - oldEnd + 1; // the sentinel comes along
    if (bigger) {
        std::copy_n(starts_.data(), first, bigger.data());
        std::copy_n(starts_.data() + oldEnd, tail, bigger.data() + first + added);
        starts_ = std::move(bigger);
    } else if (added != oldCount) {
        std::memmove(starts_.data() + first + added, starts_.data() + oldEnd,
                     entries(tail) * sizeof(std::uint32_t));
    }
    std::copy(starts.begin(), starts.end(), starts_.data() + first);
    count_ = newCount;
    shift_ += delta;
    shiftLine_ = shift_ != 0 ? first + added : 0;
    trim();
}

void LineTable::trim() noexcept {
    if (count_ + 1 < capacity() - kSlack) {
        if (starts_.shrinkInPlace(entries(count_ + kSlack + 1))) {
            return;
        }
        try {
            Block<std::uint32_t> smaller(allocator_, entries(count_ + kSlack + 1));
            std::copy_n(starts_.data(), count_ + 1, smaller.data());
            starts_ = std::move(smaller);
        } catch (const COomEx&) {
            // The larger table simply stays.
        }
    }
}

bool LineTable::checkInvariants(int length) const noexcept {
    if (!starts_ || count_ < 1 || count_ + 1 > capacity() || starts_[0] != 0) {
        return false;
    }
    if (shift_ == 0 ? shiftLine_ != 0 : (shiftLine_ < 1 || shiftLine_ > count_)) {
        return false;
    }
    for (int i = 1; i < count_; ++i) {
        if (start(i) <= start(i - 1)) {
            return false;
        }
    }
    return start(count_ - 1) <= start(count_) && start(count_) == length;
}

} // namespace editctl
