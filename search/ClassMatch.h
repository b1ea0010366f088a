#pragma once
// Character classes. A class text is kept as the user wrote it (after the compiler's own
// decoding) and read member by member at match time; ClassSet is the same reading done once,
// as a set of ranges, so that the matcher tests a unit without walking the text again.

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace search {

// True when `c` belongs to class text `k`: an optional leading "^" negates; members are ranges
// "a-z", escapes such as "\d" (decoded and tested as a class of their own) or single units.
bool ClassMatch(std::u16string_view k, char16_t c);

class ClassSet {
public:
    // Builds the set of every unit that ClassMatch(k, unit) accepts.
    explicit ClassSet(std::u16string_view k);

    // True when `c` belongs to the class; equal to ClassMatch on the class text.
    bool contains(char16_t c) const {
        if (c < 128) {
            return ((ascii_[c >> 6] >> (c & 63)) & 1U) != 0;
        }
        return containsWide(c);
    }

    // Inclusive, sorted, disjoint, non-adjacent ranges of the set.
    const std::vector<std::pair<char16_t, char16_t>>& ranges() const { return ranges_; }

private:
    bool containsWide(char16_t c) const;

    std::uint64_t ascii_[2] = {0, 0};
    std::vector<std::pair<char16_t, char16_t>> ranges_;
};

} // namespace search
