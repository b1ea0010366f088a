#pragma once
// EUC-JP <-> Shift_JIS byte conversion: EUC-JP is read and written through Shift_JIS, which
// the code-page converter turns into UTF-16. Both directions look at the byte after a lead
// byte only inside the span they are given, so a lead byte at the end of a line is never
// paired with the line break or with bytes past the data.

#include <cstddef>
#include <cstdint>
#include <span>

namespace document {

// A Shift_JIS lead byte: on its own (at the end, or before a NUL) it is an invalid sequence.
inline constexpr std::uint8_t kLoneLeadByte = 0x81;

// Converts EUC-JP bytes to Shift_JIS into `out` (room for in.size() bytes: the output is
// never longer); returns the bytes written. A high byte followed by a non-zero byte is a pair
// (8E and a kana byte gives the kana byte; 8F is not treated specially). A high byte with no
// partner (the last byte of `in`, or one before a NUL) becomes kLoneLeadByte, which the
// Shift_JIS converter turns into one replacement character, as it does any invalid sequence.
std::size_t eucToSjis(std::span<const std::uint8_t> in, std::uint8_t* out);

// The number of bytes sjisToEuc() writes for `in`.
std::size_t sjisToEucSize(std::span<const std::uint8_t> in);
// Converts Shift_JIS bytes to EUC-JP into `out` (room for sjisToEucSize(in) bytes); returns
// the bytes written. Half-width katakana A0-DF becomes 8E and the byte; a character EUC-JP
// lacks (single bytes 80 and FD-FF, pairs outside JIS X 0208, a lead byte without partner)
// becomes '?'.
std::size_t sjisToEuc(std::span<const std::uint8_t> in, std::uint8_t* out);

} // namespace document
