#include "platform/CodePage932Table.h"
#include "platform/CodePageConverters.h"

#include <array>
#include <memory>

namespace platform::detail {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// Code of each UTF-16 unit; 0 where the code page lacks the character (U+0000 itself is
// handled as ASCII). Built once: every code in code order, the lowest code of a character
// first, then the generated preferences among duplicates and the one-way mappings.
const std::array<std::uint16_t, 0x10000>& encodeTable() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::uint16_t, 0x10000>>();
        t->fill(0);
        for (unsigned b = 0x80; b < 0x100; ++b) {
            char16_t u = cp932::kSingleByte[b];
            if (u != 0 && u != kReplacement && (*t)[u] == 0)
                (*t)[u] = static_cast<std::uint16_t>(b);
        }
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!cp932::isLeadByte(static_cast<std::uint8_t>(lead)))
                continue;
            const char16_t* row =
                &cp932::kDoubleByte[cp932::leadIndex(static_cast<std::uint8_t>(lead)) *
                                    cp932::kTrailCount];
            for (unsigned i = 0; i < cp932::kTrailCount; ++i) {
                char16_t u = row[i];
                if (u != 0 && (*t)[u] == 0)
                    (*t)[u] = static_cast<std::uint16_t>((lead << 8) | (cp932::kTrailFirst + i));
            }
        }
        for (const auto& o : cp932::kEncodeOverrides)
            (*t)[o.unit] = o.code;
        return t;
    }();
    return *table;
}

bool isHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

} // namespace

DecodeResult decodeShiftJis(std::span<const std::uint8_t> in, char16_t* out) {
    const std::uint8_t* p = in.data();
    const std::uint8_t* const end = p + in.size();
    char16_t* o = out;
    std::size_t replaced = 0;
    while (p < end) {
        const std::uint8_t b = *p;
        if (b < 0x80) {
            std::size_t n = widenAsciiRun(p, end, o);
            p += n;
            o += n;
            continue;
        }
        const char16_t single = cp932::kSingleByte[b];
        if (single != 0) {
            *o++ = single;
            ++p;
            continue;
        }
        // A lead byte: the pair is a character only when mapped; else the lead alone is
        // replaced and the next byte is decoded on its own.
        if (end - p >= 2 && p[1] >= cp932::kTrailFirst) {
            const char16_t u = cp932::kDoubleByte[cp932::leadIndex(b) * cp932::kTrailCount +
                                                  (p[1] - cp932::kTrailFirst)];
            if (u != 0) {
                *o++ = u;
                p += 2;
                continue;
            }
        }
        *o++ = kReplacement;
        ++replaced;
        ++p;
    }
    return {static_cast<std::size_t>(o - out), replaced};
}

std::size_t encodeShiftJis(std::u16string_view in, std::uint8_t* out) {
    const auto& table = encodeTable();
    const char16_t* p = in.data();
    const char16_t* const end = p + in.size();
    std::uint8_t* o = out;
    while (p < end) {
        const char16_t u = *p;
        if (u < 0x80) {
            std::size_t n = narrowAsciiRun(p, end, o);
            p += n;
            o += n;
            continue;
        }
        ++p;
        if (isHighSurrogate(u) || isLowSurrogate(u)) {
            // No character outside the BMP is in the code page: a pair is one '?'.
            if (isHighSurrogate(u) && p < end && isLowSurrogate(*p))
                ++p;
            *o++ = '?';
            continue;
        }
        const std::uint16_t code = table[u];
        if (code == 0) {
            *o++ = '?';
        } else if (code < 0x100) {
            *o++ = static_cast<std::uint8_t>(code);
        } else {
            *o++ = static_cast<std::uint8_t>(code >> 8);
            *o++ = static_cast<std::uint8_t>(code & 0xFF);
        }
    }
    return static_cast<std::size_t>(o - out);
}

} // namespace platform::detail
