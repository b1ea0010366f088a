#include "search/RegexSearch.h"

#include "search/CaseFold.h"
#include "search/RegexStartFilter.h"

#include <algorithm>
#include <new>
#include <utility>

namespace search {

RegexSearchContext::RegexSearchContext(const RegexProgram& program, std::u16string_view text,
                                       bool ignoreCase)
    : program_(program), text_(text), ignoreCase_(ignoreCase), stateCount_(program.stateCount()),
      captures_(static_cast<std::size_t>(program.groupSlots())) {
    stack_.reserve(16);
}

void RegexSearchContext::clearCaptures() {
    std::fill(captures_.begin(), captures_.end(), CaptureSpan{});
}

void RegexSearchContext::undoTo(std::size_t mark) {
    while (trail_.size() > mark) {
        *trail_.back().slot = trail_.back().old;
        trail_.pop_back();
    }
}

// The walk is the plain recursion MatchFrom(s, p, d) kept on an explicit stack (one frame per
// transition on the current path, so the depth limit bounds it) and sped up by a memory of
// (state, position) pairs, kept at join states (a pair can only come back where paths meet):
//
// 1. When MatchFrom(s, p, d) ends with no match, the walk below it took at most `height`
//    further steps and never went too deep (too deep ends the whole attempt at once, so a
//    finished failure had none). What the walk does depends only on (s, p) and the depth, and
//    the depth only matters to the limit test. So a later call MatchFrom(s, p, d') walks the
//    very same tree: if d' + height stays within the limit, no node of it is cut off and it
//    fails again; if not, its first node beyond the limit is reached (nothing before it
//    matches, as nothing in the tree matched) and the result is too deep. The recorded height
//    gives the result without the walk, in this or any later attempt of the same search.
// 2. When the walk meets a pair that is still on its own path (a loop that consumed nothing;
//    every such loop passes through the loop state of a repetition whose operand can match
//    empty, so only those states are marked while on the path),
//    the recursion from there repeats the same steps: the branches tried before failed, so
//    they fail again (or run too deep), and the loop is entered again, deeper each round,
//    until the limit. The result is too deep, at any depth, for that call and for every call
//    on the path below it; all of them are recorded as such.
// Captures cannot tell the difference: a failed path's group writes are undone.
MatchResult RegexSearchContext::MatchFrom(std::int32_t state, std::size_t position,
                                          std::int32_t depth) {
    stack_.clear();
    const std::size_t trailBase = trail_.size();
    const bool hasLineEnd = program_.hasLineEnd();
    MatchResult result;
    std::int32_t childHeight = 0;
    bool alwaysTooDeep = false;

    // Starts the call MatchFrom(s, p, d): true when it has to walk (a frame is pushed),
    // false when `result` (and for a failure `childHeight`) already holds its answer.
    auto enter = [&](std::int32_t s, std::size_t p, std::int32_t d) {
        if (d > kRegexStepLimit) {
            result = {MatchOutcome::TooDeep, 0};
            return false;
        }
        if (s == RegexProgram::kFinalState) {
            if (hasLineEnd && p < text_.size() && !isLineBreak(text_[p])) {
                result = {MatchOutcome::NoMatch, 0};
                childHeight = 0;
            } else {
                result = {MatchOutcome::Match, p};
            }
            return false;
        }
        if (program_.isJoinState(s)) {
            const std::uint64_t key = memoKey(s, p);
            const std::int32_t known = memo_.find(key);
            if (known == kOnPath || known == kAlwaysTooDeep) {
                result = {MatchOutcome::TooDeep, 0};
                alwaysTooDeep = true;
                return false;
            }
            if (known >= 0) {
                if (d + known > kRegexStepLimit) {
                    result = {MatchOutcome::TooDeep, 0};
                } else {
                    result = {MatchOutcome::NoMatch, 0};
                    childHeight = known;
                }
                return false;
            }
            if (program_.isEmptyLoopState(s)) {
                memo_.insert(key, kOnPath);
            }
        }
        stack_.push_back(
            {s, program_.firstTransition(s), program_.firstTransition(s + 1), 0, p, trail_.size()});
        return true;
    };
    // Ends the walk with `result`: the pairs still on the path are too deep for good after a
    // loop, and unknown otherwise.
    auto unwind = [&] {
        if (alwaysTooDeep || program_.hasEmptyLoops()) {
            for (const Frame& frame : stack_) {
                if (alwaysTooDeep ? program_.isJoinState(frame.state)
                                  : program_.isEmptyLoopState(frame.state)) {
                    memo_.insert(memoKey(frame.state, frame.position),
                                 alwaysTooDeep ? kAlwaysTooDeep : kUnknown);
                }
            }
        }
        stack_.clear();
        return result;
    };

    if (!enter(state, position, depth)) {
        return result;
    }
    for (;;) {
        Frame& frame = stack_.back();
        if (trail_.size() > frame.trailMark) {
            undoTo(frame.trailMark);
        }
        if (frame.next == frame.end) {
            if (program_.isJoinState(frame.state)) {
                memo_.insert(memoKey(frame.state, frame.position), frame.height);
            }
            const std::int32_t height = frame.height;
            stack_.pop_back();
            if (stack_.empty()) {
                return {MatchOutcome::NoMatch, 0};
            }
            stack_.back().height = std::max(stack_.back().height, height + 1);
            continue;
        }
        const RegexTransition& t = program_.transition(frame.next++);
        std::size_t p = frame.position;
        if (t.epsilon) {
            if (t.kind == RN_GROUPOPEN || t.kind == RN_GROUPCLOSE) {
                CaptureSpan& span = captures_[static_cast<std::size_t>(t.group)];
                std::size_t& slot = t.kind == RN_GROUPOPEN ? span.start : span.end;
                trail_.push_back({&slot, slot});
                slot = p;
            }
        } else {
            // The end of the text is never consumed; with "$" in the pattern neither is a break.
            if (p >= text_.size()) {
                continue;
            }
            const char16_t c = text_[p];
            if ((hasLineEnd && isLineBreak(c)) || !consumes(t, c)) {
                continue;
            }
            ++p;
        }
        const auto childDepth = depth + static_cast<std::int32_t>(stack_.size());
        if (enter(t.target, p, childDepth)) {
            continue;
        }
        if (result.outcome == MatchOutcome::Match) {
            trail_.resize(trailBase);
            return unwind();
        }
        if (result.outcome == MatchOutcome::TooDeep) {
            undoTo(trailBase);
            return unwind();
        }
        stack_.back().height = std::max(stack_.back().height, childHeight + 1);
    }
}

namespace {

// The forward and backward scans over start positions.
class Scan {
public:
    Scan(const RegexProgram& program, std::u16string_view text, bool ignoreCase,
         bool textStartsLine)
        : program_(program), text_(text), filter_(program.startFilter(ignoreCase)),
          context_(program, text, ignoreCase), textStartsLine_(textStartsLine) {}

    // Tries a match starting at p; on success fills `captures`.
    bool attempt(std::size_t p, std::vector<CaptureSpan>& captures) {
        context_.clearCaptures();
        const MatchResult r = context_.MatchFrom(RegexProgram::kStartState, p, 0);
        if (r.outcome != MatchOutcome::Match) {
            return false; // too deep counts as no match at this position
        }
        captures = std::move(context_.captures()); // the scan ends here
        captures[0] = {p, r.end};
        return true;
    }

    // A literal pattern matches exactly where the filter finds its text.
    bool literal(std::size_t p, std::vector<CaptureSpan>& captures) {
        if (p == RegexStartFilter::npos) {
            return false;
        }
        // Groups can only stand in alternatives that never match: none was passed.
        captures.assign(static_cast<std::size_t>(program_.groupSlots()), CaptureSpan{});
        captures[0] = {p, p + filter_.prefix().size()};
        return true;
    }

    bool forward(std::size_t p, std::vector<CaptureSpan>& captures) {
        if (filter_.literalOnly()) {
            return literal(filter_.nextCandidate(text_, p), captures);
        }
        if (!program_.hasLineStart()) {
            // The end of the text is never tried here.
            for (;; ++p) {
                p = filter_.nextCandidate(text_, p);
                if (p == RegexStartFilter::npos) {
                    return false;
                }
                if (attempt(p, captures)) {
                    return true;
                }
            }
        }
        const std::size_t n = text_.size();
        while (p < n) {
            if (!startsLine(p)) {
                while (p < n && !isLineBreak(text_[p])) {
                    ++p;
                }
                while (p < n && isLineBreak(text_[p])) {
                    ++p;
                }
            }
            // A skip may land on the end of the text: it is tried once there, not passed.
            const bool candidate = p < n ? filter_.mayStartAt(text_, p) : !filter_.active();
            if (candidate && attempt(p, captures)) {
                return true;
            }
            if (p == n) {
                return false;
            }
            ++p;
        }
        return false;
    }

    bool backward(std::size_t p, std::vector<CaptureSpan>& captures) {
        if (filter_.literalOnly()) {
            return p > 0 && literal(filter_.previousCandidate(text_, p - 1), captures);
        }
        while (p > 0) {
            if (!program_.hasLineStart()) {
                p = filter_.previousCandidate(text_, p - 1);
                if (p == RegexStartFilter::npos) {
                    return false;
                }
            } else {
                while (p > 0 && isLineBreak(text_[p - 1])) {
                    --p;
                }
                while (p > 0 && !isLineBreak(text_[p - 1])) {
                    --p;
                }
                if (!startsLine(p)) {
                    return false;
                }
                if (!filter_.mayStartAt(text_, p)) {
                    continue;
                }
            }
            if (attempt(p, captures)) {
                return true;
            }
        }
        return false;
    }

private:
    bool startsLine(std::size_t p) const {
        return p == 0 ? textStartsLine_ : isLineBreak(text_[p - 1]);
    }

    const RegexProgram& program_;
    std::u16string_view text_;
    const RegexStartFilter& filter_;
    RegexSearchContext context_;
    bool textStartsLine_;
};

} // namespace

int RegexSearch(const RegexProgram& program, std::u16string_view text,
                std::vector<CaptureSpan>& captures, bool ignoreCase, std::size_t startIndex,
                bool forward, bool textStartsLine) {
    captures.clear();
    try {
        Scan scan(program, text, ignoreCase, textStartsLine);
        const std::size_t start = std::min(startIndex, text.size());
        if (forward ? scan.forward(start, captures) : scan.backward(start, captures)) {
            return program.groupSlots();
        }
    } catch (const std::bad_alloc&) {
        // No memory for the captures or the walk: the search reports no match.
    }
    captures.clear();
    return 0;
}

} // namespace search
