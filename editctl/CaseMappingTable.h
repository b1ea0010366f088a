#pragma once
// The case mappings ES_UPPERCASE and ES_LOWERCASE apply, as runs of code units: every unit
// first, first + step, ..., last maps to itself + delta. Runs are sorted and no mapped unit
// lies inside another run's range.

#include <cstdint>
#include <span>

namespace editctl {

struct CaseRun {
    std::uint16_t first;
    std::uint16_t last;
    std::uint8_t step;
    std::int32_t delta;
};

extern const std::span<const CaseRun> kUpperCaseRuns;
extern const std::span<const CaseRun> kLowerCaseRuns;

} // namespace editctl
