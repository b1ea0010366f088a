#pragma once
// Where a match can begin. When a pattern cannot match the empty string, every match begins
// with a unit that some first consuming transition accepts, and often with a fixed literal;
// positions without them are skipped instead of walked. Skipping them cannot change a result:
// the walk from such a position fails (or runs too deep), and both count as no match there.

#include "search/LiteralScanner.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace search {

class RegexProgram;

class RegexStartFilter {
public:
    static constexpr std::size_t npos = std::u16string_view::npos;
    // Longest literal prefix collected.
    static constexpr std::size_t kMaxPrefix = 64;

    // Analyses `program` for searches with or without A-Z folding.
    RegexStartFilter(const RegexProgram& program, bool ignoreCase);

    // False when the pattern can match the empty string: then every position is a candidate.
    bool active() const { return active_; }
    // The unit run every match begins with (folded when ignoring case); may be empty.
    std::u16string_view prefix() const { return prefix_; }
    // True when the whole pattern is prefix(): one unit after another, nothing else. Then a
    // candidate is a match of exactly that length.
    bool literalOnly() const { return literalOnly_; }
    // True when a match may begin at index p (p < text.size()).
    bool mayStartAt(std::u16string_view text, std::size_t p) const;
    // The first candidate index >= from and < text.size(), or npos.
    std::size_t nextCandidate(std::u16string_view text, std::size_t from) const;
    // The last candidate index <= last, or npos.
    std::size_t previousCandidate(std::u16string_view text, std::size_t last) const;

private:
    bool inFirstSet(char16_t c) const { return ((firstSet_[c >> 6] >> (c & 63)) & 1U) != 0; }
    void addToFirstSet(char16_t lo, char16_t hi);

    bool active_ = false;
    bool literalOnly_ = false;
    std::vector<std::uint64_t> firstSet_;
    std::u16string prefix_;
    std::optional<LiteralScanner> scanner_; // for prefixes of two units or more
};

} // namespace search
