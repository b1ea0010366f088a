#include "editctl/TextStore.h"

#include "editctl/UndoHistory.h"

#include <algorithm>
#include <cstring>

namespace editctl {

namespace {

std::size_t units(int count) {
    return static_cast<std::size_t>(count);
}

} // namespace

TextStore::TextStore(BlockAllocator& allocator)
    : allocator_(allocator), base_(allocator, kBaseSlack), side_(allocator, kSideChunk) {
    base_[0] = 0;
}

char16_t TextStore::at(int i) const noexcept {
    const char16_t* base = base_.data();
    if (pending_.deletionPoint >= 0) {
        return i < pending_.deletionPoint ? base[i] : base[i + pending_.deletionCount];
    }
    if (pending_.insertionPoint >= 0) {
        const int p = pending_.insertionPoint;
        if (i < p) {
            return base[i];
        }
        if (i < p + pending_.sideLength) {
            return side_[units(i - p)];
        }
        return base[i - pending_.sideLength + pending_.overwritten];
    }
    return base[i];
}

TextStore::Spans TextStore::spansFrom(int i) const noexcept {
    Spans spans;
    auto add = [&spans](const char16_t* data, int length, int start) {
        if (length > 0) {
            spans.parts[static_cast<std::size_t>(spans.count++)] = Span{data, length, start};
        }
    };
    const char16_t* base = base_.data();
    if (pending_.deletionPoint >= 0) {
        const int q = pending_.deletionPoint;
        const int d = pending_.deletionCount;
        if (i < q) {
            add(base + i, q - i, i);
            add(base + q + d, baseLength_ - q - d, q);
        } else {
            add(base + i + d, baseLength_ - i - d, i);
        }
    } else if (pending_.insertionPoint >= 0) {
        const int p = pending_.insertionPoint;
        const int sideEnd = p + pending_.sideLength;
        const int tailBase = p + pending_.overwritten;
        if (i < p) {
            add(base + i, p - i, i);
        }
        if (i < sideEnd) {
            const int from = std::max(i, p);
            add(side_.data() + (from - p), sideEnd - from, from);
        }
        const int from = std::max(i, sideEnd);
        const int baseFrom = tailBase + (from - sideEnd);
        add(base + baseFrom, baseLength_ - baseFrom, from);
    } else {
        add(base + i, baseLength_ - i, i);
    }
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

Block<char16_t> TextStore::reserveSide(std::size_t count, bool continues) {
    const int room = continues ? sideCapacity() : std::min(sideCapacity(), int{kSideChunk});
    if (count + 1 <= units(room)) {
        return {};
    }
    return Block<char16_t>(allocator_, count + kSideChunk + 1);
}

void TextStore::append(std::u16string_view chars, int at, int replaced, CaseMode mode,
                       Block<char16_t>* reserved) {
    const auto n = static_cast<long long>(chars.size());
    if (n == 0 && replaced == 0) {
        return;
    }
    if (static_cast<long long>(length()) + n - replaced > kMaxLength) {
        throw COomEx(chars.size() * sizeof(char16_t));
    }
    const int count = static_cast<int>(n);
    if (pending_.sideLength + count + 1 > sideCapacity()) {
        const std::size_t needed = units(pending_.sideLength + count + 1);
        Block<char16_t> bigger = reserved != nullptr && reserved->capacity() >= needed
                                     ? std::move(*reserved)
                                     : Block<char16_t>(allocator_, needed + kSideChunk);
        std::copy_n(side_.data(), pending_.sideLength, bigger.data());
        side_ = std::move(bigger);
    }
    char16_t* dest = side_.data() + pending_.sideLength;
    std::copy(chars.begin(), chars.end(), dest);
    applyCase(std::span<char16_t>(dest, units(count)), mode);
    if (pending_.insertionPoint < 0) {
        pending_.insertionPoint = at;
    }
    pending_.sideLength += count;
    pending_.overwritten += replaced;
}

void TextStore::reserveBase(int length) {
    if (baseCapacity() >= length + 1) {
        return;
    }
    Block<char16_t> bigger(allocator_, units(length + kBaseSlack + 1));
    std::copy_n(base_.data(), baseLength_ + 1, bigger.data());
    base_ = std::move(bigger);
}

bool TextStore::deletionAdjoins(int d, int c) const noexcept {
    return pending_.deletionPoint < 0 || pending_.deletionPoint == d || pending_.deletionPoint == c;
}

bool TextStore::erase(int d, int c) noexcept {
    if (d < 0 || c <= d || c > length() || hasPendingInsertion() || !deletionAdjoins(d, c)) {
        return false;
    }
    // Backspace grows the deletion at its front, Delete at its back; both give this formula.
    pending_.deletionPoint = d;
    pending_.deletionCount += c - d;
    return true;
}

void TextStore::commit(UndoHistory* history) {
    char16_t* base = base_.data();
    if (pending_.deletionPoint >= 0) {
        const int q = pending_.deletionPoint;
        const int d = pending_.deletionCount;
        Block<char16_t> recordText;
        if (history != nullptr) {
            history->reserve(1);
            recordText = history->copyText(std::span<const char16_t>(base + q, units(d)));
        }
        const int newLength = baseLength_ - d;
        const bool shrinks = newLength + 1 < baseCapacity() - kBaseSlack;
        // A mapped array shrinks where it lies; only a heap array is copied into a smaller one,
        // so deleting from a large document never copies the whole text.
        const bool inPlace = allocator_.isMapped(base);
        Block<char16_t> smaller;
        if (shrinks && !inPlace) {
            try {
                smaller = Block<char16_t>(allocator_, units(newLength + kBaseSlack + 1));
            } catch (const COomEx&) {
                // Keeping the larger array loses nothing.
            }
        }
        const int tail = baseLength_ - q - d + 1; // the terminator comes along
        if (smaller) {
            std::copy_n(base, q, smaller.data());
            std::copy_n(base + q + d, tail, smaller.data() + q);
            base_ = std::move(smaller);
        } else {
            std::memmove(base + q, base + q + d, units(tail) * sizeof(char16_t));
            if (shrinks && inPlace) {
                base_.shrinkInPlace(units(newLength + kBaseSlack + 1));
            }
        }
        baseLength_ = newLength;
        pending_ = Pending{};
        if (history != nullptr) {
            history->push(UndoKind::Deletion, q, d, std::move(recordText));
        }
        return;
    }
    if (pending_.insertionPoint < 0) {
        return;
    }
    const int p = pending_.insertionPoint;
    const int sl = pending_.sideLength;
    const int ow = pending_.overwritten;
    Block<char16_t> overwrittenText;
    if (history != nullptr && sl + ow > 0) {
        history->reserve(ow > 0 ? 2 : 1);
        if (ow > 0) {
            overwrittenText = history->copyText(std::span<const char16_t>(base + p, units(ow)));
        }
    }
    const int newLength = baseLength_ + sl - ow;
    Block<char16_t> bigger;
    if (baseCapacity() < newLength + 1) {
        bigger = Block<char16_t>(allocator_, units(newLength + kBaseSlack + 1));
    }
    Block<char16_t> freshSide;
    if (sideCapacity() > kSideChunk) {
        try {
            freshSide = Block<char16_t>(allocator_, kSideChunk);
        } catch (const COomEx&) {
            // The grown side buffer simply stays.
        }
    }
    const int tail = baseLength_ - p - ow + 1; // the terminator comes along
    if (bigger) {
        std::copy_n(base, p, bigger.data());
        std::copy_n(side_.data(), sl, bigger.data() + p);
        std::copy_n(base + p + ow, tail, bigger.data() + p + sl);
        base_ = std::move(bigger);
    } else {
        std::memmove(base + p + sl, base + p + ow, units(tail) * sizeof(char16_t));
        std::copy_n(side_.data(), sl, base + p);
    }
    baseLength_ = newLength;
    if (freshSide) {
        side_ = std::move(freshSide);
    }
    pending_ = Pending{};
    if (history != nullptr && sl + ow > 0) {
        if (ow > 0) {
            history->push(UndoKind::Deletion, p, ow, std::move(overwrittenText));
        }
        if (sl > 0) {
            history->push(UndoKind::Insertion, p, sl, Block<char16_t>{});
        }
    }
}

TextStore::Replacement TextStore::prepareReplace(std::u16string_view text, CaseMode mode) {
    if (text.size() > static_cast<std::size_t>(kMaxLength)) {
        throw COomEx(text.size() * sizeof(char16_t));
    }
    const int n = static_cast<int>(text.size());
    Replacement replacement{Block<char16_t>(allocator_, units(n + kBaseSlack + 1)),
                            Block<char16_t>(allocator_, kSideChunk), n};
    char16_t* base = replacement.base.data();
    std::copy(text.begin(), text.end(), base);
    // The terminator is written here rather than taken from the caller, who may not have one.
    base[n] = 0;
    applyCase(std::span<char16_t>(base, units(n)), mode);
    return replacement;
}

void TextStore::replaceAll(Replacement replacement) noexcept {
    base_ = std::move(replacement.base);
    side_ = std::move(replacement.side);
    baseLength_ = replacement.length;
    pending_ = Pending{};
}

bool TextStore::checkInvariants() const noexcept {
    if (!base_ || !side_ || baseLength_ < 0 || baseLength_ >= baseCapacity() ||
        base_[units(baseLength_)] != 0) {
        return false;
    }
    const Pending& p = pending_;
    if (p.sideLength < 0 || p.sideLength >= sideCapacity() || p.overwritten < 0 ||
        p.deletionCount < 0) {
        return false;
    }
    if (p.insertionPoint >= 0 && p.deletionPoint >= 0) {
        return false;
    }
    if (p.insertionPoint >= 0) {
        if (p.insertionPoint + p.overwritten > baseLength_) {
            return false;
        }
    } else if (p.sideLength != 0 || p.overwritten != 0) {
        return false;
    }
    if (p.deletionPoint >= 0) {
        if (p.deletionCount == 0 || p.deletionPoint + p.deletionCount > baseLength_) {
            return false;
        }
    } else if (p.deletionCount != 0) {
        return false;
    }
    return length() <= kMaxLength;
}

} // namespace editctl
