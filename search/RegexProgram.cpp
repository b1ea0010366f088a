#include "search/RegexProgram.h"

#include "search/RegexStartFilter.h"

#include <cstdio>
#include <cstdlib>

namespace search {

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "RegexProgram invariant broken: %s\n", what);
        std::abort();
    }
}

} // namespace

RegexProgram::RegexProgram(ConstructionKey /*key*/) {}

RegexProgram::~RegexProgram() = default;

void RegexProgram::checkInvariants() const {
    const std::int32_t states = stateCount();
    require(states >= 2, "fewer than two states");
    require(stateFlags_.size() == static_cast<std::size_t>(states), "flags per state");
    require(classTexts_.size() == classSets_.size(), "one set per class text");
    require(groupSlots_ >= 1, "slot 0 exists");
    for (std::int32_t s = 0; s < states; ++s) {
        require(firstTransition_[s] <= firstTransition_[s + 1], "offsets ascend");
    }
    require(transitions(kFinalState).empty(), "nothing leaves the final state");
    for (std::int32_t s = 0; s < states; ++s) {
        require(!isEmptyLoopState(s) || (hasEmptyLoops_ && isJoinState(s)), "loops are joins");
    }
    for (const RegexTransition& t : transitions_) {
        require(t.target >= 0 && t.target < states, "target in range");
        require(t.target != kStartState, "nothing enters the start state");
        require(t.epsilon == (t.kind != RN_CHAR && t.kind != RN_CLASS), "consuming kinds");
        if (t.kind == RN_CLASS) {
            require(t.classIndex >= 0 && t.classIndex < classCount(), "class index");
        }
        if (t.kind == RN_GROUPOPEN || t.kind == RN_GROUPCLOSE) {
            require(t.group >= 1 && t.group < groupSlots_, "group number");
        }
        if (t.kind == RN_LINEEND) {
            require(hasLineEnd_ && t.target == kFinalState, "$ only into the final state");
        }
    }
    for (std::int32_t s = 0; s < states; ++s) {
        for (const RegexTransition& t : transitions(s)) {
            require(t.kind != RN_LINESTART || (hasLineStart_ && s == kStartState),
                    "^ only out of the start state");
        }
    }
}

} // namespace search
