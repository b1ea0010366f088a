#include "platform/CodePageConverters.h"

#include <cstring>

namespace platform::detail {

namespace {

// The length of the leading run of ASCII bytes of [in, end), eight bytes at a time while none
// has its high bit set; `eight(p)` is called for each whole word and `one(p)` for each byte
// after them.
template <class Eight, class One>
std::size_t scanAsciiRun(const std::uint8_t* in, const std::uint8_t* end, Eight eight, One one) {
    const std::uint8_t* p = in;
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            break;
        eight(p);
        p += 8;
    }
    while (p < end && *p < 0x80)
        one(p++);
    return static_cast<std::size_t>(p - in);
}

} // namespace

std::size_t widenAsciiRun(const std::uint8_t* in, const std::uint8_t* end, char16_t* out) {
    return scanAsciiRun(
        in, end,
        [&](const std::uint8_t* p) {
            for (int i = 0; i < 8; ++i)
                out[(p - in) + i] = p[i];
        },
        [&](const std::uint8_t* p) { out[p - in] = *p; });
}

std::size_t asciiRunLength(const std::uint8_t* in, const std::uint8_t* end) {
    return scanAsciiRun(
        in, end, [](const std::uint8_t*) {}, [](const std::uint8_t*) {});
}

std::size_t surrogateLength(const char16_t* p, const char16_t* end) {
    if (*p < 0xD800 || *p > 0xDFFF)
        return 0;
    return *p <= 0xDBFF && end - p >= 2 && p[1] >= 0xDC00 && p[1] <= 0xDFFF ? 2 : 1;
}

std::size_t narrowAsciiRun(const char16_t* in, const char16_t* end, std::uint8_t* out) {
    const char16_t* p = in;
    while (end - p >= 4) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0xFF80FF80FF80FF80ull)
            break;
        for (int i = 0; i < 4; ++i)
            out[i] = static_cast<std::uint8_t>(p[i]);
        p += 4;
        out += 4;
    }
    while (p < end && *p < 0x80)
        *out++ = static_cast<std::uint8_t>(*p++);
    return static_cast<std::size_t>(p - in);
}

} // namespace platform::detail
