#include "search/RegexStartFilter.h"

#include "search/CaseFold.h"
#include "search/RegexProgram.h"

#include <algorithm>

namespace search {

namespace {

// The states reachable from `seeds` through transitions that consume nothing.
std::vector<std::int32_t> epsilonClosure(const RegexProgram& program,
                                         std::vector<std::int32_t> seeds) {
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(program.stateCount()), 0);
    std::vector<std::int32_t> closure;
    while (!seeds.empty()) {
        const std::int32_t s = seeds.back();
        seeds.pop_back();
        if (seen[static_cast<std::size_t>(s)] != 0) {
            continue;
        }
        seen[static_cast<std::size_t>(s)] = 1;
        closure.push_back(s);
        for (const RegexTransition& t : program.transitions(s)) {
            if (t.epsilon) {
                seeds.push_back(t.target);
            }
        }
    }
    return closure;
}

bool containsFinal(const std::vector<std::int32_t>& states) {
    return std::find(states.begin(), states.end(), RegexProgram::kFinalState) != states.end();
}

} // namespace

RegexStartFilter::RegexStartFilter(const RegexProgram& program, bool ignoreCase)
    : firstSet_(1024, 0) {
    std::vector<std::int32_t> states = epsilonClosure(program, {RegexProgram::kStartState});
    if (containsFinal(states)) {
        return; // the empty string can match: no position may be skipped
    }
    active_ = true;
    for (std::int32_t s : states) {
        for (const RegexTransition& t : program.transitions(s)) {
            if (t.kind == RN_CHAR) {
                addToFirstSet(t.ch, t.ch);
                const char16_t folded = foldAsciiCase(t.ch);
                if (ignoreCase && folded >= u'a' && folded <= u'z') {
                    const auto upper = static_cast<char16_t>(folded - (u'a' - u'A'));
                    addToFirstSet(folded, folded);
                    addToFirstSet(upper, upper);
                }
            } else if (t.kind == RN_CLASS) {
                for (const auto& [lo, hi] : program.classSet(t.classIndex).ranges()) {
                    addToFirstSet(lo, hi);
                }
            }
        }
    }
    if (program.hasLineEnd()) {
        // With "$" in the pattern no consuming transition takes a line break.
        firstSet_[0] &= ~((std::uint64_t{1} << u'\r') | (std::uint64_t{1} << u'\n'));
    }

    // Every match runs through these state sets in turn; while each set's only way on is one
    // and the same unit, that unit is part of every match's beginning.
    // A chain of single character transitions straight into the final state is a literal,
    // as long as its walk stays within the step limit.
    bool chain = !program.hasLineStart() && !program.hasLineEnd();
    while (prefix_.size() < kMaxPrefix && !containsFinal(states)) {
        chain = chain && states.size() == 1 && program.transitions(states[0]).size() == 1;
        std::vector<std::int32_t> targets;
        std::optional<char16_t> unit;
        bool single = true;
        for (std::int32_t s : states) {
            for (const RegexTransition& t : program.transitions(s)) {
                if (t.epsilon) {
                    continue;
                }
                const char16_t c = ignoreCase ? foldAsciiCase(t.ch) : t.ch;
                if (t.kind != RN_CHAR || (unit && *unit != c)) {
                    single = false;
                    break;
                }
                unit = c;
                targets.push_back(t.target);
            }
            if (!single) {
                break;
            }
        }
        if (!single || !unit) {
            break;
        }
        prefix_ += *unit;
        states = epsilonClosure(program, std::move(targets));
    }
    literalOnly_ = chain && states.size() == 1 && states[0] == RegexProgram::kFinalState &&
                   !prefix_.empty() && prefix_.size() < kMaxPrefix;
    if (prefix_.size() >= 2) {
        scanner_.emplace(prefix_, ignoreCase ? CaseFolding::Ascii : CaseFolding::None);
    }
}

void RegexStartFilter::addToFirstSet(char16_t lo, char16_t hi) {
    for (unsigned c = lo; c <= hi;) {
        if ((c & 63) == 0 && c + 63 <= hi) {
            firstSet_[c >> 6] = ~std::uint64_t{0};
            c += 64;
        } else {
            firstSet_[c >> 6] |= std::uint64_t{1} << (c & 63);
            ++c;
        }
    }
}

bool RegexStartFilter::mayStartAt(std::u16string_view text, std::size_t p) const {
    if (!active_) {
        return true;
    }
    if (scanner_) {
        return scanner_->matchesAt(text, p);
    }
    return inFirstSet(text[p]);
}

std::size_t RegexStartFilter::nextCandidate(std::u16string_view text, std::size_t from) const {
    if (from >= text.size()) {
        return npos;
    }
    if (!active_) {
        return from;
    }
    if (scanner_) {
        return scanner_->find(text, from);
    }
    for (std::size_t p = from; p < text.size(); ++p) {
        if (inFirstSet(text[p])) {
            return p;
        }
    }
    return npos;
}

std::size_t RegexStartFilter::previousCandidate(std::u16string_view text, std::size_t last) const {
    if (text.empty()) {
        return npos;
    }
    std::size_t p = std::min(last, text.size() - 1);
    if (!active_) {
        return p;
    }
    if (scanner_) {
        return scanner_->findBackward(text, p);
    }
    for (;; --p) {
        if (inFirstSet(text[p])) {
            return p;
        }
        if (p == 0) {
            return npos;
        }
    }
}

} // namespace search
