#include "document/EucSjisConverter.h"

#include "document/SjisJisPair.h"

#include <array>

namespace document {

namespace {

// The Shift_JIS pair of every EUC-JP pair A1-FE x A1-FE, so that the hot loop of decoding
// does one lookup instead of the branchy arithmetic.
constexpr std::size_t kCells = 94;

constexpr std::array<std::uint16_t, kCells * kCells> makePairTable() {
    std::array<std::uint16_t, kCells * kCells> table{};
    for (std::size_t row = 0; row < kCells; ++row) {
        for (std::size_t cell = 0; cell < kCells; ++cell) {
            const BytePair s = jisToSjis(static_cast<std::uint8_t>(0x21 + row),
                                         static_cast<std::uint8_t>(0x21 + cell));
            table[row * kCells + cell] = static_cast<std::uint16_t>((s.first << 8) | s.second);
        }
    }
    return table;
}

constexpr std::array<std::uint16_t, kCells* kCells> kPairTable = makePairTable();

} // namespace

std::size_t eucToSjis(std::span<const std::uint8_t> in, std::uint8_t* out) {
    const std::uint8_t* p = in.data();
    const std::uint8_t* const end = p + in.size();
    std::uint8_t* o = out;
    auto isEucByte = [](std::uint8_t b) { return static_cast<std::uint8_t>(b - 0xA1) <= 0x5D; };
    while (p < end) {
        const std::uint8_t b = *p;
        if (b < 0x80) {
            *o++ = b;
            ++p;
            continue;
        }
        // Pairs first: they are nearly every high byte of real text.
        const std::uint8_t c = p + 1 < end ? p[1] : 0;
        if (isEucByte(b) && isEucByte(c)) {
            const std::uint16_t sjis = kPairTable[(b - 0xA1u) * kCells + (c - 0xA1u)];
            o[0] = static_cast<std::uint8_t>(sjis >> 8);
            o[1] = static_cast<std::uint8_t>(sjis);
            o += 2;
            p += 2;
        } else if (b == 0x8E && c >= 0xA0 && c <= 0xDF) {
            *o++ = c;
            p += 2;
        } else if (b == 0x8F && isEucByte(c) && p + 2 < end && isEucByte(p[2])) {
            *o++ = kInvalidSequence;
            p += 3;
        } else {
            *o++ = kInvalidSequence;
            ++p;
        }
    }
    return static_cast<std::size_t>(o - out);
}

namespace {

bool isKanaByte(std::uint8_t b) {
    return b >= 0xA0 && b <= 0xDF;
}

// How one Shift_JIS character at `i` is written in EUC-JP. Only a lead byte with a partner
// forms a pair; a character EUC-JP lacks (a single byte 80 or FD-FF, a vendor or
// user-defined row) becomes '?', as the code page does with characters it lacks, rather than
// bytes that would read back as something else or swallow the next character.
struct EucUnit {
    std::uint8_t bytes[2];
    std::uint8_t outLength;
    std::uint8_t inLength;
};

EucUnit eucUnit(std::span<const std::uint8_t> in, std::size_t i) {
    const std::uint8_t b = in[i];
    if (b < 0x80) {
        return {{b, 0}, 1, 1};
    }
    if (isKanaByte(b)) {
        return {{0x8E, b}, 2, 1};
    }
    if (isSjisLeadByte(b) && i + 1 < in.size() && in[i + 1] != 0) {
        if (eucCarries(static_cast<std::uint16_t>((b << 8) | in[i + 1]))) {
            const BytePair j = sjisToJis(b, in[i + 1]);
            return {{static_cast<std::uint8_t>(j.first | 0x80),
                     static_cast<std::uint8_t>(j.second | 0x80)},
                    2,
                    2};
        }
        return {{'?', 0}, 1, 2};
    }
    return {{'?', 0}, 1, 1};
}

} // namespace

bool eucCarries(std::uint16_t code) {
    if (code < 0x100) {
        return code < 0x80 || isKanaByte(static_cast<std::uint8_t>(code));
    }
    return isJisCell(
        sjisToJis(static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code)));
}

std::size_t sjisToEucSize(std::span<const std::uint8_t> in) {
    std::size_t size = 0;
    for (std::size_t i = 0; i < in.size();) {
        const EucUnit unit = eucUnit(in, i);
        size += unit.outLength;
        i += unit.inLength;
    }
    return size;
}

std::size_t sjisToEuc(std::span<const std::uint8_t> in, std::uint8_t* out) {
    std::uint8_t* o = out;
    for (std::size_t i = 0; i < in.size();) {
        const EucUnit unit = eucUnit(in, i);
        o[0] = unit.bytes[0];
        if (unit.outLength == 2) {
            o[1] = unit.bytes[1];
        }
        o += unit.outLength;
        i += unit.inLength;
    }
    return static_cast<std::size_t>(o - out);
}

} // namespace document
