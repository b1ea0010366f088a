#include "document/EncodingDetector.h"

#include "document/DecodeCheck.h"
#include "document/EightBitGuess.h"
#include "document/MappedFile.h"
#include "document/Utf16Guess.h"

#include <algorithm>
#include <cstring>

namespace document {

namespace {

std::uint16_t littleEndianAt(std::span<const std::uint8_t> data, std::size_t i) {
    return static_cast<std::uint16_t>(data[i] | (data[i + 1] << 8));
}

// The encoding a byte order mark names, or ENC_NONE.
std::int32_t markedEncoding(std::span<const std::uint8_t> file) {
    // Files of four bytes or fewer are never taken by their mark.
    if (file.size() <= 4) {
        return ENC_NONE;
    }
    if (file[0] == 0xFF && file[1] == 0xFE) {
        return ENC_UTF16LE_BOM;
    }
    if (file[0] == 0xFE && file[1] == 0xFF) {
        return ENC_UTF16BE_BOM;
    }
    if (file[0] == 0xEF && file[1] == 0xBB && file[2] == 0xBF) {
        return ENC_UTF8_BOM;
    }
    return ENC_NONE;
}

// The first encoding after `choice` that reads the whole file cleanly; Windows-1252 reads every
// byte as a character, so there always is one.
std::int32_t cleanFallback(std::span<const std::uint8_t> file, std::int32_t choice) {
    for (const std::int32_t candidate : {ENC_SJIS, ENC_EUC, ENC_UTF8}) {
        if (candidate != choice && decodesCleanly(file, candidate)) {
            return candidate;
        }
    }
    const std::span<const std::uint8_t> sample =
        file.first(std::min(file.size(), EncodingDetector::kSampleSize));
    if (const std::int32_t utf16 = guessUnmarkedUtf16(sample, file.size(), Utf16Evidence::None);
        utf16 != ENC_NONE && utf16 != choice) {
        return utf16;
    }
    return ENC_LATIN;
}

} // namespace

std::int32_t EncodingDetector::scanLineBreak(std::span<const std::uint8_t> file) {
    const std::size_t n = std::min(file.size(), kSampleSize);
    if (n == 0) {
        return LB_CRLF;
    }
    const auto* const begin = file.data();
    const auto* cr = static_cast<const std::uint8_t*>(std::memchr(begin, 0x0D, n));
    const auto* lf = static_cast<const std::uint8_t*>(std::memchr(begin, 0x0A, n));
    if (lf != nullptr && (cr == nullptr || lf < cr)) {
        return LB_LF;
    }
    if (cr == nullptr) {
        return LB_CRLF;
    }
    // The look-ahead may reach one byte past the sample but never past the file.
    const auto next = static_cast<std::size_t>(cr - begin) + 1;
    return next < file.size() && file[next] == 0x0A ? LB_CRLF : LB_CR;
}

std::int32_t EncodingDetector::scanUtf16LineBreak(std::span<const std::uint8_t> file,
                                                  std::int32_t encoding) {
    const std::size_t n = std::min(file.size(), kSampleSize);
    const bool bigEndian = isBigEndianUtf16(encoding);
    auto unitAt = [&](std::size_t i) {
        return bigEndian ? static_cast<std::uint16_t>((file[i] << 8) | file[i + 1])
                         : littleEndianAt(file, i);
    };
    for (std::size_t i = byteOrderMark(encoding).size(); i + 1 < n; i += 2) {
        const std::uint16_t v = unitAt(i);
        if (v == 0x000A) {
            return LB_LF;
        }
        if (v == 0x000D) {
            return i + 3 < file.size() && unitAt(i + 2) == 0x000A ? LB_CRLF : LB_CR;
        }
    }
    return LB_CRLF;
}

namespace {

std::int32_t lineBreakOf(std::span<const std::uint8_t> file, std::int32_t encoding) {
    // A byte scan misreads UTF-16 units such as U+4E0A or U+300D as line breaks.
    return isUtf16(encoding) ? EncodingDetector::scanUtf16LineBreak(file, encoding)
                             : EncodingDetector::scanLineBreak(file);
}

} // namespace

std::int32_t EncodingDetector::guessBytes(std::span<const std::uint8_t> file,
                                          std::int32_t& lineBreak) {
    const std::span<const std::uint8_t> sample = file.first(std::min(file.size(), kSampleSize));
    std::int32_t encoding = markedEncoding(file);
    if (encoding == ENC_NONE) {
        encoding = guessUnmarkedUtf16(sample, file.size(), Utf16Evidence::Required);
    }
    if (encoding == ENC_NONE) {
        encoding = guessEightBit(file, detectionWindow(file, kSampleSize));
    }
    lineBreak = lineBreakOf(file, encoding);
    return encoding;
}

std::int32_t EncodingDetector::detectBytes(std::span<const std::uint8_t> file,
                                           std::int32_t& lineBreak) {
    std::int32_t encoding = guessBytes(file, lineBreak);
    if (!decodesCleanly(file, encoding)) {
        encoding = cleanFallback(file, encoding);
        lineBreak = lineBreakOf(file, encoding);
    }
    return encoding;
}

std::int32_t EncodingDetector::detect(std::u16string_view path, std::int32_t& lineBreak) {
    MappedFile file;
    if (!file.open(path)) {
        return ENC_NONE;
    }
    return detectBytes(file.data(), lineBreak);
}

} // namespace document
