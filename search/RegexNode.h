#pragma once
// The parse tree of a pattern. It lives only during one compile; the builder turns it into a
// RegexProgram. Patterns can be long (a pasted paragraph) and counted repetitions copy their
// operand, so every walk over the tree here is iterative: no recursion on the tree's depth.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace search {

enum RegexNodeKind : std::uint8_t {
    RN_CHAR = 0,
    RN_LINESTART = 1,
    RN_LINEEND = 2,
    RN_CLASS = 3,
    RN_CONCAT = 4,
    RN_ALT = 5,
    RN_STAR = 6,
    RN_LAZYSTAR = 7,
    RN_EMPTY = 8,
    RN_GROUPOPEN = 9,
    RN_GROUPCLOSE = 10,
};

struct RegexNode;
using RegexNodePtr = std::unique_ptr<RegexNode>;

struct RegexNode {
    RegexNodeKind kind = RN_EMPTY;
    char16_t ch = 0;          // RN_CHAR
    std::u16string classText; // RN_CLASS
    std::int32_t group = 0;   // RN_GROUPOPEN, RN_GROUPCLOSE
    RegexNodePtr left;        // RN_CONCAT, RN_ALT, RN_STAR, RN_LAZYSTAR (operand); may be null
    RegexNodePtr right;       // RN_CONCAT, RN_ALT; may be null

    RegexNode() = default;
    RegexNode(const RegexNode&) = delete;
    RegexNode& operator=(const RegexNode&) = delete;
    // Frees the subtree without recursion, however deep it is.
    ~RegexNode();
};

// Makes a node of `kind` with the given children (either may be null).
RegexNodePtr makeRegexNode(RegexNodeKind kind, RegexNodePtr left = nullptr,
                           RegexNodePtr right = nullptr);

// Copies the subtree at `source` (null copies to null) with every payload. Each created node is
// taken from `nodeBudget`; when the budget runs out the copy stops and returns false.
bool copyRegexTree(const RegexNode* source, RegexNodePtr& copy, std::size_t& nodeBudget);

} // namespace search
