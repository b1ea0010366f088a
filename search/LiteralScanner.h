#pragma once
// Finds a fixed run of UTF-16 units in a text, forward or backward, in time linear in the
// text whatever the literal (the two-way string-matching algorithm), usually looking at only a
// fraction of the text: a skip table keyed on the low byte of the unit under the end of the
// window jumps over text that cannot end a match (units sharing a low byte share the smallest
// skip), Japanese text included.

#include "search/CaseFold.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace search {

class LiteralScanner {
public:
    static constexpr std::size_t npos = std::u16string_view::npos;

    // Prepares to search for `literal`, comparing units folded by `folding` on both sides.
    LiteralScanner(std::u16string_view literal, CaseFolding folding);

    // The first index i >= from with the literal at i, or npos.
    std::size_t find(std::u16string_view text, std::size_t from) const;
    // The last index i <= last with the literal at i (ending inside the text), or npos.
    std::size_t findBackward(std::u16string_view text, std::size_t last) const;
    // True when the literal stands at index i of text.
    bool matchesAt(std::u16string_view text, std::size_t i) const;

    std::size_t length() const { return forward_.units.size(); }

    // The literal prepared for one scan direction (reversed for backward scans).
    struct Needle {
        std::u16string units;   // folded, in scan order
        std::size_t suffix = 0; // start of the right half of the critical factorization
        std::size_t period = 1; // the shift after a whole match
        bool periodic = false;  // the left half repeats at `period`: remember what matched
        std::array<std::uint32_t, 256> skip{};
    };

private:
    Needle forward_;
    Needle backward_;
    CaseFolding folding_;
};

} // namespace search
