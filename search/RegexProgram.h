#pragma once
// A compiled pattern: a small automaton whose states hold their transitions in a fixed
// try-order, so that the backtracking matcher finds greedy, lazy and first-alternative-first
// matches. Immutable once compiled; one program serves any number of searches.

#include "search/ClassMatch.h"
#include "search/RegexNode.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace search {

class RegexStartFilter;

struct RegexTransition {
    RegexNodeKind kind = RN_EMPTY; // the node kind that produced it
    bool epsilon = true;           // false for RN_CHAR and RN_CLASS, which consume one unit
    char16_t ch = 0;               // RN_CHAR
    std::int32_t classIndex = -1;  // RN_CLASS: index into the program's classes
    std::int32_t group = 0;        // RN_GROUPOPEN, RN_GROUPCLOSE
    std::int32_t target = 0;       // state reached
};

class RegexProgram;
using RegexProgramPtr = std::unique_ptr<RegexProgram>;

class RegexProgram {
public:
    static constexpr std::int32_t kStartState = 0;
    static constexpr std::int32_t kFinalState = 1;

    // Compiles any pattern text (up to its first U+0000); null only when memory, the node
    // budget or the nesting limit runs out. Freeing is the pointer's destruction.
    static RegexProgramPtr Compile(std::u16string_view pattern);
    // The same with a smaller node budget (RegexParser::kNodeBudget above), so that a caller
    // that compiles many patterns, such as a fuzzer, can keep each one cheap.
    static RegexProgramPtr Compile(std::u16string_view pattern, std::size_t nodeBudget);

    std::int32_t stateCount() const {
        return static_cast<std::int32_t>(firstTransition_.size()) - 1;
    }
    // The transitions leaving `state`, in the order the matcher tries them.
    std::span<const RegexTransition> transitions(std::int32_t state) const {
        return {transitions_.data() + firstTransition_[state],
                transitions_.data() + firstTransition_[state + 1]};
    }
    // Offsets of a state's transitions among all of them: [firstTransition(s),
    // firstTransition(s + 1)), in try-order.
    std::int32_t firstTransition(std::int32_t state) const { return firstTransition_[state]; }
    const RegexTransition& transition(std::int32_t index) const { return transitions_[index]; }
    // Number of capture slots: one per group plus slot 0 for the whole match.
    std::int32_t groupSlots() const { return groupSlots_; }
    // Whether "^" / "$" survived at the start / end of some top-level alternative; both apply
    // to the whole program.
    bool hasLineStart() const { return hasLineStart_; }
    bool hasLineEnd() const { return hasLineEnd_; }
    // True for states more than one path can reach (several incoming transitions, or the start
    // state with any): only there can the matcher meet a (state, position) pair twice.
    bool isJoinState(std::int32_t state) const { return (stateFlags_[state] & kJoin) != 0; }
    // True for the loop state of a repetition whose operand can match the empty string: every
    // loop the matcher can run around without consuming a unit passes through such a state.
    bool isEmptyLoopState(std::int32_t state) const {
        return (stateFlags_[state] & kEmptyLoop) != 0;
    }
    bool hasEmptyLoops() const { return hasEmptyLoops_; }
    // The class text and its precomputed set for RN_CLASS transitions.
    std::u16string_view classText(std::int32_t index) const { return classTexts_[index]; }
    const ClassSet& classSet(std::int32_t index) const { return classSets_[index]; }
    std::int32_t classCount() const { return static_cast<std::int32_t>(classSets_.size()); }

    // Checks the structure (targets in range, nothing leaves the final state, payloads valid);
    // aborts with a message when broken.
    void checkInvariants() const;

    // Only the builder can make the key, so programs come from Compile alone.
    class ConstructionKey {
        friend class RegexProgramBuilder;
        ConstructionKey() = default;
    };
    explicit RegexProgram(ConstructionKey key);
    ~RegexProgram();
    RegexProgram(const RegexProgram&) = delete;
    RegexProgram& operator=(const RegexProgram&) = delete;

    // Where matches can begin, for searches with (true) or without A-Z folding.
    const RegexStartFilter& startFilter(bool ignoreCase) const {
        return *startFilters_[ignoreCase ? 1 : 0];
    }

private:
    friend class RegexProgramBuilder;

    std::vector<std::int32_t> firstTransition_; // stateCount + 1 offsets into transitions_
    std::vector<RegexTransition> transitions_;
    std::vector<std::u16string> classTexts_;
    std::vector<ClassSet> classSets_;
    static constexpr std::uint8_t kJoin = 1;
    static constexpr std::uint8_t kEmptyLoop = 2;
    std::vector<std::uint8_t> stateFlags_;
    bool hasEmptyLoops_ = false;
    std::int32_t groupSlots_ = 1;
    bool hasLineStart_ = false;
    bool hasLineEnd_ = false;
    std::unique_ptr<const RegexStartFilter> startFilters_[2];
};

} // namespace search
