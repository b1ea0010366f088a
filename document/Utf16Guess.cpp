#include "document/Utf16Guess.h"

#include "document/DecodeCheck.h"
#include "document/EightBitGuess.h"
#include "document/SjisJisPair.h"
#include "document/TextEncoding.h"
#include "platform/CodePage.h"

#include <algorithm>

namespace document {

namespace {

struct Range {
    char16_t first;
    char16_t last;
};

// The units Japanese text is made of: ASCII and Latin-1, Greek and Cyrillic, the punctuation,
// symbols, kana and ideographs of the JIS and Windows code pages, and the full- and half-width
// forms. Controls other than tab and line breaks, private use, Hangul, Yi and the rest are not.
constexpr Range kTextUnits[] = {
    {0x0009, 0x000A}, {0x000D, 0x000D}, {0x0020, 0x007E}, {0x00A0, 0x00FF}, {0x0370, 0x03FF},
    {0x0400, 0x045F}, {0x2010, 0x2027}, {0x2030, 0x203B}, {0x2100, 0x22FF}, {0x2312, 0x2312},
    {0x2460, 0x24FF}, {0x2500, 0x257F}, {0x25A0, 0x26FF}, {0x3000, 0x30FF}, {0x3200, 0x33FF},
    {0x4E00, 0x9FFF}, {0xF900, 0xFAFF}, {0xFF01, 0xFF9F}, {0xFFE0, 0xFFE5},
};

bool isTextUnit(char16_t u) {
    for (const Range& r : kTextUnits) {
        if (u < r.first) {
            return false;
        }
        if (u <= r.last) {
            return true;
        }
    }
    return false;
}

// Hiragana, katakana and the commonest marks: units whose 8-bit form puts 30 ('0') at every
// other byte.
bool isKana(char16_t u) {
    return (u >= 0x3041 && u <= 0x3096) || (u >= 0x30A1 && u <= 0x30FC) || u == 0x3001 ||
           u == 0x3002 || u == 0x300C || u == 0x300D;
}

struct Reading {
    bool plausible = true;
    std::size_t zeroHigh = 0;   // units below 0x100: ASCII, Latin-1 and line breaks
    std::size_t kana = 0;       // isKana() units
    std::size_t asciiPairs = 0; // other units whose two bytes are both printable ASCII
    std::size_t units = 0;
};

bool isPrintableAscii(unsigned b) {
    return b >= 0x20 && b <= 0x7E;
}

Reading readAs(std::span<const std::uint8_t> sample, bool bigEndian) {
    Reading r;
    const unsigned high = bigEndian ? 0 : 1;
    r.units = sample.size() / 2;
    bool pendingHigh = false; // a high surrogate waits for its low one
    for (std::size_t i = 0; i + 1 < sample.size(); i += 2) {
        const auto u = static_cast<char16_t>((sample[i + high] << 8) | sample[i + 1 - high]);
        const bool low = u >= 0xDC00 && u <= 0xDFFF;
        if (pendingHigh != low) {
            r.plausible = false;
            break;
        }
        pendingHigh = u >= 0xD800 && u <= 0xDBFF;
        if (pendingHigh || low) {
            continue;
        }
        if (!isTextUnit(u)) {
            r.plausible = false;
            break;
        }
        if (u < 0x100) {
            ++r.zeroHigh;
        } else if (isKana(u)) {
            ++r.kana;
        } else if (isPrintableAscii(u >> 8) && isPrintableAscii(u & 0xFF)) {
            ++r.asciiPairs;
        }
    }
    return r;
}

// Control bytes that text in an 8-bit encoding does not hold (tab, line breaks, form feed,
// ESC and NUL are counted elsewhere or may occur).
bool isStrayControl(std::uint8_t b) {
    return (b >= 0x01 && b <= 0x08) || b == 0x0B || (b >= 0x0E && b <= 0x1A) ||
           (b >= 0x1C && b <= 0x1F) || b == 0x7F;
}

// Whether code page 932 reads the bytes as something else than text: an invalid sequence, or
// a character no text is written in (U+0080 from byte 80, the private-use characters of A0,
// FD-FF and the user-defined rows F0-F9). A sequence cut at the end does not count.
bool notShiftJisText(std::span<const std::uint8_t> bytes) {
    if (!platform::decodesCleanly(platform::CodePage::ShiftJis, bytes)) {
        return true;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const std::uint8_t b = bytes[i];
        if (b == 0x80 || b == 0xA0 || b >= 0xFD || (b >= 0xF0 && b <= 0xF9)) {
            return true;
        }
        i += isSjisLeadByte(b) ? 1 : 0;
    }
    return false;
}

// Whether no 8-bit encoding reads the bytes as ordinary text: not as Windows-1252 (whose every
// byte is a character, so only its look counts), nor cleanly as EUC-JP or UTF-8, nor as text in
// Shift_JIS.
bool noEightBitText(std::span<const std::uint8_t> sample, bool cut) {
    if (cut && sample.size() > 3) {
        sample = sample.first(sample.size() - 3);
    }
    return !looksLatin(sample) && !decodesCleanly(sample, ENC_EUC) &&
           !platform::decodesCleanly(platform::CodePage::Utf8, sample) && notShiftJisText(sample);
}

} // namespace

std::int32_t guessUnmarkedUtf16(std::span<const std::uint8_t> sample, std::size_t fileSize,
                                Utf16Evidence evidence) {
    if (fileSize % 2 != 0 || sample.size() < 2) {
        return ENC_NONE;
    }
    const Reading le = readAs(sample, false);
    const Reading be = readAs(sample, true);
    // Evidence that the bytes are no 8-bit text: a unit below 0x100 is a zero byte on one side,
    // unless it is ASCII text with a stray NUL (then the other units are pairs of ASCII bytes,
    // while in Japanese text most are not); mostly kana puts '0' at every other byte; control
    // bytes that no text holds; and bytes that no 8-bit encoding reads as text.
    bool notText = std::any_of(sample.begin(), sample.end(), isStrayControl);
    if (!notText && evidence == Utf16Evidence::Required && (le.plausible || be.plausible)) {
        notText = noEightBitText(sample, sample.size() < fileSize);
    }
    auto strength = [&](const Reading& r) -> std::size_t {
        if (!r.plausible) {
            return 0;
        }
        const bool zeroBytes = r.zeroHigh != 0 && 2 * r.asciiPairs <= r.units - r.zeroHigh;
        const std::size_t found =
            (zeroBytes ? r.zeroHigh : 0) + (2 * r.kana >= r.units ? r.kana : 0) + (notText ? 1 : 0);
        return found != 0 || evidence == Utf16Evidence::None ? found + 1 : 0;
    };
    const std::size_t leStrength = strength(le);
    const std::size_t beStrength = strength(be);
    if (leStrength == 0 && beStrength == 0) {
        return ENC_NONE;
    }
    return leStrength >= beStrength ? ENC_UTF16LE : ENC_UTF16BE;
}

} // namespace document
