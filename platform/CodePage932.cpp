#include "platform/CodePage932Spelling.h"
#include "platform/CodePage932Table.h"
#include "platform/CodePageConverters.h"

namespace platform::detail {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

// The index in kDoubleByte of the pair at p, or -1 when the lead byte has no trail byte there.
std::ptrdiff_t pairIndexAt(const std::uint8_t* p, const std::uint8_t* end) {
    if (end - p < 2 || p[1] < cp932::kTrailFirst)
        return -1;
    return static_cast<std::ptrdiff_t>(cp932::leadIndex(p[0]) * cp932::kTrailCount +
                                       (p[1] - cp932::kTrailFirst));
}

// One loop for both: kNoteSpelling adds the variant test for every pair read.
template <bool kNoteSpelling>
DecodeResult decode(std::span<const std::uint8_t> in, char16_t* out, Cp932Spelling* spelling) {
    const std::uint8_t* p = in.data();
    const std::uint8_t* const end = p + in.size();
    const std::uint64_t* const variantBits = kNoteSpelling ? cp932VariantBits() : nullptr;
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
        const char16_t single = cp932::kSingleByte[b];
        if (single != 0) {
            *o++ = single;
            ++p;
            continue;
        }
        // A lead byte: the pair is a character only when mapped; else the lead alone is
        // replaced and the next byte is decoded on its own.
        const std::ptrdiff_t pair = pairIndexAt(p, end);
        if (pair >= 0 && cp932::kDoubleByte[static_cast<std::size_t>(pair)] != 0) {
            if constexpr (kNoteSpelling) {
                const auto i = static_cast<std::size_t>(pair);
                if ((variantBits[i / 64] >> (i % 64) & 1) != 0 &&
                    !spelling->note(static_cast<std::uint16_t>((p[0] << 8) | p[1])) &&
                    result.respellings++ == 0) {
                    result.firstRespelling = static_cast<std::size_t>(o - out);
                }
            }
            *o++ = cp932::kDoubleByte[static_cast<std::size_t>(pair)];
            p += 2;
            continue;
        }
        if (result.replacements++ == 0)
            result.firstReplacement = static_cast<std::size_t>(o - out);
        *o++ = kReplacement;
        ++p;
    }
    result.units = static_cast<std::size_t>(o - out);
    return result;
}

bool isHighSurrogate(char16_t u) {
    return u >= 0xD800 && u <= 0xDBFF;
}
bool isLowSurrogate(char16_t u) {
    return u >= 0xDC00 && u <= 0xDFFF;
}

} // namespace

DecodeResult decodeShiftJis(std::span<const std::uint8_t> in, char16_t* out,
                            Cp932Spelling* spelling) {
    return spelling != nullptr ? decode<true>(in, out, spelling) : decode<false>(in, out, nullptr);
}

bool shiftJisDecodesCleanly(std::span<const std::uint8_t> in) {
    return everySequenceValid(in, [](const std::uint8_t* p, const std::uint8_t* end) {
        if (cp932::kSingleByte[*p] != 0)
            return std::size_t{1};
        const std::ptrdiff_t pair = pairIndexAt(p, end);
        return pair >= 0 && cp932::kDoubleByte[static_cast<std::size_t>(pair)] != 0
                   ? std::size_t{2}
                   : std::size_t{0};
    });
}

std::size_t encodeShiftJis(std::u16string_view in, std::uint8_t* out,
                           const Cp932Spelling* spelling) {
    const auto& table = spelling != nullptr ? spelling->encodeTable() : cp932DefaultEncodeTable();
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

UnencodableScan findUnencodableShiftJis(std::u16string_view in, const Cp932Spelling* spelling,
                                        bool (*carries)(std::uint16_t code)) {
    const auto& table = spelling != nullptr ? spelling->encodeTable() : cp932DefaultEncodeTable();
    UnencodableScan scan;
    const char16_t* const begin = in.data();
    const char16_t* const end = begin + in.size();
    for (const char16_t* p = begin; p < end;) {
        const char16_t u = *p;
        if (u < 0x80) {
            ++p; // ASCII is written as itself in every form of the text
            continue;
        }
        // A surrogate is no character of the code page, alone or in a pair.
        const std::size_t surrogates = surrogateLength(p, end);
        const std::size_t length = surrogates != 0 ? surrogates : 1;
        const bool written = surrogates == 0 && cp932RoundTrips(u, table[u]) &&
                             (carries == nullptr || carries(table[u]));
        if (!written && scan.count++ == 0)
            scan.first = static_cast<std::size_t>(p - begin);
        p += length;
    }
    return scan;
}

} // namespace platform::detail
