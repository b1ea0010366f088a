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
