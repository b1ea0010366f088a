#pragma once
// The literal search strategy: finds the pattern text as it stands, optionally folding A-Z
// (the same folding the regular-expression engine uses, so both agree on what a
// case-insensitive search means).

#include "search/LiteralScanner.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace search {

class PlainMatcher {
public:
    // Fold A-Z when comparing; read by Find, so it may be set before or after Compile.
    std::uint8_t ignoreCase = 0;

    // Stores a copy of the pattern; always succeeds.
    bool Compile(std::u16string_view pattern);

    // Forward: the first i >= position with the pattern at i (i < text.size()); backward: the
    // last i < position. On success position = i and end = i + pattern length.
    bool Find(bool forward, std::u16string_view text, std::size_t& position,
              std::size_t& end) const;

private:
    std::u16string pattern_;
    std::optional<LiteralScanner> exact_;
    std::optional<LiteralScanner> folded_;
};

} // namespace search
