#include "document/EucSjisConverter.h"

#include "document/SjisJisPair.h"

namespace document {

std::size_t eucToSjis(std::span<const std::uint8_t> in, std::uint8_t* out) {
    const std::uint8_t* p = in.data();
    const std::uint8_t* const end = p + in.size();
    std::uint8_t* o = out;
    auto isEucByte = [](std::uint8_t b) { return b >= 0xA1 && b <= 0xFE; };
    while (p < end) {
        const std::uint8_t b = *p;
        if (b < 0x80) {
            *o++ = b;
            ++p;
            continue;
        }
        const std::size_t rest = static_cast<std::size_t>(end - p);
        if (b == 0x8E && rest >= 2 && p[1] >= 0xA0 && p[1] <= 0xDF) {
            *o++ = p[1];
            p += 2;
        } else if (isEucByte(b) && rest >= 2 && isEucByte(p[1])) {
            const BytePair s = jisToSjis(b & 0x7F, p[1] & 0x7F);
            o[0] = s.first;
            o[1] = s.second;
            o += 2;
            p += 2;
        } else if (b == 0x8F && rest >= 3 && isEucByte(p[1]) && isEucByte(p[2])) {
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
        const BytePair j = sjisToJis(b, in[i + 1]);
        if (isJisCell(j)) {
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
