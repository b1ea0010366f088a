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
// becomes '?' in code pages 932 and 1252 and U+FFFD (EF BF BD) in UTF-8. Code page 932 writes
// a few characters it lacks as a look-alike (U+00A2 as 81 91, which reads as U+FFE0).
//
// A Cp932Spelling (CodePage932Spelling.h) given to code page 932 records, on decoding, which
// of several codes each such character was read with, and makes encoding write that code.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace platform {

enum class CodePage : unsigned { ShiftJis = 932, Utf8 = 65001, Windows1252 = 1252 };

class Cp932Spelling;

inline constexpr std::size_t kNoUnit = static_cast<std::size_t>(-1);

struct DecodeResult {
    std::size_t units = 0;                  // UTF-16 units written
    std::size_t replacements = 0;           // invalid sequences that became U+FFFD
    std::size_t firstReplacement = kNoUnit; // the unit written for the first of them
    std::size_t respellings = 0;            // characters read with a code the spelling did not keep
    std::size_t firstRespelling = kNoUnit;  // the unit of the first of them
};

// Characters of a text that a code page cannot write as themselves.
struct UnencodableScan {
    std::size_t count = 0;       // characters (a surrogate pair is one)
    std::size_t first = kNoUnit; // the unit where the first of them starts
};

// Decodes bytes to UTF-16 into out, which has room for at least in.size() units; returns the
// number of units written. Never reads outside `in`.
std::size_t decodeToUtf16(CodePage page, std::span<const std::uint8_t> in, char16_t* out);

// As decodeToUtf16, and also counts the invalid sequences it replaced (a U+FFFD that was
// in the input as a valid character is not counted). With a spelling, code page 932 notes in it
// the code of every character that has several.
DecodeResult decodeToUtf16Counted(CodePage page, std::span<const std::uint8_t> in, char16_t* out,
                                  Cp932Spelling* spelling = nullptr);

// Whether decoding `in` would replace nothing; faster than decoding, for trying encodings.
bool decodesCleanly(CodePage page, std::span<const std::uint8_t> in);

// The most bytes encodeFromUtf16 can write for `units` code units.
std::size_t maxEncodedSize(CodePage page, std::size_t units);

// Encodes UTF-16 into out (room for maxEncodedSize bytes); returns bytes written. Code page 932
// writes the codes `spelling` kept.
std::size_t encodeFromUtf16(CodePage page, std::u16string_view in, std::uint8_t* out,
                            const Cp932Spelling* spelling = nullptr);

// The characters of `text` that encodeFromUtf16 would not write as themselves: '?' for a
// character the code page lacks, a look-alike, or U+FFFD for a lone surrogate in UTF-8. For
// code page 932 `carries`, when given, further rejects codes that the caller's own form of the
// text lacks (a code as in Cp932Spelling::encodeTable()).
UnencodableScan findUnencodable(CodePage page, std::u16string_view text,
                                const Cp932Spelling* spelling = nullptr,
                                bool (*carries)(std::uint16_t code) = nullptr);

} // namespace platform
