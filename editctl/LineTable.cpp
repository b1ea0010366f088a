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
    : allocator_(allocator), starts_(allocator, kSlack, true), gapLength_(kSlack - 2) {}

int LineTable::slackFor(int count) noexcept {
    return std::max(int{kSlack}, count / 16);
}

template <class Below> int LineTable::firstNotBelow(int size, Below below) const noexcept {
    // Lookups cluster around the last edit, where the gap is: gallop outward from it, then
    // bisect what the gallop fenced in.
    int lo = 0;
    int hi = size; // the answer lies in [lo, hi]
    const int gap = std::clamp(gapStart_, 0, size);
    std::int64_t step = 1;
    if (gap < size && below(start(gap))) {
        lo = gap + 1;
        while (step <= size - lo && below(start(lo + static_cast<int>(step) - 1))) {
            lo += static_cast<int>(step);
            step *= 2;
        }
        hi = static_cast<int>(std::min<std::int64_t>(lo + step - 1, size));
    } else {
        hi = gap;
        while (step <= hi && !below(start(hi - static_cast<int>(step)))) {
            hi -= static_cast<int>(step);
            step *= 2;
        }
        lo = static_cast<int>(std::max<std::int64_t>(hi - step + 1, 0));
    }
    while (lo < hi) {
        const int mid = lo + (hi - lo) / 2;
        if (below(start(mid))) {
            lo = mid + 1;
        } else {
            hi = mid;
        }
    }
    return lo;
}

int LineTable::lineOf(std::int64_t index) const noexcept {
    const int after = firstNotBelow(count_, [index](std::int64_t s) { return s <= index; });
    return std::max(after - 1, 0);
}

int LineTable::firstLineAtOrAfter(std::int64_t index) const noexcept {
    return firstNotBelow(count_, [index](std::int64_t s) { return s < index; });
}

void LineTable::moveGap(int line) noexcept {
    std::uint32_t* const data = starts_.data();
    const auto shift = static_cast<std::uint32_t>(shift_);
    const auto gap = entries(gapLength_);
    if (line < gapStart_) {
        // Entries [line, gapStart_) go behind the gap, stored without the shift.
        if (shift == 0) {
            std::memmove(data + line + gap, data + line,
                         entries(gapStart_ - line) * sizeof(std::uint32_t));
        } else {
            for (int i = gapStart_ - 1; i >= line; --i) {
                data[entries(i) + gap] = data[i] - shift;
            }
        }
    } else if (line > gapStart_) {
        if (shift == 0) {
            std::memmove(data + gapStart_, data + gapStart_ + gap,
                         entries(line - gapStart_) * sizeof(std::uint32_t));
        } else {
            for (int i = gapStart_; i < line; ++i) {
                data[i] = data[entries(i) + gap] + shift;
            }
        }
    }
    gapStart_ = line;
}

void LineTable::applyShift() noexcept {
    moveGap(count_ + 1);
    shift_ = 0;
}

Block<std::uint32_t> LineTable::prepareReset() {
    return Block<std::uint32_t>(allocator_, kSlack, true);
}

void LineTable::resetSingleLine(int length, Block<std::uint32_t> fresh) noexcept {
    fresh[0] = 0;
    fresh[1] = static_cast<std::uint32_t>(length);
    starts_ = std::move(fresh);
    count_ = 1;
    gapStart_ = 2;
    gapLength_ = capacity() - 2;
    shift_ = 0;
    unsettledCount_ = 0;
}

void LineTable::beginRebuild() noexcept {
    // Entries are written in order from the front; the gap stays behind them.
    shift_ = 0;
    starts_[0] = 0;
    count_ = 1;
    unsettledCount_ = 0;
}

void LineTable::roomToAppend(std::size_t more, std::size_t growBy, std::uint32_t length) {
    // Room is kept for the entries and the sentinel after them.
    if (entries(count_) + more + 1 > starts_.capacity()) {
        try {
            Block<std::uint32_t> bigger(
                allocator_, starts_.capacity() + std::max<std::size_t>({growBy, kSlack, more}));
            std::copy_n(starts_.data(), count_, bigger.data());
            starts_ = std::move(bigger);
        } catch (...) {
            finishRebuild(length);
            throw;
        }
    }
}

void LineTable::appendStart(std::uint32_t start, std::size_t growBy, std::uint32_t length) {
    roomToAppend(1, growBy, length);
    starts_[entries(count_)] = start;
    ++count_;
}

void LineTable::appendStarts(std::span<const std::uint32_t> starts, std::size_t growBy,
                             std::uint32_t length) {
    roomToAppend(starts.size(), growBy, length);
    std::copy(starts.begin(), starts.end(), starts_.data() + entries(count_));
    count_ += static_cast<int>(starts.size());
}

void LineTable::finishRebuild(std::uint32_t length) noexcept {
    starts_[entries(count_)] = length;
    gapStart_ = count_ + 1;
    gapLength_ = capacity() - (count_ + 1);
    trim();
}

void LineTable::replace(int first, int oldCount, std::span<const std::uint32_t> starts, int delta,
                        bool lastUnsettled) {
    const int added = static_cast<int>(starts.size());
    if (added == oldCount && delta == 0) {
        // Settling re-breaks lines without moving the text: overwrite where the entries lie,
        // leaving the gap at the last edit.
        for (int k = 0; k < added; ++k) {
            const int line = first + k;
            const std::uint32_t value = starts[static_cast<std::size_t>(k)];
            if (line < gapStart_) {
                starts_[entries(line)] = value;
            } else {
                starts_[entries(line + gapLength_)] = value - static_cast<std::uint32_t>(shift_);
            }
        }
        updateMarks(first - 1, first + oldCount - 1, 0, lastUnsettled ? first - 1 + added : -1);
        return;
    }
    const int newCount = count_ - oldCount + added;
    if (gapLength_ + oldCount < added) {
        // Everything that can fail comes first: the table is unchanged if it does.
        const int newCapacity = newCount + 1 + slackFor(newCount);
        Block<std::uint32_t> bigger(allocator_, entries(newCapacity));
        moveGap(first);
        const int behind = count_ + 1 - first; // entries after the gap, the sentinel included
        std::copy_n(starts_.data(), first, bigger.data());
        std::copy_n(starts_.data() + first + gapLength_, behind,
                    bigger.data() + newCapacity - behind);
        starts_ = std::move(bigger);
        gapLength_ = newCapacity - (count_ + 1);
    } else {
        moveGap(first);
    }
    // The replaced entries are the first ones behind the gap; the new ones go in front of it.
    gapLength_ += oldCount;
    std::copy(starts.begin(), starts.end(), starts_.data() + first);
    gapStart_ = first + added;
    gapLength_ -= added;
    count_ = newCount;
    shift_ += delta;
    updateMarks(first - 1, first + oldCount - 1, added - oldCount,
                lastUnsettled ? first - 1 + added : -1);
    trim();
}

void LineTable::updateMarks(int from, int to, int by, int add) noexcept {
    const std::array<int, kMaxUnsettled> old = unsettled_;
    int kept = 0;
    bool added = add < 0;
    for (int k = 0; k < unsettledCount_; ++k) {
        const int line = old[static_cast<std::size_t>(k)];
        if (line >= from && line <= to) {
            continue;
        }
        const int moved = line > to ? line + by : line;
        if (!added && add < moved) {
            unsettled_[static_cast<std::size_t>(kept++)] = add;
            added = true;
        }
        unsettled_[static_cast<std::size_t>(kept++)] = moved;
    }
    if (!added) {
        unsettled_[static_cast<std::size_t>(kept++)] = add;
    }
    unsettledCount_ = kept;
}

void LineTable::trim() noexcept {
    const int slack = slackFor(count_);
    if (gapLength_ <= 2 * slack) {
        return;
    }
    const int newCapacity = count_ + 1 + slack;
    const int behind = count_ + 1 - gapStart_; // entries after the gap, the sentinel included
    std::uint32_t* const data = starts_.data();
    if (allocator_.isMapped(data)) {
        // A mapped table closes its gap down to the slack and gives its tail pages back.
        std::memmove(data + gapStart_ + slack, data + gapStart_ + gapLength_,
                     entries(behind) * sizeof(std::uint32_t));
        if (starts_.shrinkInPlace(entries(newCapacity))) {
            gapLength_ = slack;
        } else {
            std::memmove(data + gapStart_ + gapLength_, data + gapStart_ + slack,
                         entries(behind) * sizeof(std::uint32_t));
        }
        return;
    }
    try {
        Block<std::uint32_t> smaller(allocator_, entries(newCapacity));
        std::copy_n(data, gapStart_, smaller.data());
        std::copy_n(data + gapStart_ + gapLength_, behind, smaller.data() + gapStart_ + slack);
        starts_ = std::move(smaller);
        gapLength_ = slack;
    } catch (const COomEx&) {
        // The larger table simply stays.
    }
}

bool LineTable::checkInvariants(int length) const noexcept {
    if (!starts_ || count_ < 1 || count_ + 1 + gapLength_ != capacity() || gapLength_ < 0 ||
        gapStart_ < 1 || gapStart_ > count_ + 1 || start(0) != 0) {
        return false;
    }
    for (int i = 1; i < count_; ++i) {
        if (start(i) <= start(i - 1)) {
            return false;
        }
    }
    for (int k = 0; k < unsettledCount_; ++k) {
        const int line = unsettled_[static_cast<std::size_t>(k)];
        if (line < 0 || line >= count_ ||
            (k > 0 && line <= unsettled_[static_cast<std::size_t>(k - 1)])) {
            return false;
        }
    }
    return start(count_ - 1) <= start(count_) && start(count_) == length;
}

} // namespace editctl
