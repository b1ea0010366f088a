#pragma once
// The two interchangeable search strategies of Find and Replace: a regular expression or a
// literal text. One matcher serves one command: it is compiled once and asked as often as the
// command needs.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace search {

class TextMatcher {
public:
    virtual ~TextMatcher() = default;

    // Search without regard to case; read by Find, so it may be set before or after Compile.
    std::uint8_t ignoreCase = 0;

    // Prepares the pattern; false only when memory runs out (nothing can be searched then).
    virtual bool Compile(std::u16string_view pattern) = 0;
    // Forward: the first match starting at or after `position`; backward: the nearest one
    // starting before it. Positions index `text`, whose end is the end of the text (a U+0000
    // inside it is an ordinary character). On success `position` is the match's start and
    // `end` the index after it.
    virtual bool Find(bool forward, std::u16string_view text, std::size_t& position,
                      std::size_t& end) const = 0;
    // Forward search in `tail`, the remainder of a longer text: the same as Find, except that
    // index 0 begins a line only when `startsLine` is set.
    virtual bool FindInTail(std::u16string_view tail, bool startsLine, std::size_t& position,
                            std::size_t& end) const = 0;

protected:
    TextMatcher() = default;
    TextMatcher(const TextMatcher&) = default;
    TextMatcher& operator=(const TextMatcher&) = default;
};

// A regular-expression matcher when `useRegex` is set, else a literal one.
std::unique_ptr<TextMatcher> MakeTextMatcher(bool useRegex);

} // namespace search
