#include "platform/CodePageConverters.h"

#include <cstring>

namespace platform::detail {

std::size_t widenAsciiRun(const std::uint8_t* in, const std::uint8_t* end, char16_t* out) {
    const std::uint8_t* p = in;
    // Eight bytes at a time while none has its high bit set.
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            break;
        for (int i = 0; i < 8; ++i)
            out[i] = p[i];
        p += 8;
        out += 8;
    }
    while (p < end && *p < 0x80)
        *out++ = *p++;
    return static_cast<std::size_t>(p - in);
}

std::size_t asciiRunLength(const std::uint8_t* in, const std::uint8_t* end) {
    const std::uint8_t* p = in;
    while (end - p >= 8) {
        std::uint64_t word;
        std::memcpy(&word, p, 8);
        if (word & 0x8080808080808080ull)
            break;
        p += 8;
    }
    while (p < end && *p < 0x80)
        ++p;
    return static_cast<std::size_t>(p - in);
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
