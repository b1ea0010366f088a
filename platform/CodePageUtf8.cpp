#include "platform/CodePageConverters.h"

namespace platform::detail {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool inRange(std::uint8_t b, std::uint8_t lo, std::uint8_t hi) {
    return b >= lo && b <= hi;
}

// Each lead byte allows a narrower range for its first continuation byte (this excludes
// overlongs, surrogates and values above U+10FFFF); later continuation bytes are 80-BF. An
// invalid sequence ends at the first byte that cannot continue it, and the bytes read so far
// (the maximal subpart, at least one byte) become one U+FFFD. Returns the length of the valid
// sequence at p, or 0 with `taken` set to the length of the invalid one.
int sequenceAt(const std::uint8_t* p, std::ptrdiff_t available, int& taken) {
    const std::uint8_t b = *p;
    int length = 0;
    std::uint8_t lo = 0x80, hi = 0xBF;
    if (b >= 0xC2 && b <= 0xDF) {
        length = 2;
    } else if (b >= 0xE0 && b <= 0xEF) {
        length = 3;
        if (b == 0xE0)
            lo = 0xA0;
        else if (b == 0xED)
            hi = 0x9F;
    } else if (b >= 0xF0 && b <= 0xF4) {
        length = 4;
        if (b == 0xF0)
            lo = 0x90;
        else if (b == 0xF4)
            hi = 0x8F;
    }
    taken = 1;
    if (length == 0)
        return 0;
    if (available > 1 && inRange(p[1], lo, hi)) {
        taken = 2;
        while (taken < length && taken < available && inRange(p[taken], 0x80, 0xBF))
            ++taken;
    }
    return taken == length ? length : 0;
}

} // namespace

bool utf8DecodesCleanly(std::span<const std::uint8_t> in) {
    return everySequenceValid(in, [](const std::uint8_t* p, const std::uint8_t* end) {
        int taken = 0;
        return static_cast<std::size_t>(sequenceAt(p, end - p, taken));
    });
}

DecodeResult decodeUtf8(std::span<const std::uint8_t> in, char16_t* out) {
    const std::uint8_t* p = in.data();
    const std::uint8_t* const end = p + in.size();
    char16_t* o = out;
    DecodeResult result;
    while (p < end) {
        const std::uint8_t b = *p;
        if (b < 0x80) {
            std::size_t n = widenAsciiRun(p, end, o);
            p += n;
            o += n;
            continue;
        }
        int taken = 0;
        const int length = sequenceAt(p, end - p, taken);
        if (length == 0) {
            if (result.replacements++ == 0)
                result.firstReplacement = static_cast<std::size_t>(o - out);
            *o++ = kReplacement;
            p += taken;
            continue;
        }
        std::uint32_t cp;
        if (length == 2) {
            cp = ((b & 0x1Fu) << 6) | (p[1] & 0x3Fu);
        } else if (length == 3) {
            cp = ((b & 0x0Fu) << 12) | ((p[1] & 0x3Fu) << 6) | (p[2] & 0x3Fu);
        } else {
            cp = ((b & 0x07u) << 18) | ((p[1] & 0x3Fu) << 12) | ((p[2] & 0x3Fu) << 6) |
                 (p[3] & 0x3Fu);
        }
        p += length;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            *o++ = static_cast<char16_t>(0xD800 + (cp >> 10));
            *o++ = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            *o++ = static_cast<char16_t>(cp);
        }
    }
    result.units = static_cast<std::size_t>(o - out);
    return result;
}

std::size_t encodeUtf8(std::u16string_view in, std::uint8_t* out) {
    const char16_t* p = in.data();
    const char16_t* const end = p + in.size();
    std::uint8_t* o = out;
    while (p < end) {
        std::uint32_t u = *p;
        if (u < 0x80) {
            std::size_t n = narrowAsciiRun(p, end, o);
            p += n;
            o += n;
            continue;
        }
        ++p;
        if (u < 0x800) {
            *o++ = static_cast<std::uint8_t>(0xC0 | (u >> 6));
            *o++ = static_cast<std::uint8_t>(0x80 | (u & 0x3F));
            continue;
        }
        if (u >= 0xD800 && u <= 0xDFFF) {
            if (u <= 0xDBFF && p < end && *p >= 0xDC00 && *p <= 0xDFFF) {
                const std::uint32_t cp = 0x10000 + ((u - 0xD800) << 10) + (*p - 0xDC00u);
                ++p;
                *o++ = static_cast<std::uint8_t>(0xF0 | (cp >> 18));
                *o++ = static_cast<std::uint8_t>(0x80 | ((cp >> 12) & 0x3F));
                *o++ = static_cast<std::uint8_t>(0x80 | ((cp >> 6) & 0x3F));
                *o++ = static_cast<std::uint8_t>(0x80 | (cp & 0x3F));
                continue;
            }
            u = 0xFFFD; // a lone surrogate is no character
        }
        *o++ = static_cast<std::uint8_t>(0xE0 | (u >> 12));
        *o++ = static_cast<std::uint8_t>(0x80 | ((u >> 6) & 0x3F));
        *o++ = static_cast<std::uint8_t>(0x80 | (u & 0x3F));
    }
    return static_cast<std::size_t>(o - out);
}

} // namespace platform::detail
