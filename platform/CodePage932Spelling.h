#pragma once
// Which code a text used for the code page 932 characters that have more than one. NEC row 13
// and the IBM extension rows repeat some JIS X 0208 symbols and each other (U+2235 is 81E6,
// 879A and FA5B; U+7E8A is ED40 and FA5C), and the encoder writes only one of them. Decoding
// with a spelling notes the code each such character was read with; encoding with the same
// spelling writes that code again, so text that was read and left alone is written back byte
// for byte, and characters typed later follow the text's own habit.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform {

class Cp932Spelling {
public:
    using EncodeTable = std::array<std::uint16_t, 0x10000>;

    // Notes that a character was read with the pair `code` (lead << 8 | trail). The first code
    // of each character is kept; false when a different one was kept before (the text spells
    // the character two ways, and only the kept one is written back). Codes of characters
    // with a single code are accepted and not kept.
    bool note(std::uint16_t code);
    // Whether any kept code differs from the one written without a spelling.
    bool differsFromDefault() const;
    // The code written for each UTF-16 unit (a byte below 0x100, else lead << 8 | trail; 0 for
    // a unit the code page lacks): the encoder's own table with the kept codes in place.
    const EncodeTable& encodeTable() const;

    friend bool operator==(const Cp932Spelling& a, const Cp932Spelling& b) {
        return a.kept_ == b.kept_;
    }

private:
    // The kept code of each character with several codes, by its index among them; 0 while
    // none was read. Empty until the first such character is noted.
    std::vector<std::uint16_t> kept_;
    // Built on first use after a change (empty while the default table serves); copies share
    // it and never change it.
    mutable std::shared_ptr<const EncodeTable> table_;
    mutable bool tableReady_ = false;
};

// Whether the pair `code` is one of several codes of its character; cheap enough for every pair
// a decoder reads.
bool isCp932VariantCode(std::uint16_t code);

// The encoder's table without a spelling.
const Cp932Spelling::EncodeTable& cp932DefaultEncodeTable();

// Whether decoding `code` (as encodeTable() holds it) gives back `unit`: false for units the
// code page lacks and for those written as a look-alike (U+00A2 as FFE0's 81 91).
bool cp932RoundTrips(char16_t unit, std::uint16_t code);

} // namespace platform
