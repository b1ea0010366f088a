#pragma once
// The code page 932 mapping tables, generated from a reference codec by
// tools/gen_cp932_table.py. Only the converter in CodePage932.cpp uses them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace platform::cp932 {

// Lead bytes of double-byte codes: 81-9F and E0-FC.
inline constexpr bool isLeadByte(std::uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}
// Row of a lead byte in kDoubleByte; only for isLeadByte(b).
inline constexpr unsigned leadIndex(std::uint8_t b) {
    return b <= 0x9F ? b - 0x81u : b - 0xE0u + 31u;
}
inline constexpr std::size_t kLeadCount = 60;
inline constexpr unsigned kTrailFirst = 0x40;
inline constexpr std::size_t kTrailCount = 0xC0;

struct EncodeOverride {
    char16_t unit;
    std::uint16_t code;
};

// Character of each single byte; 0 for lead bytes, U+FFFD for bytes that are no character.
extern const std::array<char16_t, 256> kSingleByte;
// Character of each lead/trail pair (trail 40-FF) row by row; 0 where the pair is unmapped.
extern const std::array<char16_t, kLeadCount * kTrailCount> kDoubleByte;
// Encodings that differ from the lowest code decoding to the character, sorted by unit:
// the preferred code among duplicates, and one-way mappings.
extern const std::span<const EncodeOverride> kEncodeOverrides;

} // namespace platform::cp932
