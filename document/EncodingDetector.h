#pragma once
// Classifies a file's encoding and line break from its first 128 KiB, for opening a document
// in Auto mode.

#include "document/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace document {

class EncodingDetector {
public:
    // Detection reads at most this many bytes, plus one unit of look-ahead for a line break.
    static constexpr std::size_t kSampleSize = 131072;

    // Maps the file at `path` and classifies it; returns ENC_NONE and leaves `lineBreak`
    // untouched when the file cannot be opened or mapped.
    static std::int32_t detect(std::u16string_view path, std::int32_t& lineBreak);

    // Classifies a whole file's bytes (the sample and look-ahead are taken from it); never
    // returns ENC_NONE, and always sets `lineBreak`.
    static std::int32_t detectBytes(std::span<const std::uint8_t> file, std::int32_t& lineBreak);

    // The first line break in the sample by the mixed byte/16-bit scan used for every
    // 8-bit result; LB_CRLF when there is none.
    static std::int32_t scanLineBreak(std::span<const std::uint8_t> file);

    // The first line break among the aligned 16-bit units of a UTF-16 file of encoding
    // `encoding` (6-9), after its byte order mark; LB_CRLF when there is none.
    static std::int32_t scanUtf16LineBreak(std::span<const std::uint8_t> file,
                                           std::int32_t encoding);
};

} // namespace document
