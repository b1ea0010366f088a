#pragma once
// ISO-2022-JP <-> Shift_JIS byte conversion. Reading carries the shift state from one call to
// the next, so a kanji run that goes on over a line break reads right; writing converts every
// line on its own, starting in ASCII and ending every non-empty line with ESC ( B.

#include "document/JisShiftState.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace document {

// Converts ISO-2022-JP bytes to Shift_JIS into `out` (room for in.size() bytes), starting in
// and updating `state`; returns the bytes written. ESC $ B and ESC $ @ (kanji), ESC ( B and
// ESC ( J (ASCII) and ESC ( I (kana) switch the state and are dropped; every other byte is
// taken in the current state. Controls and space
// pass through in every state. In kanji mode two bytes 21-7E are a JIS X 0208 pair, in kana
// mode a byte 21-5F is a half-width katakana; any other byte (a lone kanji byte at the end
// of `in`, a byte with the high bit set) is an invalid sequence and becomes kInvalidSequence.
std::size_t jisToSjis(std::span<const std::uint8_t> in, std::uint8_t* out, JisShiftState& state);

// Whether ISO-2022-JP has the character of a code page 932 code (a byte, or lead << 8 | trail):
// ASCII, the half-width katakana A1-DF and the pairs of JIS X 0208 rows.
bool jisCarries(std::uint16_t code);

// The number of bytes sjisToJis() writes for `in`.
std::size_t sjisToJisSize(std::span<const std::uint8_t> in);
// Converts Shift_JIS bytes to ISO-2022-JP into `out` (room for sjisToJisSize(in) bytes),
// starting in ASCII and always ending with ESC ( B; returns the bytes written. A character
// ISO-2022-JP lacks becomes '?', as in sjisToEuc().
std::size_t sjisToJis(std::span<const std::uint8_t> in, std::uint8_t* out);

} // namespace document
