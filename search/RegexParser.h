#pragma once
// Lexer and recursive-descent parser of search patterns. Every pattern text is accepted:
// malformed patterns have a defined meaning (an unterminated class or count ends the pattern,
// a stray ")" ends it, a missing ")" closes at the end). Only resource limits make a parse
// fail: too many tree nodes (counted repetitions copy their operand) or groups nested too deep.

#include "search/RegexNode.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace search {

class RegexParser {
public:
    // Most nodes one pattern may produce; beyond it the compile fails as if out of memory.
    static constexpr std::size_t kNodeBudget = std::size_t{1} << 17;
    // Deepest group nesting the parser follows.
    static constexpr int kMaxNesting = 1000;
    // Class text buffer size in units, its terminating NUL included.
    static constexpr std::size_t kClassTextSize = 256;

    enum class Token : std::uint8_t {
        Literal,
        Class,
        Count,
        LazyCount,
        Open,
        Close,
        LazyStar,
        LazyPlus,
        LazyQuestion,
        Star,
        Plus,
        Question,
        LineStart,
        LineEnd,
        Alt,
        End,
    };

    // Prepares to parse `pattern`, which ends at its first U+0000 or at the view's end; the
    // pattern's storage must outlive the parser.
    // A parser for `pattern` that may produce at most `nodeBudget` nodes.
    explicit RegexParser(std::u16string_view pattern, std::size_t nodeBudget = kNodeBudget);

    // Parses the whole pattern; false only when a resource limit was reached.
    bool parse();
    // The finished tree (after a successful parse).
    RegexNodePtr takeRoot() { return std::move(root_); }
    // Number of "(" in the pattern.
    std::int32_t groupCount() const { return groupCount_; }

    // Reads the next token into token(), ch(), classText(), repMin(), repMax().
    void next();
    Token token() const { return token_; }
    char16_t ch() const { return ch_; }
    std::u16string_view classText() const { return classText_; }
    std::int32_t repMin() const { return repMin_; }
    std::int32_t repMax() const { return repMax_; }

private:
    bool atEnd() const { return cursor_ >= pattern_.size(); }
    void lexCount();
    void lexClassBody();
    void lexEscape();
    RegexNodePtr expression();
    RegexNodePtr sequence();
    RegexNodePtr quantified();
    RegexNodePtr primary();
    RegexNodePtr counted(RegexNodePtr operand, bool lazy);
    RegexNodePtr node(RegexNodeKind kind, RegexNodePtr left = nullptr,
                      RegexNodePtr right = nullptr);
    RegexNodePtr copyOf(const RegexNodePtr& operand);
    void fail();

    std::u16string_view pattern_;
    std::size_t cursor_ = 0;
    Token token_ = Token::End;
    char16_t ch_ = 0;
    std::u16string classText_;
    std::int32_t repMin_ = 0;
    std::int32_t repMax_ = 0;
    std::int32_t groupCount_ = 0;
    RegexNodePtr root_;
    std::size_t nodeBudget_;
    int nesting_ = 0;
    bool failed_ = false;
};

} // namespace search
