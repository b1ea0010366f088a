#pragma once
// Small helpers for the engine's tests: compile and search in one call.

#include "search/RegexProgram.h"
#include "search/RegexSearch.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace search::testing {

using Span = std::pair<std::size_t, std::size_t>;

// Compiles `pattern` (checking the program's invariants) and searches `text`; the match's
// (start, end), or nullopt.
inline std::optional<Span> regexFind(std::u16string_view pattern, std::u16string_view text,
                                     std::size_t start = 0, bool forward = true,
                                     bool ignoreCase = false) {
    RegexProgramPtr program = RegexProgram::Compile(pattern);
    EXPECT_NE(program, nullptr);
    if (!program) {
        return std::nullopt;
    }
    program->checkInvariants();
    std::vector<CaptureSpan> captures;
    const int slots = RegexSearch(*program, text, captures, ignoreCase, start, forward);
    if (slots == 0) {
        EXPECT_TRUE(captures.empty());
        return std::nullopt;
    }
    EXPECT_EQ(static_cast<std::size_t>(slots), captures.size());
    return Span{captures[0].start, captures[0].end};
}

} // namespace search::testing
