#pragma once
// The converters behind CodePage.h, one per code page; the rules are documented there.

#include "platform/CodePage.h"

namespace platform::detail {

// Code page 932: decodes into out (room for in.size() units), noting codes in `spelling`.
DecodeResult decodeShiftJis(std::span<const std::uint8_t> in, char16_t* out,
                            Cp932Spelling* spelling);
// Code page 932: whether decoding replaces nothing.
bool shiftJisDecodesCleanly(std::span<const std::uint8_t> in);
// Code page 932: encodes into out (room for 2 bytes per unit); returns bytes written.
std::size_t encodeShiftJis(std::u16string_view in, std::uint8_t* out,
                           const Cp932Spelling* spelling);
// Code page 932: the characters encodeShiftJis does not write as themselves.
UnencodableScan findUnencodableShiftJis(std::u16string_view in, const Cp932Spelling* spelling,
                                        bool (*carries)(std::uint16_t code));
// One bit per pair of the decoding table (lead index * 192 + trail - 0x40): set for the pairs
// whose character has another code as well.
const std::uint64_t* cp932VariantBits();

// UTF-8: decodes into out (room for in.size() units).
DecodeResult decodeUtf8(std::span<const std::uint8_t> in, char16_t* out);
// UTF-8: whether decoding replaces nothing.
bool utf8DecodesCleanly(std::span<const std::uint8_t> in);
// UTF-8: encodes into out (room for 3 bytes per unit); returns bytes written.
std::size_t encodeUtf8(std::u16string_view in, std::uint8_t* out);

// Code page 1252: decodes into out (room for in.size() units).
DecodeResult decodeWindows1252(std::span<const std::uint8_t> in, char16_t* out);
// Code page 1252: encodes into out (room for 1 byte per unit); returns bytes written.
std::size_t encodeWindows1252(std::u16string_view in, std::uint8_t* out);
// Code page 1252: the characters it lacks.
UnencodableScan findUnencodableWindows1252(std::u16string_view in);

// The length of the leading run of ASCII bytes of [in, end).
std::size_t asciiRunLength(const std::uint8_t* in, const std::uint8_t* end);
// Whether every byte of `in` is ASCII or starts a sequence that `validLength(p, end)` accepts;
// it returns that sequence's length, 0 for an invalid one.
template <class ValidLength>
bool everySequenceValid(std::span<const std::uint8_t> in, ValidLength validLength) {
    const std::uint8_t* p = in.data();
    const std::uint8_t* const end = p + in.size();
    while (p < end) {
        if (*p < 0x80) {
            p += asciiRunLength(p, end);
            continue;
        }
        const std::size_t length = validLength(p, end);
        if (length == 0)
            return false;
        p += length;
    }
    return true;
}
// The number of units of a lone surrogate or a surrogate pair starting at p (1 or 2); 0 when
// p holds no surrogate.
std::size_t surrogateLength(const char16_t* p, const char16_t* end);

// Copies the leading run of ASCII bytes of [in, end) to out as UTF-16; returns its length.
std::size_t widenAsciiRun(const std::uint8_t* in, const std::uint8_t* end, char16_t* out);
// Copies the leading run of units below 0x80 of [in, end) to out as bytes; returns its length.
std::size_t narrowAsciiRun(const char16_t* in, const char16_t* end, std::uint8_t* out);

} // namespace platform::detail
