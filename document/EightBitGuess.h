#pragma once
// Which 8-bit encoding a file is most likely in, from a window of its bytes (step 3 of
// EncodingDetector.h): ISO-2022-JP, UTF-8, Windows-1252, EUC-JP or Shift_JIS.

#include <cstddef>
#include <cstdint>
#include <span>

namespace document {

// The first `windowSize` bytes of `file`, or when they are all 7-bit and hold no byte of ESC,
// the `windowSize` bytes from the first byte of the file that is 80 or above or ESC.
std::span<const std::uint8_t> detectionWindow(std::span<const std::uint8_t> file,
                                              std::size_t windowSize);

// Whether the window reads as Windows-1252 text: its high bytes are few, stand alone inside
// Latin words and are Latin letters and punctuation.
bool looksLatin(std::span<const std::uint8_t> window);

// The encoding the window (a part of `file`, so that a character it cuts at its end can be seen
// whole) reads as: ENC_JIS, ENC_UTF8, ENC_LATIN, ENC_EUC or ENC_SJIS.
std::int32_t guessEightBit(std::span<const std::uint8_t> file,
                           std::span<const std::uint8_t> window);

} // namespace document
