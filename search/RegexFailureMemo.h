#pragma once
// Remembers, for one search, what the matcher has learnt about (state, position) pairs: mainly
// that the final state cannot be reached from them, with the height of the walk that showed it.
// Lookups and insertions are O(1); when the table is full it forgets everything, which costs only
// time.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace search {

class RegexFailureMemo {
public:
    static constexpr std::size_t kInitialCapacity = 64;
    static constexpr std::size_t kMaxCapacity = std::size_t{1} << 20;

    // The value recorded for `key`, or -1 when nothing is recorded.
    std::int32_t find(std::uint64_t key) const;
    // Records `value` for `key`, replacing an older record (-1 makes it unrecorded again).
    void insert(std::uint64_t key, std::int32_t value);
    // Number of records held.
    std::size_t size() const { return used_; }

private:
    struct Entry {
        std::uint64_t key = 0;
        std::uint32_t generation = 0; // the entry is live when it equals generation_
        std::int32_t height = 0;
    };

    std::size_t slotFor(std::uint64_t key) const;
    void grow();

    std::vector<Entry> entries_;
    std::uint32_t generation_ = 1;
    std::size_t used_ = 0;
};

} // namespace search
