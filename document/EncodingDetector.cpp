#include "document/EncodingDetector.h"

#include "document/MappedFile.h"

#include <algorithm>

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

// UTF-16 without a mark: the first aligned CR or LF unit in either byte order decides.
std::int32_t unmarkedUtf16(std::span<const std::uint8_t> sample) {
    const std::size_t units = sample.size() / 2;
    for (std::size_t u = 0; u + 1 < units; ++u) {
        const std::uint16_t v = littleEndianAt(sample, 2 * u);
        if (v == 0x000A || v == 0x000D) {
            return ENC_UTF16LE;
        }
        if (v == 0x0A00 || v == 0x0D00) {
            return ENC_UTF16BE;
        }
    }
    return ENC_NONE;
}

// A structural UTF-8 walk that ignores sequences starting in the last four bytes, so that a
// sample cut inside a character still passes.
bool looksLikeUtf8(std::span<const std::uint8_t> sample) {
    const std::size_t n = sample.size();
    if (n <= 4) {
        return true;
    }
    std::size_t i = 0;
    while (i < n - 4) {
        const std::uint8_t b = sample[i];
        std::size_t trail = 0;
        if (b < 0x80) {
            ++i;
            continue;
        }
        if ((b & 0xE0) == 0xC0) {
            trail = 1;
        } else if ((b & 0xF0) == 0xE0) {
            trail = 2;
        } else if ((b & 0xF8) == 0xF0) {
            trail = 3;
        } else {
            return false;
        }
        for (std::size_t k = 1; k <= trail; ++k) {
            if ((sample[i + k] & 0xC0) != 0x80) {
                return false;
            }
        }
        i += trail + 1;
    }
    return true;
}

bool isJisEscape(std::uint8_t b1, std::uint8_t b2) {
    return (b1 == '$' && (b2 == 'B' || b2 == '@')) || (b1 == '(' && (b2 == 'J' || b2 == 'B'));
}

// The Japanese scan: JIS escapes, then a running EUC-JP minus Shift_JIS score. An offset
// whose bytes pass both sides' pair tests is no evidence (the overlapping tests made every
// EUC-JP pair count for Shift_JIS as well, so EUC-JP could never win), nor do two bytes that
// read as half-width katakana as well as a kanji. 8E followed by a kana byte always counts for
// EUC-JP, and a kana byte before such an 8E does not count for Shift_JIS.
std::int32_t japaneseScan(std::span<const std::uint8_t> sample, bool utf8) {
    const std::size_t n = sample.size();
    int diff = 0;
    for (std::size_t i = 0; i + 3 < n; ++i) {
        const std::uint8_t b0 = sample[i];
        const std::uint8_t b1 = sample[i + 1];
        if (b0 == 0x1B) {
            if (isJisEscape(b1, sample[i + 2])) {
                return ENC_JIS;
            }
        } else if (!utf8) {
            const bool sjisPair = ((b0 >= 0x81 && b0 <= 0x9F) || (b0 >= 0xE0 && b0 <= 0xFC)) &&
                                  b1 >= 0x40 && b1 <= 0xFC && b1 != 0x7F;
            const bool sjisKana = b0 >= 0xA0 && b0 <= 0xDF;
            const bool eucKana = b0 == 0x8E && b1 >= 0xA0 && b1 <= 0xDF;
            const bool eucPair = b0 >= 0xA1 && b0 <= 0xFE && b1 >= 0xA1;
            if (((sjisPair && !eucKana) || (sjisKana && b1 != 0x8E)) && !eucPair) {
                --diff;
            }
            // Two bytes A6-DF, A1-DF are a run of half-width katakana as much as a kanji.
            const bool kanaRun = b0 >= 0xA6 && b0 <= 0xDF && b1 >= 0xA1 && b1 <= 0xDF;
            if ((eucPair && !sjisPair && !kanaRun) || eucKana) {
                ++diff;
            }
        }
        if (diff > 32) {
            return ENC_EUC;
        }
        if (diff < -32) {
            return ENC_SJIS;
        }
    }
    if (utf8) {
        return ENC_UTF8;
    }
    return diff > 0 ? ENC_EUC : ENC_SJIS;
}

} // namespace

std::int32_t EncodingDetector::scanLineBreak(std::span<const std::uint8_t> file) {
    const std::size_t n = std::min(file.size(), kSampleSize);
    // The look-ahead may reach past the sample but never past the file.
    auto byteIs = [&](std::size_t i, std::uint8_t value) {
        return i < file.size() && file[i] == value;
    };
    for (std::size_t i = 0; i < n; ++i) {
        if (i % 2 == 0 && i + 1 < n) {
            const std::uint16_t v = littleEndianAt(file, i);
            if (v == 0x000A || v == 0x0A00) {
                return LB_LF;
            }
            if (v == 0x000D || v == 0x0D00) {
                if (i + 3 < file.size()) {
                    const std::uint16_t next = littleEndianAt(file, i + 2);
                    if (next == 0x000A || next == 0x0A00) {
                        return LB_CRLF;
                    }
                }
                return LB_CR;
            }
        }
        if (file[i] == 0x0D) {
            return byteIs(i + 1, 0x0A) ? LB_CRLF : LB_CR;
        }
        if (file[i] == 0x0A) {
            return LB_LF;
        }
    }
    return LB_CRLF;
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

std::int32_t EncodingDetector::detectBytes(std::span<const std::uint8_t> file,
                                           std::int32_t& lineBreak) {
    const std::span<const std::uint8_t> sample = file.first(std::min(file.size(), kSampleSize));
    lineBreak = scanLineBreak(file);
    std::int32_t encoding = markedEncoding(file);
    if (encoding == ENC_NONE) {
        encoding = unmarkedUtf16(sample);
    }
    if (encoding == ENC_NONE) {
        return japaneseScan(sample, looksLikeUtf8(sample));
    }
    // A byte scan misreads UTF-16 units such as U+4E0A or U+300D as line breaks.
    if (isUtf16(encoding)) {
        lineBreak = scanUtf16LineBreak(file, encoding);
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
