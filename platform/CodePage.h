#pragma once
// Conversion between the code pages a document can be stored in and UTF-16.
//
// Decoding never fails: each invalid byte sequence becomes one U+FFFD.
//  - Code page 932 (Shift_JIS as Windows extends it): a single byte maps through the table
//    (80 -> U+0080, A0 -> U+F8F0, FD-FF -> U+F8F1-U+F8F3); a lead byte (81-9F, E0-FC)
//    together with the next byte forms a character when that pair is mapped. Otherwise the
//    lead byte alone is the invalid sequence: it becomes U+FFFD and the byte after it is
//    decoded afresh, so an ASCII byte after a stray lead byte is never lost. A lead byte at
//    the end of the input becomes U+FFFD.
//  - Code page 65001 (UTF-8): strict; overlong forms, encoded surrogates, values above
//    U+10FFFF and truncated sequences are invalid. Each maximal subpart of a sequence (the
//    longest prefix that could still begin a valid sequence, or else one byte) becomes one
//    U+FFFD: E3 81 41 gives U+FFFD 'A', C0 80 gives two, ED A0 80 gives three.
//  - Code page 1252: every byte is a character (81, 8D, 8F, 90, 9D map to U+0081 etc.).
//
// Encoding never fails: a character the code page lacks becomes '?'. A surrogate pair is one
// character (one '?' in code pages 932 and 1252). A lone surrogate is no character: it
// becomes '?' in code pages 932 and 1252 and U+FFFD (EF BF BD) in UTF-8.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

enum class CodePage : unsigned { ShiftJis = 932, Utf8 = 65001, Windows1252 = 1252 };

struct DecodeResult {
    std::size_t units = 0;        // UTF-16 units written
    std::size_t replacements = 0; // invalid sequences that became U+FFFD
};

// Decodes bytes to UTF-16 into out, which has room for at least in.size() units; returns the
// number of units written. Never reads outside `in`.
std::size_t decodeToUtf16(CodePage page, std::span<const std::uint8_t> in, char16_t* out);

// As decodeToUtf16, and also counts the invalid sequences it replaced (a U+FFFD that was
// in the input as a valid character is not counted).
DecodeResult decodeToUtf16Counted(CodePage page, std::span<const std::uint8_t> in, char16_t* out);

// The most bytes encodeFromUtf16 can write for `units` code units.
std::size_t maxEncodedSize(CodePage page, std::size_t units);

// Encodes UTF-16 into out (room for maxEncodedSize bytes); returns bytes written.
std::size_t encodeFromUtf16(CodePage page, std::u16string_view in, std::uint8_t* out);

} // namespace platform
