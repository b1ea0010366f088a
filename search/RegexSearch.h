#pragma once
// Running a RegexProgram over a text: a depth-first, backtracking walk of the program's states
// (MatchFrom) tried at one start position after another (RegexSearch). The first path that
// reaches the final state wins; the order of each state's transitions decides greedy, lazy and
// first-alternative-first behaviour, and there is no leftmost-longest rule.
//
// The text is a view; its end is the end of the text. Line breaks are CR and LF.

#include "search/CaseFold.h"
#include "search/RegexFailureMemo.h"
#include "search/RegexProgram.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace search {

// Start and end (exclusive) character index of a match or of a group.
struct CaptureSpan {
    std::size_t start = 0;
    std::size_t end = 0;
    friend bool operator==(const CaptureSpan&, const CaptureSpan&) = default;
};

// The deepest a walk may go: every transition taken on the current path counts, consuming or
// not. A walk that would go deeper ends the attempt at its start position.
inline constexpr std::int32_t kRegexStepLimit = 12000;

enum class MatchOutcome : std::uint8_t { Match, NoMatch, TooDeep };

struct MatchResult {
    MatchOutcome outcome = MatchOutcome::NoMatch;
    std::size_t end = 0; // for a match: the index after it
};

// One search's state: the program, the text, the folding flag, the group captures and the
// memory of failed (state, position) pairs.
class RegexSearchContext {
public:
    // Prepares a search of `text`; the program and the text must outlive the context.
    RegexSearchContext(const RegexProgram& program, std::u16string_view text, bool ignoreCase);

    // Walks from `state` at `position` with `depth` transitions already taken: the end of the
    // first match in try-order, no match, or too deep when the path would exceed the step limit
    // before a match is found. On a match, captures() holds the groups of the matching path.
    MatchResult MatchFrom(std::int32_t state, std::size_t position, std::int32_t depth);

    // Slot n (n >= 1) holds where the matching path last passed group n's markers; groups the
    // path did not pass are (0, 0). Slot 0 is the caller's.
    std::vector<CaptureSpan>& captures() { return captures_; }
    // Zeroes every capture slot.
    void clearCaptures();
    // Number of failed (state, position) pairs remembered.
    std::size_t rememberedFailures() const { return memo_.size(); }

private:
    struct Frame {
        std::int32_t state;
        std::int32_t next;   // index of the next transition to try
        std::int32_t end;    // one past the state's last transition
        std::int32_t height; // deepest call below this frame so far, in steps
        std::size_t position;
        std::size_t trailMark; // capture writes to undo before each transition
    };
    // Memory values besides heights: a pair on the current path, a pair known to run too deep
    // at any depth, and a pair whose result is not known (treated as unrecorded).
    static constexpr std::int32_t kOnPath = -2;
    static constexpr std::int32_t kUnknown = -1;
    static constexpr std::int32_t kAlwaysTooDeep = 0x7FFFFFFF;

    struct TrailEntry {
        std::size_t* slot;
        std::size_t old;
    };

    // True when consuming transition t accepts unit c (classes never fold case).
    bool consumes(const RegexTransition& t, char16_t c) const {
        if (t.kind == RN_CLASS) {
            return program_.classSet(t.classIndex).contains(c);
        }
        return ignoreCase_ ? foldAsciiCase(c) == foldAsciiCase(t.ch) : c == t.ch;
    }
    void undoTo(std::size_t mark);
    std::uint64_t memoKey(std::int32_t state, std::size_t position) const {
        return static_cast<std::uint64_t>(position) * static_cast<std::uint64_t>(stateCount_) +
               static_cast<std::uint64_t>(state);
    }

    const RegexProgram& program_;
    std::u16string_view text_;
    bool ignoreCase_;
    std::int32_t stateCount_;
    std::vector<CaptureSpan> captures_;
    std::vector<Frame> stack_;
    std::vector<TrailEntry> trail_;
    RegexFailureMemo memo_;
};

// Searches `text` from `startIndex` forward (positions startIndex, startIndex + 1, ...) or
// backward (positions before startIndex, nearest first; a match may end after startIndex),
// folding A-Z in character transitions when ignoreCase is set. `textStartsLine` tells whether
// index 0 begins a line, so that a view may start in the middle of a longer text. Returns
// groupSlots with `captures` filled (slot 0 the match) on success, 0 with `captures` emptied
// otherwise.
int RegexSearch(const RegexProgram& program, std::u16string_view text,
                std::vector<CaptureSpan>& captures, bool ignoreCase, std::size_t startIndex,
                bool forward, bool textStartsLine = true);

} // namespace search
