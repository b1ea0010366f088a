#pragma once
// Turns a parse tree into a RegexProgram. Each state's transitions form a list into which a new
// transition is always inserted at the head, so the ones built later are tried first; the
// finished lists are then laid out contiguously in that try-order.

#include "search/RegexNode.h"
#include "search/RegexProgram.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace search {

class RegexProgramBuilder {
public:
    // Builds the program for `root` with `groupCount` groups.
    static RegexProgramPtr build(const RegexNode* root, std::int32_t groupCount);

private:
    struct Link {
        RegexTransition transition;
        std::int32_t next = -1; // next transition of the same state, in try-order
    };

    explicit RegexProgramBuilder(std::int32_t stateCount);
    void buildTree(const RegexNode* root);
    // Creates a transition out of `from` and inserts it at the head of from's list.
    void add(std::int32_t from, RegexTransition transition);
    void addEpsilon(std::int32_t from, std::int32_t to, RegexNodeKind kind = RN_EMPTY,
                    std::int32_t group = 0);
    std::int32_t internClass(const std::u16string& text);
    RegexProgramPtr finish(std::int32_t groupCount);

    std::vector<std::int32_t> heads_;
    std::vector<std::int32_t> emptyLoops_;
    std::vector<Link> links_;
    std::int32_t nextFree_ = 2;
    std::map<std::u16string, std::int32_t> classIndex_;
    std::vector<std::u16string> classTexts_;
    bool hasLineStart_ = false;
    bool hasLineEnd_ = false;
};

} // namespace search
