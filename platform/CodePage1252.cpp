#include "platform/CodePageConverters.h"

#include <array>
#include <memory>

namespace platform::detail {
namespace {

// Bytes 80-9F; the five that name no character map to the C1 control of the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char16_t decodeByte(std::uint8_t b) {
    return (b >= 0x80 && b < 0xA0) ? kHighControls[b - 0x80] : char16_t{b};
}

// Byte of each UTF-16 unit, 0 where the code page lacks it (U+0000 is handled as ASCII).
const std::array<std::uint8_t, 0x10000>& encodeTable() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::uint8_t, 0x10000>>();
        t->fill(0);
        for (unsigned b = 1; b < 0x100; ++b)
            (*t)[decodeByte(static_cast<std::uint8_t>(b))] = static_cast<std::uint8_t>(b);
        return t;
    }();
    return *table;
}

} // namespace

DecodeResult decodeWindows1252(std::span<const std::uint8_t> in, char16_t* out) {
    for (std::size_t i = 0; i < in.size(); ++i)
        out[i] = decodeByte(in[i]);
    return {in.size(), 0};
}

std::size_t encodeWindows1252(std::u16string_view in, std::uint8_t* out) {
    const auto& table = encodeTable();
    std::uint8_t* o = out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const char16_t u = in[i];
        if (u == 0) {
            *o++ = 0;
            continue;
        }
        // A surrogate pair is one character the code page lacks: one '?'.
        if (u >= 0xD800 && u <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
            in[i + 1] <= 0xDFFF)
            ++i;
        const std::uint8_t b = table[u];
        *o++ = b != 0 ? b : std::uint8_t{'?'};
    }
    return static_cast<std::size_t>(o - out);
}

UnencodableScan findUnencodableWindows1252(std::u16string_view in) {
    const auto& table = encodeTable();
    UnencodableScan scan;
    const char16_t* const begin = in.data();
    const char16_t* const end = begin + in.size();
    for (const char16_t* p = begin; p < end;) {
        const std::size_t surrogates = surrogateLength(p, end);
        if ((surrogates != 0 || (*p != 0 && table[*p] == 0)) && scan.count++ == 0)
            scan.first = static_cast<std::size_t>(p - begin);
        p += surrogates != 0 ? surrogates : 1;
    }
    return scan;
}

} // namespace platform::detail
