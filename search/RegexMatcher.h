#pragma once
// The regular-expression search strategy: the pattern compiled into a RegexProgram, searched
// with RegexSearch (case folding A-Z when ignoreCase is set).

#include "search/RegexProgram.h"
#include "search/RegexSearch.h"
#include "search/TextMatcher.h"

#include <vector>

namespace search {

class RegexMatcher final : public TextMatcher {
public:
    // Builds the program; false only when that fails (memory, or a pattern beyond the limits).
    bool Compile(std::u16string_view pattern) override;
    // The whole match (capture 0) of RegexSearch from `position` in the given direction.
    bool Find(bool forward, std::u16string_view text, std::size_t& position,
              std::size_t& end) const override;
    bool FindInTail(std::u16string_view tail, bool startsLine, std::size_t& position,
                    std::size_t& end) const override;

private:
    bool search(bool forward, std::u16string_view text, bool startsLine, std::size_t& position,
                std::size_t& end) const;

    RegexProgramPtr program_;
    mutable std::vector<CaptureSpan> captures_;
};

} // namespace search
