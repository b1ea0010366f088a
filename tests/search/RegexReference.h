#pragma once
// A straightforward reference for the matcher: the plain recursive backtracking walk and the
// plain start-position scans, with no memory of failures and no skipping, over the same
// compiled program. Differential tests compare the engine with it. It reads class texts with
// ClassMatch rather than the precomputed sets.

#include "search/RegexProgram.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace search::testing {

struct ReferenceMatch {
    std::size_t start;
    std::size_t end;
};

// The result of a reference search: nullopt inside when nothing matches; `gaveUp` when the
// walk took more than `callBudget` calls in total (exponential patterns), so no answer is known.
struct ReferenceResult {
    bool gaveUp = false;
    std::optional<ReferenceMatch> match;
};

ReferenceResult referenceSearch(const RegexProgram& program, std::u16string_view text,
                                bool ignoreCase, std::size_t startIndex, bool forward,
                                std::size_t callBudget);

} // namespace search::testing
