#pragma once
// EUC-JP <-> Shift_JIS byte conversion: EUC-JP is read and written through Shift_JIS, which
// the code-page converter turns into UTF-16. Both directions look at the byte after a lead
// byte only inside the span they are given, so a lead byte at the end of a line is never
// paired with the line break or with bytes past the data.

#include <cstddef>
#include <cstdint>
#include <span>

namespace document {

// Stands for an invalid sequence in the Shift_JIS form: a lead byte of a row that code page 932
// leaves empty, so it never forms a character with the byte after it and the code-page
// converter turns it into exactly one replacement character, then reads on.
inline constexpr std::uint8_t kInvalidSequence = 0x85;

// Converts EUC-JP bytes to Shift_JIS into `out` (room for in.size() bytes: the output is
// never longer); returns the bytes written. A1-FE followed by A1-FE is a JIS X 0208 pair, 8E
// followed by A0-DF a half-width katakana. Anything else at or above 80 is an invalid
// sequence and becomes kInvalidSequence: a lone byte (also at the end of `in`, which is never
// paired with a line break or bytes past the data), or 8F with the two bytes of a JIS X 0212
// character, which code page 932 lacks. The byte after a lone byte is read afresh, so it is
// never swallowed.
std::size_t eucToSjis(std::span<const std::uint8_t> in, std::uint8_t* out);

// Whether EUC-JP has the character of a code page 932 code (a byte, or lead << 8 | trail):
// ASCII, the half-width katakana A0-DF and the pairs of JIS X 0208 rows.
bool eucCarries(std::uint16_t code);

// The number of bytes sjisToEuc() writes for `in`.
std::size_t sjisToEucSize(std::span<const std::uint8_t> in);
// Converts Shift_JIS bytes to EUC-JP into `out` (room for sjisToEucSize(in) bytes); returns
// the bytes written. Half-width katakana A0-DF becomes 8E and the byte; a character EUC-JP
// lacks (single bytes 80 and FD-FF, pairs outside JIS X 0208, a lead byte without partner)
// becomes '?'.
std::size_t sjisToEuc(std::span<const std::uint8_t> in, std::uint8_t* out);

} // namespace document
