#include "editctl/TextStore.h"

#include "editctl/UndoHistory.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace editctl {

namespace {

std::size_t units(int count) {
    return static_cast<std::size_t>(count);
}

} // namespace

TextStore::TextStore(BlockAllocator& allocator)
    : allocator_(allocator), base_(allocator, kBaseSlack), gapLength_(kBaseSlack - 1) {
    base_[units(kBaseSlack - 1)] = 0;
}

int TextStore::slackFor(int length) noexcept {
    return std::max(int{kBaseSlack}, length / 16);
}

TextStore::Spans TextStore::spansFrom(int i) const noexcept {
    Spans spans;
    auto add = [&spans](const char16_t* data, int length, int start) {
        if (length > 0) {
            spans.parts[static_cast<std::size_t>(spans.count++)] = Span{data, length, start};
        }
    };
    const char16_t* base = base_.data();
    if (i < gapStart_) {
        add(base + i, gapStart_ - i, i);
    }
    const int from = std::max(i, gapStart_);
    add(base + from + gapLength_ + hidden(), length() - from, from);
    return spans;
}

void TextStore::copyOut(int start, int count, char16_t* out) const noexcept {
    const Spans spans = spansFrom(start);
    for (int k = 0; k < spans.count && count > 0; ++k) {
        const Span& span = spans.parts[static_cast<std::size_t>(k)];
        const int take = std::min(count, span.length);
        std::copy_n(span.data, take, out);
        out += take;
        count -= take;
    }
}

std::u16string TextStore::substr(int start, int count) const {
    std::u16string result(units(count), u'\0');
    copyOut(start, count, result.data());
    return result;
}

void TextStore::moveGap(int to) noexcept {
    char16_t* const base = base_.data();
    if (to < gapStart_) {
        std::memmove(base + to + gapLength_, base + to, units(gapStart_ - to) * sizeof(char16_t));
    } else if (to > gapStart_) {
        std::memmove(base + gapStart_, base + gapStart_ + gapLength_,
                     units(to - gapStart_) * sizeof(char16_t));
    }
    gapStart_ = to;
}

void TextStore::growGap(int room) {
    const long long needed = static_cast<long long>(stored_) + room + 1;
    if (needed > std::numeric_limits<int>::max()) {
        throw COomEx(units(room) * sizeof(char16_t));
    }
    const long long wanted = needed + slackFor(static_cast<int>(needed));
    const int capacity = static_cast<int>(
        std::min<long long>(wanted, std::max<long long>(needed, kMaxLength + kBaseSlack + 1)));
    const int behind = stored_ - gapStart_ + 1; // the terminator comes along
    if (base_.growMapped(units(capacity))) {
        // The pages came along without a copy; only what lies behind the gap moves.
        char16_t* const base = base_.data();
        std::memmove(base + capacity - behind, base + gapStart_ + gapLength_,
                     units(behind) * sizeof(char16_t));
        gapLength_ = capacity - stored_ - 1;
        return;
    }
    Block<char16_t> bigger(allocator_, units(capacity));
    std::copy_n(base_.data(), gapStart_, bigger.data());
    std::copy_n(base_.data() + gapStart_ + gapLength_, behind, bigger.data() + capacity - behind);
    base_ = std::move(bigger);
    gapLength_ = capacity - stored_ - 1;
}

void TextStore::shrinkGap() noexcept {
    const int length = stored_;
    char16_t* const base = base_.data();
    const int behind = stored_ - gapStart_ + 1; // the terminator comes along
    if (allocator_.isMapped(base)) {
        // A large array shrinks where it lies, once its surplus has grown well past the
        // slack: the characters behind the gap move up and the tail pages go back.
        const int slack = slackFor(length);
        if (gapLength_ <= 2 * slack) {
            return;
        }
        std::memmove(base + gapStart_ + slack, base + gapStart_ + gapLength_,
                     units(behind) * sizeof(char16_t));
        if (base_.shrinkInPlace(units(length + slack + 1))) {
            gapLength_ = slack;
        } else {
            std::memmove(base + gapStart_ + gapLength_, base + gapStart_ + slack,
                         units(behind) * sizeof(char16_t));
        }
        return;
    }
    if (gapLength_ <= kBaseSlack) {
        return;
    }
    try {
        Block<char16_t> smaller(allocator_, units(length + kBaseSlack + 1));
        std::copy_n(base, gapStart_, smaller.data());
        std::copy_n(base + gapStart_ + gapLength_, behind, smaller.data() + gapStart_ + kBaseSlack);
        base_ = std::move(smaller);
        gapLength_ = kBaseSlack;
    } catch (const COomEx&) {
        // Keeping the larger array loses nothing.
    }
}

const char16_t* TextStore::contiguousText() noexcept {
    moveGap(stored_);
    base_[units(stored_)] = 0;
    return base_.data();
}

void TextStore::restorePending(const Pending& saved) noexcept {
    if (hasPendingInsertion()) {
        // The characters appended since then are dropped back into the gap.
        const int appended = pending_.insertedLength - std::max(saved.insertedLength, 0);
        gapStart_ -= appended;
        gapLength_ += appended;
        stored_ -= appended;
    } else if (hasPendingDeletion() && saved.deletionPoint > gapStart_) {
        // A deletion grown at its front gets its characters back in front of the gap.
        moveGap(saved.deletionPoint);
    }
    pending_ = saved;
}

void TextStore::append(std::u16string_view chars, int at, int replaced, CaseMode mode) {
    const auto n = static_cast<long long>(chars.size());
    if (n == 0) {
        return;
    }
    if (static_cast<long long>(length()) + n - replaced > kMaxLength) {
        throw COomEx(chars.size() * sizeof(char16_t));
    }
    const int count = static_cast<int>(n);
    if (!hasPendingInsertion()) {
        moveGap(at);
    }
    if (gapLength_ < count) {
        growGap(count);
    }
    char16_t* dest = base_.data() + gapStart_;
    std::copy(chars.begin(), chars.end(), dest);
    applyCase(std::span<char16_t>(dest, units(count)), mode);
    if (pending_.insertionPoint < 0) {
        pending_.insertionPoint = at;
    }
    gapStart_ += count;
    gapLength_ -= count;
    stored_ += count;
    pending_.insertedLength += count;
    pending_.overwritten += replaced;
}

void TextStore::reserve(int room) {
    if (gapLength_ < room) {
        growGap(room);
    }
}

bool TextStore::deletionAdjoins(int d, int c) const noexcept {
    return pending_.deletionPoint < 0 || pending_.deletionPoint == d || pending_.deletionPoint == c;
}

bool TextStore::erase(int d, int c) noexcept {
    if (d < 0 || c <= d || c > length() || hasPendingInsertion() || !deletionAdjoins(d, c)) {
        return false;
    }
    // Delete grows the deletion behind its point, where the gap already is; Backspace grows it
    // in front, carrying the characters across the gap to join those already deleted.
    if (pending_.deletionPoint != d) {
        moveGap(d);
    }
    pending_.deletionPoint = d;
    pending_.deletionCount += c - d;
    return true;
}

void TextStore::commit(UndoHistory* history) {
    const char16_t* behindGap = base_.data() + gapStart_ + gapLength_;
    if (pending_.deletionPoint >= 0) {
        const int q = pending_.deletionPoint;
        const int d = pending_.deletionCount;
        Block<char16_t> recordText;
        if (history != nullptr) {
            history->reserve(1);
            recordText = history->copyText(std::span<const char16_t>(behindGap, units(d)));
        }
        gapLength_ += d;
        stored_ -= d;
        pending_ = Pending{};
        shrinkGap();
        if (history != nullptr) {
            history->push(UndoKind::Deletion, q, d, std::move(recordText));
        }
        return;
    }
    if (pending_.insertionPoint < 0) {
        return;
    }
    const int p = pending_.insertionPoint;
    const int inserted = pending_.insertedLength;
    const int ow = pending_.overwritten;
    Block<char16_t> overwrittenText;
    if (history != nullptr) {
        history->reserve(ow > 0 ? 2 : 1);
        if (ow > 0) {
            overwrittenText = history->copyText(std::span<const char16_t>(behindGap, units(ow)));
        }
    }
    gapLength_ += ow;
    stored_ -= ow;
    pending_ = Pending{};
    if (ow > 0) {
        shrinkGap();
    }
    if (history != nullptr) {
        if (ow > 0) {
            history->push(UndoKind::Deletion, p, ow, std::move(overwrittenText));
        }
        if (inserted > 0) {
            history->push(UndoKind::Insertion, p, inserted, Block<char16_t>{});
        }
    }
}

TextStore::Replacement TextStore::prepareReplace(std::u16string_view text, CaseMode mode) {
    if (text.size() > static_cast<std::size_t>(kMaxLength)) {
        throw COomEx(text.size() * sizeof(char16_t));
    }
    const int n = static_cast<int>(text.size());
    Replacement replacement{Block<char16_t>(allocator_, units(n + kBaseSlack + 1)), n};
    char16_t* base = replacement.base.data();
    std::copy(text.begin(), text.end(), base);
    applyCase(std::span<char16_t>(base, units(n)), mode);
    // The terminator is written here rather than taken from the caller, who may not have one.
    base[n + kBaseSlack] = 0;
    return replacement;
}

void TextStore::replaceAll(Replacement replacement) noexcept {
    base_ = std::move(replacement.base);
    stored_ = replacement.length;
    gapStart_ = stored_;
    gapLength_ = baseCapacity() - stored_ - 1;
    pending_ = Pending{};
}

bool TextStore::checkInvariants() const noexcept {
    if (!base_ || stored_ < 0 || gapStart_ < 0 || gapStart_ > stored_ || gapLength_ < 0 ||
        static_cast<long long>(stored_) + gapLength_ + 1 != baseCapacity() ||
        base_[units(baseCapacity() - 1)] != 0) {
        return false;
    }
    const Pending& p = pending_;
    if (p.insertedLength < 0 || p.overwritten < 0 || p.deletionCount < 0 ||
        (p.insertionPoint >= 0 && p.deletionPoint >= 0)) {
        return false;
    }
    const int behind = stored_ - gapStart_;
    if (p.insertionPoint >= 0) {
        if (p.insertionPoint + p.insertedLength != gapStart_ || p.overwritten > behind) {
            return false;
        }
    } else if (p.insertedLength != 0 || p.overwritten != 0) {
        return false;
    }
    if (p.deletionPoint >= 0) {
        if (p.deletionPoint != gapStart_ || p.deletionCount == 0 || p.deletionCount > behind) {
            return false;
        }
    } else if (p.deletionCount != 0) {
        return false;
    }
    return length() <= kMaxLength;
}

} // namespace editctl
