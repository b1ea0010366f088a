#pragma once
// The arithmetic between a JIS X 0208 row/cell pair and the Shift_JIS pair of the same
// character. Every step is taken modulo 256, so bytes outside the JIS range give some pair
// rather than undefined results.

#include <cstdint>

namespace document {

struct BytePair {
    std::uint8_t first;
    std::uint8_t second;
    friend bool operator==(const BytePair&, const BytePair&) = default;
};

// The Shift_JIS pair of the JIS row/cell bytes (j1, j2), each meant to be 0x21-0x7E.
constexpr BytePair jisToSjis(std::uint8_t j1, std::uint8_t j2) {
    unsigned s1 = ((j1 + 1u) >> 1) + 0x70u;
    if (s1 >= 0xA0u) {
        s1 += 0x40u;
    }
    unsigned s2 = (j2 + ((j1 & 1u) != 0 ? 0x1Fu : 0x7Du)) & 0xFFu;
    if (s2 > 0x7Eu) {
        ++s2;
    }
    return {static_cast<std::uint8_t>(s1), static_cast<std::uint8_t>(s2)};
}

// The JIS row/cell bytes of the Shift_JIS pair (s1, s2).
constexpr BytePair sjisToJis(std::uint8_t s1, std::uint8_t s2) {
    const unsigned c = s2 < 0x80u ? s2 : s2 - 1u;
    const unsigned d = (s1 < 0xE0u ? 2u * (s1 - 0x70u) : 2u * (s1 - 0xB0u)) & 0xFFu;
    if (c < 0x9Eu) {
        return {static_cast<std::uint8_t>(d - 1u), static_cast<std::uint8_t>(c - 0x1Fu)};
    }
    return {static_cast<std::uint8_t>(d), static_cast<std::uint8_t>(c - 0x7Du)};
}

// True for a Shift_JIS lead byte (81-9F, E0-FC).
constexpr bool isSjisLeadByte(std::uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// True when (j1, j2) is a JIS X 0208 row/cell, which EUC-JP and ISO-2022-JP can carry; the
// vendor and user-defined rows of Shift_JIS (F0-FC) map outside it.
constexpr bool isJisCell(BytePair j) {
    return j.first >= 0x21 && j.first <= 0x7E && j.second >= 0x21 && j.second <= 0x7E;
}

} // namespace document
