#include "document/EucSjisConverter.h"

#include "document/SjisJisPair.h"

namespace document {

std::size_t eucToSjis(std::span<const std::uint8_t> in, std::uint8_t* out) {
    const std::uint8_t* p = in.data();
    const std::uint8_t* const end = p + in.size();
    std::uint8_t* o = out;
    // Runs of ASCII dominate most lines; the pair test needs the next byte only for high bytes.
    while (p < end) {
        const std::uint8_t b = *p;
        if (b < 0x80) {
            *o++ = b;
            ++p;
            continue;
        }
        if (p + 1 == end || p[1] == 0) {
            *o++ = kLoneLeadByte;
            ++p;
            continue;
        }
        const std::uint8_t c = p[1];
        if (b == 0x8E) {
            *o++ = c;
        } else {
            const BytePair s = jisToSjis(b & 0x7F, c & 0x7F);
            o[0] = s.first;
            o[1] = s.second;
            o += 2;
        }
        p += 2;
    }
    return static_cast<std::size_t>(o - out);
}

namespace {

bool isKanaByte(std::uint8_t b) {
    return b >= 0xA0 && b <= 0xDF;
}

} // namespace

std::size_t sjisToEucSize(std::span<const std::uint8_t> in) {
    std::size_t size = 0;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const std::uint8_t b = in[i];
        if (isKanaByte(b)) {
            size += 2;
        } else if (b >= 0x80 && i + 1 < in.size() && in[i + 1] != 0) {
            size += 2;
            ++i;
        } else {
            ++size;
        }
    }
    return size;
}

std::size_t sjisToEuc(std::span<const std::uint8_t> in, std::uint8_t* out) {
    std::uint8_t* o = out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const std::uint8_t b = in[i];
        if (isKanaByte(b)) {
            o[0] = 0x8E;
            o[1] = b;
            o += 2;
        } else if (b >= 0x80 && i + 1 < in.size() && in[i + 1] != 0) {
            const BytePair j = sjisToJis(b, in[i + 1]);
            o[0] = j.first | 0x80;
            o[1] = j.second | 0x80;
            o += 2;
            ++i;
        } else {
            *o++ = b;
        }
    }
    return static_cast<std::size_t>(o - out);
}

} // namespace document
