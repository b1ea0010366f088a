#pragma once
// Classifies a file's encoding and line break, for opening a document in Auto mode.
//
// The choice is made in this order, and then confirmed on the whole file:
//  1. A byte order mark, in a file of more than 4 bytes.
//  2. UTF-16 without a mark, when the first 128 KiB read as UTF-16 text of one byte order
//     (only characters Japanese text uses, surrogates in pairs) and either hold ASCII or line
//     breaks (a zero byte on one side of the units only), or are mostly kana (bytes that as
//     8-bit text would put '0' at every other place), or do not decode cleanly as 8-bit text.
//  3. Otherwise an 8-bit encoding, judged from a window of 128 KiB: the start of the file, or,
//     when that is plain 7-bit ASCII, the 128 KiB from the first byte that is not. That look-on
//     skips ASCII 8 bytes at a time and is bounded by the end of the file, which decoding reads
//     anyway. In the window: ISO-2022-JP when it shifts to kanji or kana (ESC $ B, ESC $ @,
//     ESC ( I) and is not UTF-8 with characters beyond ASCII; UTF-8 when it is valid UTF-8;
//     Windows-1252 when its high bytes are few, stand alone inside Latin words and are Latin
//     letters and punctuation; otherwise the EUC-JP against Shift_JIS scores.
// The choice stands when the whole file decodes cleanly in it (no replaced sequence); else the
// first of Shift_JIS, EUC-JP, UTF-8, UTF-16 (as in step 2 but without the evidence) and
// Windows-1252 that does, and Windows-1252 always does.

#include "document/TextEncoding.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace document {

class EncodingDetector {
public:
    // The sample and window size; the line break is taken from the first this many bytes,
    // plus one unit of look-ahead.
    static constexpr std::size_t kSampleSize = 131072;

    // Reads the file at `path` and classifies it; returns ENC_NONE and leaves `lineBreak`
    // untouched when the file cannot be opened or read.
    static std::int32_t detect(std::u16string_view path, std::int32_t& lineBreak);

    // Classifies a whole file's bytes; never returns ENC_NONE, and always sets `lineBreak`.
    static std::int32_t detectBytes(std::span<const std::uint8_t> file, std::int32_t& lineBreak);

    // The choice before it is confirmed on the whole file, with its line break: detectBytes()
    // gives the same answer exactly when the file decodes cleanly in it, so a caller that
    // decodes anyway can confirm it on the way and save a pass.
    static std::int32_t guessBytes(std::span<const std::uint8_t> file, std::int32_t& lineBreak);

    // The first line break among the sample's bytes, for every 8-bit result: CR LF, CR or LF;
    // LB_CRLF when there is none. (Reading 16-bit units here would take a NUL beside a CR for
    // a UTF-16 break and a CR LF file for CR.)
    static std::int32_t scanLineBreak(std::span<const std::uint8_t> file);

    // The first line break among the aligned 16-bit units of a UTF-16 file of encoding
    // `encoding` (6-9), after its byte order mark; LB_CRLF when there is none.
    static std::int32_t scanUtf16LineBreak(std::span<const std::uint8_t> file,
                                           std::int32_t encoding);
};

} // namespace document
