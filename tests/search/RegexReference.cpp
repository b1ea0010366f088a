#include "RegexReference.h"

#include "search/CaseFold.h"
#include "search/ClassMatch.h"
#include "search/RegexSearch.h"

#include <algorithm>

namespace search::testing {

namespace {

constexpr std::size_t kNoMatch = static_cast<std::size_t>(-1);
constexpr std::size_t kTooDeep = static_cast<std::size_t>(-2);
constexpr std::size_t kGaveUp = static_cast<std::size_t>(-3);

struct Walk {
    const RegexProgram& program;
    std::u16string_view text;
    bool ignoreCase;
    std::size_t callsLeft;

    // Kept small per frame: the recursion reaches the step limit's depth.
    std::size_t matchFrom(std::int32_t s, std::size_t p, std::int32_t d) {
        if (callsLeft == 0) {
            return kGaveUp;
        }
        --callsLeft;
        if (d > kRegexStepLimit) {
            return kTooDeep;
        }
        if (s == RegexProgram::kFinalState) {
            if (program.hasLineEnd() && p < text.size() && !isLineBreak(text[p])) {
                return kNoMatch;
            }
            return p;
        }
        for (const RegexTransition& t : program.transitions(s)) {
            std::size_t r = kNoMatch;
            if (t.epsilon) {
                r = matchFrom(t.target, p, d + 1);
            } else if (p < text.size() && !(program.hasLineEnd() && isLineBreak(text[p]))) {
                const char16_t c = text[p];
                const bool hit = t.kind == RN_CLASS ? ClassMatch(program.classText(t.classIndex), c)
                                 : ignoreCase       ? foldAsciiCase(c) == foldAsciiCase(t.ch)
                                                    : c == t.ch;
                if (hit) {
                    r = matchFrom(t.target, p + 1, d + 1);
                }
            }
            if (r != kNoMatch) {
                return r;
            }
        }
        return kNoMatch;
    }
};

} // namespace

ReferenceResult referenceSearch(const RegexProgram& program, std::u16string_view text,
                                bool ignoreCase, std::size_t startIndex, bool forward,
                                std::size_t callBudget) {
    Walk walk{program, text, ignoreCase, callBudget};
    ReferenceResult result;
    // Returns true when the scan should stop (a match, or the budget ran out).
    auto attempt = [&](std::size_t p) {
        const std::size_t r = walk.matchFrom(RegexProgram::kStartState, p, 0);
        if (r == kGaveUp) {
            result.gaveUp = true;
            return true;
        }
        if (r == kNoMatch || r == kTooDeep) {
            return false;
        }
        result.match = ReferenceMatch{p, r};
        return true;
    };
    const std::size_t n = text.size();
    std::size_t p = std::min(startIndex, n);
    if (forward) {
        while (p < n) {
            if (program.hasLineStart() && p != 0 && !isLineBreak(text[p - 1])) {
                while (p < n && !isLineBreak(text[p])) {
                    ++p;
                }
                while (p < n && isLineBreak(text[p])) {
                    ++p;
                }
            }
            if (attempt(p) || p == n) {
                return result;
            }
            ++p;
        }
        return result;
    }
    while (p > 0) {
        if (!program.hasLineStart()) {
            --p;
        } else {
            while (p > 0 && isLineBreak(text[p - 1])) {
                --p;
            }
            while (p > 0 && !isLineBreak(text[p - 1])) {
                --p;
            }
        }
        if (attempt(p)) {
            return result;
        }
    }
    return result;
}

} // namespace search::testing
