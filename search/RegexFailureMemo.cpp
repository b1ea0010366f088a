#include "search/RegexFailureMemo.h"

namespace search {

std::size_t RegexFailureMemo::slotFor(std::uint64_t key) const {
    const std::uint64_t mixed = key * 0x9E3779B97F4A7C15ULL;
    return static_cast<std::size_t>(mixed >> 32) & (entries_.size() - 1);
}

std::int32_t RegexFailureMemo::find(std::uint64_t key) const {
    if (used_ == 0) {
        return -1;
    }
    const std::size_t mask = entries_.size() - 1;
    for (std::size_t i = slotFor(key);; i = (i + 1) & mask) {
        const Entry& e = entries_[i];
        if (e.generation != generation_) {
            return -1;
        }
        if (e.key == key) {
            return e.height;
        }
    }
}

void RegexFailureMemo::grow() {
    if (entries_.size() >= kMaxCapacity) {
        // Forget everything at once: bumping the generation empties every slot.
        ++generation_;
        used_ = 0;
        if (generation_ == 0) {
            entries_.assign(entries_.size(), Entry{});
            generation_ = 1;
        }
        return;
    }
    std::vector<Entry> old = std::move(entries_);
    entries_.assign(old.empty() ? kInitialCapacity : old.size() * 2, Entry{});
    const std::uint32_t oldGeneration = generation_;
    generation_ = 1;
    used_ = 0;
    for (const Entry& e : old) {
        if (e.generation == oldGeneration) {
            insert(e.key, e.height);
        }
    }
}

void RegexFailureMemo::insert(std::uint64_t key, std::int32_t height) {
    if ((used_ + 1) * 2 > entries_.size()) {
        grow();
    }
    const std::size_t mask = entries_.size() - 1;
    for (std::size_t i = slotFor(key);; i = (i + 1) & mask) {
        Entry& e = entries_[i];
        if (e.generation != generation_) {
            e = Entry{key, generation_, height};
            ++used_;
            return;
        }
        if (e.key == key) {
            e.height = height;
            return;
        }
    }
}

} // namespace search
