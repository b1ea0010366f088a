#include "editctl/CaseMapping.h"

#include "editctl/CaseMappingTable.h"

#include <algorithm>

namespace editctl {

namespace {

char16_t mapped(char16_t ch, std::span<const CaseRun> runs) noexcept {
    const auto after = std::upper_bound(
        runs.begin(), runs.end(), ch, [](char16_t c, const CaseRun& run) { return c < run.first; });
    if (after == runs.begin()) {
        return ch;
    }
    const CaseRun& run = *(after - 1);
    if (ch > run.last || (ch - run.first) % run.step != 0) {
        return ch;
    }
    return static_cast<char16_t>(ch + run.delta);
}

} // namespace

char16_t toUpperCase(char16_t ch) noexcept {
    if (ch < 0x80) {
        return (ch >= u'a' && ch <= u'z') ? static_cast<char16_t>(ch - 0x20) : ch;
    }
    return mapped(ch, kUpperCaseRuns);
}

char16_t toLowerCase(char16_t ch) noexcept {
    if (ch < 0x80) {
        return (ch >= u'A' && ch <= u'Z') ? static_cast<char16_t>(ch + 0x20) : ch;
    }
    return mapped(ch, kLowerCaseRuns);
}

void applyCase(std::span<char16_t> text, CaseMode mode) noexcept {
    if (mode == CaseMode::Keep) {
        return;
    }
    const auto map = mode == CaseMode::Lower ? toLowerCase : toUpperCase;
    for (char16_t& ch : text) {
        ch = map(ch);
    }
}

} // namespace editctl
