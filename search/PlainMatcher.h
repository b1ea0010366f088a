#pragma once
// The literal search strategy: finds the pattern text as it stands, optionally folding case
// with the literal search's rule (foldLiteralCase), the same in both directions.

#include "search/LiteralScanner.h"
#include "search/TextMatcher.h"

#include <optional>
#include <string>

namespace search {

class PlainMatcher final : public TextMatcher {
public:
    // Stores a copy of the pattern; always succeeds.
    bool Compile(std::u16string_view pattern) override;

    // Forward: the first i >= position with the pattern at i (i < text.size()); backward: the
    // last i < position. On success position = i and end = i + pattern length.
    bool Find(bool forward, std::u16string_view text, std::size_t& position,
              std::size_t& end) const override;
    // A literal does not care where lines begin.
    bool FindInTail(std::u16string_view tail, bool startsLine, std::size_t& position,
                    std::size_t& end) const override;

private:
    std::u16string pattern_;
    std::optional<LiteralScanner> exact_;
    std::optional<LiteralScanner> folded_;
};

} // namespace search
