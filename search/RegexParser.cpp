#include "search/RegexParser.h"

#include "search/RegexEscape.h"

#include <algorithm>
#include <limits>
#include <vector>

namespace search {

namespace {

constexpr std::u16string_view kAnyCharClass = u"\t -\uFFFD";

// number * 10 + digit, held at the largest count instead of overflowing; such a count exceeds
// the node budget anyway.
std::int32_t appendDigit(std::int32_t number, char16_t digit) {
    constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
    const std::int32_t d = digit - u'0';
    if (number > (kMax - d) / 10) {
        return kMax;
    }
    return number * 10 + d;
}

// Number of nodes in the subtree at `root` (0 for an absent one).
std::uint64_t subtreeSize(const RegexNode* root) {
    std::uint64_t count = 0;
    std::vector<const RegexNode*> pending{root};
    while (!pending.empty()) {
        const RegexNode* node = pending.back();
        pending.pop_back();
        if (node != nullptr) {
            ++count;
            pending.push_back(node->left.get());
            pending.push_back(node->right.get());
        }
    }
    return count;
}

} // namespace

RegexParser::RegexParser(std::u16string_view pattern, std::size_t nodeBudget)
    : pattern_(pattern.substr(0, std::min(pattern.size(), pattern.find(u'\0')))),
      nodeBudget_(nodeBudget) {}

bool RegexParser::parse() {
    next();
    root_ = expression();
    // Whatever token stopped the top expression ends the pattern (a stray ")" included).
    if (failed_) {
        root_.reset();
    }
    return !failed_;
}

void RegexParser::fail() {
    failed_ = true;
    token_ = Token::End;
}

void RegexParser::next() {
    ch_ = 0;
    if (failed_ || atEnd()) {
        token_ = Token::End;
        return;
    }
    const char16_t c = pattern_[cursor_];
    const char16_t after = cursor_ + 1 < pattern_.size() ? pattern_[cursor_ + 1] : u'\0';
    ++cursor_;
    switch (c) {
    case u'(':
        token_ = Token::Open;
        return;
    case u')':
        token_ = Token::Close;
        return;
    case u'*':
    case u'+':
    case u'?':
        if (after == u'?') {
            ++cursor_;
            token_ = c == u'*'   ? Token::LazyStar
                     : c == u'+' ? Token::LazyPlus
                                 : Token::LazyQuestion;
        } else {
            token_ = c == u'*' ? Token::Star : c == u'+' ? Token::Plus : Token::Question;
        }
        return;
    case u'{':
        lexCount();
        return;
    case u'.':
        classText_ = kAnyCharClass;
        token_ = Token::Class;
        return;
    case u'[':
        lexClassBody();
        return;
    case u'^':
        ch_ = c;
        token_ = Token::LineStart;
        return;
    case u'$':
        ch_ = c;
        token_ = Token::LineEnd;
        return;
    case u'|':
        token_ = Token::Alt;
        return;
    case u'\\':
        lexEscape();
        return;
    default:
        // A "]" or "}" outside a class or count stands for itself, and so does "}" of "}?"
        // (the "?" then quantifies it): there is no earlier class or count to borrow.
        ch_ = c;
        token_ = Token::Literal;
        return;
    }
}

void RegexParser::lexCount() {
    token_ = Token::End;
    if (atEnd()) {
        return;
    }
    repMin_ = 0;
    repMax_ = 0;
    bool onMin = true;
    for (;;) {
        if (atEnd()) {
            // An unterminated count drops the rest of the pattern.
            token_ = Token::End;
            return;
        }
        const char16_t c = pattern_[cursor_++];
        if (c >= u'0' && c <= u'9') {
            std::int32_t& number = onMin ? repMin_ : repMax_;
            number = appendDigit(number, c);
        } else if (c == u',') {
            onMin = false;
        } else if (c == u'}') {
            if (onMin) {
                repMax_ = repMin_;
            }
            break;
        }
    }
    token_ = Token::Count;
    if (!atEnd() && pattern_[cursor_] == u'?') {
        ++cursor_;
        token_ = Token::LazyCount;
    }
}

void RegexParser::lexClassBody() {
    classText_.clear();
    // Members that do not fit the class buffer are dropped whole, so the kept text never ends
    // in half an escape; the body is still read up to its "]".
    bool full = false;
    auto append = [&](std::u16string_view units) {
        if (full || classText_.size() + units.size() > kClassTextSize - 1) {
            full = true;
            return;
        }
        classText_ += units;
    };
    if (!atEnd() && pattern_[cursor_] == u']') {
        append(u"]");
        ++cursor_;
    }
    if (pattern_.substr(cursor_, 2) == u"^]") {
        append(u"^]");
        cursor_ += 2;
    }
    for (;;) {
        if (atEnd()) {
            token_ = Token::End;
            return;
        }
        const char16_t c = pattern_[cursor_];
        if (c == u']') {
            ++cursor_;
            break;
        }
        if (c != u'\\') {
            append(pattern_.substr(cursor_, 1));
            ++cursor_;
            continue;
        }
        if (cursor_ + 1 >= pattern_.size()) {
            cursor_ = pattern_.size();
            token_ = Token::End;
            return;
        }
        const char16_t letter = pattern_[cursor_ + 1];
        if (isClassEscapeLetter(letter) || letter == u'\\') {
            // Kept as written; class matching expands them.
            append(pattern_.substr(cursor_, 2));
            cursor_ += 2;
            continue;
        }
        const DecodedEscape escape = decodeEscape(pattern_.substr(cursor_ + 1));
        append(std::u16string_view(escape.units, 1));
        cursor_ += 1 + escape.consumed;
    }
    // A decoded U+0000 ends the class text, as the text is read up to its first NUL.
    classText_.resize(std::min(classText_.size(), classText_.find(u'\0')));
    token_ = Token::Class;
}

void RegexParser::lexEscape() {
    if (atEnd()) {
        // A pattern ending in a single backslash ends with a literal backslash.
        ch_ = u'\\';
        token_ = Token::Literal;
        return;
    }
    const DecodedEscape escape = decodeEscape(pattern_.substr(cursor_));
    cursor_ += escape.consumed;
    const std::u16string_view text = escape.text();
    if (text.size() == 1) {
        ch_ = text[0];
        token_ = Token::Literal;
    } else {
        // A class escape, or a decoded U+0000: the empty class, which matches nothing.
        classText_ = text;
        token_ = Token::Class;
    }
}

RegexNodePtr RegexParser::node(RegexNodeKind kind, RegexNodePtr left, RegexNodePtr right) {
    if (nodeBudget_ == 0) {
        fail();
        return nullptr;
    }
    --nodeBudget_;
    return makeRegexNode(kind, std::move(left), std::move(right));
}

RegexNodePtr RegexParser::copyOf(const RegexNodePtr& operand) {
    RegexNodePtr copy;
    if (!copyRegexTree(operand.get(), copy, nodeBudget_)) {
        fail();
        return nullptr;
    }
    return copy;
}

RegexNodePtr RegexParser::expression() {
    if (++nesting_ > kMaxNesting) {
        fail();
    }
    RegexNodePtr expr = sequence();
    while (token_ == Token::Alt) {
        next();
        RegexNodePtr later = sequence();
        // The later alternative is the left child; the builder tries right children first.
        expr = node(RN_ALT, std::move(later), std::move(expr));
    }
    --nesting_;
    return expr;
}

RegexNodePtr RegexParser::sequence() {
    auto ends = [this] {
        return token_ == Token::Close || token_ == Token::Alt || token_ == Token::End;
    };
    if (ends()) {
        return node(RN_EMPTY);
    }
    RegexNodePtr seq = quantified();
    while (!ends()) {
        RegexNodePtr more = quantified();
        seq = node(RN_CONCAT, std::move(seq), std::move(more));
    }
    return seq;
}

RegexNodePtr RegexParser::quantified() {
    RegexNodePtr x = primary();
    RegexNodePtr result;
    switch (token_) {
    case Token::Star:
        result = node(RN_STAR, std::move(x));
        break;
    case Token::LazyStar:
        result = node(RN_LAZYSTAR, std::move(x));
        break;
    case Token::Plus:
    case Token::LazyPlus: {
        RegexNodePtr copy = copyOf(x);
        RegexNodePtr star = node(token_ == Token::Plus ? RN_STAR : RN_LAZYSTAR, std::move(copy));
        result = node(RN_CONCAT, std::move(x), std::move(star));
        break;
    }
    case Token::Question:
        result = node(RN_ALT, node(RN_EMPTY), std::move(x));
        break;
    case Token::LazyQuestion: {
        RegexNodePtr empty = node(RN_EMPTY);
        result = node(RN_ALT, std::move(x), std::move(empty));
        break;
    }
    case Token::Count:
    case Token::LazyCount:
        result = counted(std::move(x), token_ == Token::LazyCount);
        break;
    default:
        return x;
    }
    next();
    return result;
}

RegexNodePtr RegexParser::counted(RegexNodePtr x, bool lazy) {
    const std::int32_t m = repMin_;
    const std::int32_t n = repMax_;
    // Refuse at once an expansion that cannot fit the budget, instead of copying up to it.
    const std::uint64_t copySize = subtreeSize(x.get());
    const std::uint64_t extra = n > m ? static_cast<std::uint64_t>(n - m) : 0;
    const std::uint64_t needed = (n == 0 ? copySize + 1 : 1) + extra * (copySize + 3) +
                                 static_cast<std::uint64_t>(m) * (copySize + 1);
    if (needed > nodeBudget_) {
        fail();
        return nullptr;
    }
    // n = 0 stands for no upper bound.
    RegexNodePtr acc = n == 0 ? node(lazy ? RN_LAZYSTAR : RN_STAR, copyOf(x)) : node(RN_EMPTY);
    for (std::int64_t i = 0; i < std::int64_t{n} - m && !failed_; ++i) {
        RegexNodePtr copy = copyOf(x);
        RegexNodePtr empty = node(RN_EMPTY);
        RegexNodePtr opt = lazy ? node(RN_ALT, std::move(copy), std::move(empty))
                                : node(RN_ALT, std::move(empty), std::move(copy));
        acc = node(RN_CONCAT, std::move(acc), std::move(opt));
    }
    for (std::int32_t i = 0; i < m && !failed_; ++i) {
        RegexNodePtr copy = copyOf(x);
        acc = node(RN_CONCAT, std::move(copy), std::move(acc));
    }
    if (m == 0) {
        RegexNodePtr empty = node(RN_EMPTY);
        acc = lazy ? node(RN_ALT, std::move(acc), std::move(empty))
                   : node(RN_ALT, std::move(empty), std::move(acc));
    }
    return acc;
}

RegexNodePtr RegexParser::primary() {
    RegexNodePtr result;
    switch (token_) {
    case Token::Literal:
        result = node(RN_CHAR);
        if (result) {
            result->ch = ch_;
        }
        break;
    case Token::Class:
        result = node(RN_CLASS);
        if (result) {
            result->classText = classText_;
        }
        break;
    case Token::LineStart:
        result = node(RN_LINESTART);
        break;
    case Token::LineEnd:
        result = node(RN_LINEEND);
        break;
    case Token::Open: {
        const std::int32_t group = ++groupCount_;
        next();
        RegexNodePtr content = expression();
        RegexNodePtr open = node(RN_GROUPOPEN);
        RegexNodePtr close = node(RN_GROUPCLOSE);
        if (open) {
            open->group = group;
        }
        if (close) {
            close->group = group;
        }
        RegexNodePtr inner = node(RN_CONCAT, std::move(content), std::move(close));
        result = node(RN_CONCAT, std::move(open), std::move(inner));
        break;
    }
    default:
        // No operand; the token is left for the caller.
        return nullptr;
    }
    // The token after the operand (for a group normally its ")"; at the end nothing moves).
    next();
    return result;
}

} // namespace search
