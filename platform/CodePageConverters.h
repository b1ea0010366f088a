#pragma once
// The converters behind CodePage.h, one per code page; the rules are documented there.

#include "platform/CodePage.h"

namespace platform::detail {

// Code page 932: decodes into out (room for in.size() units).
DecodeResult decodeShiftJis(std::span<const std::uint8_t> in, char16_t* out);
// Code page 932: encodes into out (room for 2 bytes per unit); returns bytes written.
std::size_t encodeShiftJis(std::u16string_view in, std::uint8_t* out);

// UTF-8: decodes into out (room for in.size() units).
DecodeResult decodeUtf8(std::span<const std::uint8_t> in, char16_t* out);
// UTF-8: encodes into out (room for 3 bytes per unit); returns bytes written.
std::size_t encodeUtf8(std::u16string_view in, std::uint8_t* out);

// Code page 1252: decodes into out (room for in.size() units).
DecodeResult decodeWindows1252(std::span<const std::uint8_t> in, char16_t* out);
// Code page 1252: encodes into out (room for 1 byte per unit); returns bytes written.
std::size_t encodeWindows1252(std::u16string_view in, std::uint8_t* out);

// Copies the leading run of ASCII bytes of [in, end) to out as UTF-16; returns its length.
std::size_t widenAsciiRun(const std::uint8_t* in, const std::uint8_t* end, char16_t* out);
// Copies the leading run of units below 0x80 of [in, end) to out as bytes; returns its length.
std::size_t narrowAsciiRun(const char16_t* in, const char16_t* end, std::uint8_t* out);

} // namespace platform::detail
