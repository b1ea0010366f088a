#pragma once
// Whether bytes without a byte order mark are UTF-16, for detection. The test is built so that
// ordinary 8-bit text cannot pass it: read as UTF-16, such text always forms units that no
// Japanese text holds (a space beside a letter makes U+2061, a letter beside a line break
// U+0A61, a lead byte of Shift_JIS beside its trail a private-use or Yi unit).

#include <cstddef>
#include <cstdint>
#include <span>

namespace document {

enum class Utf16Evidence {
    Required, // plausible units and evidence: zero bytes, mostly kana, or stray control bytes
    None,     // plausible units only: for files no 8-bit encoding reads cleanly
};

// ENC_UTF16LE or ENC_UTF16BE when `sample` (the first bytes of a file of `fileSize` bytes)
// reads as UTF-16 of that byte order under `evidence`; ENC_NONE otherwise, and always for an
// odd `fileSize`. When both orders pass, the one with more evidence wins, little endian on a
// tie.
std::int32_t guessUnmarkedUtf16(std::span<const std::uint8_t> sample, std::size_t fileSize,
                                Utf16Evidence evidence);

} // namespace document
