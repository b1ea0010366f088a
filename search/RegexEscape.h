#pragma once
// Decoding of the backslash escapes of patterns, used by the lexer, by class bodies and by
// class matching at match time, so that all three read an escape the same way.

#include <cstddef>
#include <string_view>

namespace search {

struct DecodedEscape {
    // A single unit, or a class text such as "0-9" or "^\t\r\n " (at most 11 units).
    char16_t units[12] = {};
    std::size_t size = 0;
    // Pattern units read after the backslash (the letter and any hex digits).
    std::size_t consumed = 0;

    // The decoded text up to its first U+0000: a decoded NUL is the empty class.
    std::u16string_view text() const;
};

// Decodes the escape whose letter starts `rest` (the unit after the backslash); `rest` must not
// be empty. "\x" reads at most 2 hex digits, "\u" at most 4; with none the result is U+0000.
DecodedEscape decodeEscape(std::u16string_view rest);

// True for the escape letters that stand for a class ("d", "D", "s", "S", "w", "W").
bool isClassEscapeLetter(char16_t letter);

} // namespace search
