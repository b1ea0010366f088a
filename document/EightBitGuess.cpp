#include "document/EightBitGuess.h"

#include "document/TextEncoding.h"
#include "platform/CodePage.h"

#include <algorithm>
#include <cstring>

namespace document {

namespace {

bool isHigh(std::uint8_t b) {
    return b >= 0x80;
}

// The offset of the first byte that is 80 or above or ESC, or the size when there is none;
// eight bytes at a time.
std::size_t firstNonPlainAscii(std::span<const std::uint8_t> data) {
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    std::size_t i = 0;
    for (; i + 8 <= data.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, data.data() + i, 8);
        const std::uint64_t esc = word ^ (kOnes * 0x1B);
        if ((word & kHigh) != 0 || ((esc - kOnes) & ~esc & kHigh) != 0) {
            break;
        }
    }
    while (i < data.size() && !isHigh(data[i]) && data[i] != 0x1B) {
        ++i;
    }
    return i;
}

// Whether the window is valid UTF-8. A sequence the window cuts at its end counts as valid
// when the file goes on after the window.
bool isUtf8(std::span<const std::uint8_t> window, bool cut) {
    if (cut) {
        // Drop a lead byte and its continuation bytes at the very end: at most three bytes.
        std::size_t back = 0;
        while (back < 3 && back < window.size() &&
               (window[window.size() - 1 - back] & 0xC0) == 0x80) {
            ++back;
        }
        if (back < window.size() && isHigh(window[window.size() - 1 - back])) {
            window = window.first(window.size() - 1 - back);
        }
    }
    return platform::decodesCleanly(platform::CodePage::Utf8, window);
}

// A shift into kanji (ESC $ B, ESC $ @) or half-width katakana (ESC ( I). ESC ( B and ESC ( J
// alone only say ASCII, which UTF-8 keeps byte for byte.
bool hasJisShift(std::span<const std::uint8_t> window) {
    for (std::size_t i = 0; i + 2 < window.size(); ++i) {
        if (window[i] == 0x1B) {
            const std::uint8_t a = window[i + 1];
            const std::uint8_t b = window[i + 2];
            if ((a == '$' && (b == 'B' || b == '@')) || (a == '(' && b == 'I')) {
                return true;
            }
        }
    }
    return false;
}

bool isAsciiLetter(std::uint8_t b) {
    return (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

bool isAsciiLower(std::uint8_t b) {
    return b >= 'a' && b <= 'z';
}

// The Windows-1252 letters among the high bytes, without the rare ƒ; 0 for a non-letter, 1 for
// a lower-case letter, 2 for an upper-case one.
int latinLetter(std::uint8_t b) {
    if (b == 0x9A || b == 0x9C || b == 0x9E || (b >= 0xDF && b != 0xF7)) {
        return 1;
    }
    if (b == 0x8A || b == 0x8C || b == 0x8E || b == 0x9F || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
        return 2;
    }
    return 0;
}

// The Windows-1252 punctuation that Latin text uses: € … ‘ ’ “ ” • – — and no-break space,
// ¡ £ § © « ® ° · » ¿.
bool isLatinPunctuation(std::uint8_t b) {
    // One bit per byte from 80 to BF.
    constexpr std::uint64_t kPunctuation = [] {
        std::uint64_t bits = 0;
        for (const unsigned p : {0x80, 0x85, 0x91, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0xA0,
                                 0xA1, 0xA3, 0xA7, 0xA9, 0xAB, 0xAE, 0xB0, 0xB7, 0xBB, 0xBF}) {
            bits |= std::uint64_t{1} << (p - 0x80);
        }
        return bits;
    }();
    return b >= 0x80 && b < 0xC0 && (kPunctuation >> (b - 0x80) & 1) != 0;
}

} // namespace

// Windows-1252 text: its high bytes are accented letters inside words and some punctuation,
// never more than three in a row, and none of the five bytes the code page leaves undefined.
// Japanese text in Shift_JIS or EUC-JP puts its high bytes in runs and uses lead bytes (81-84,
// 86-89, A4, A5, ...) that are no Latin letter.
bool looksLatin(std::span<const std::uint8_t> w) {
    std::size_t high = 0;
    std::size_t latin = 0;
    std::size_t letters = 0;
    std::size_t inWords = 0;
    std::size_t run = 0;
    for (std::size_t i = 0; i < w.size(); ++i) {
        const std::uint8_t b = w[i];
        if (!isHigh(b)) {
            run = 0;
            continue;
        }
        if (b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D || ++run > 3) {
            return false;
        }
        ++high;
        const int letter = latinLetter(b);
        latin += letter != 0 || isLatinPunctuation(b) ? 1 : 0;
        if (letter == 0) {
            continue;
        }
        ++letters;
        const std::uint8_t before = i > 0 ? w[i - 1] : ' ';
        const std::uint8_t after = i + 1 < w.size() ? w[i + 1] : ' ';
        // A small letter after a letter, or any letter before a small one at a word's start.
        if ((letter == 1 && isAsciiLetter(before)) ||
            (isAsciiLower(after) && !isAsciiLetter(before))) {
            ++inWords;
        }
    }
    return high != 0 && 10 * latin >= 9 * high && inWords != 0 && 2 * inWords >= letters;
}

namespace {

bool isKanaRangeByte(std::uint8_t b) {
    return b >= 0xA1 && b <= 0xDF;
}

// Half-width katakana that take a voiced mark (ｳ, ｶ-ﾄ, ﾊ-ﾎ).
bool takesVoicedMark(std::uint8_t b) {
    return b == 0xB3 || (b >= 0xB6 && b <= 0xC4) || (b >= 0xCA && b <= 0xCE);
}

// A window whose high bytes all lie in A1-DF reads as Shift_JIS half-width katakana as well as
// EUC-JP pairs. It is Shift_JIS when a run of them does not pair up, or when the pairs do not
// start with the rows EUC-JP text is made of (A1 punctuation, A4 hiragana, A5 katakana, B0-CF
// the common kanji) unless most are hiragana, katakana or punctuation, or when a voiced mark
// follows a kana that takes one; otherwise EUC-JP. ENC_NONE when the window holds other high
// bytes.
std::int32_t kanaRangeGuess(std::span<const std::uint8_t> file, std::size_t start,
                            std::size_t end) {
    std::size_t rows = 0;
    std::size_t kanaRows = 0;
    std::size_t commonRows = 0;
    bool voiced = false;
    for (std::size_t i = start; i < end;) {
        if (!isHigh(file[i])) {
            ++i;
            continue;
        }
        std::size_t j = i;
        while (j < file.size() && isHigh(file[j])) {
            if (!isKanaRangeByte(file[j])) {
                return ENC_NONE;
            }
            voiced |= j > i && file[j] >= 0xDE && takesVoicedMark(file[j - 1]);
            ++j;
        }
        if ((j - i) % 2 != 0) {
            return ENC_SJIS;
        }
        for (std::size_t k = i; k < j; k += 2) {
            const std::uint8_t row = file[k];
            ++rows;
            const bool kana = row == 0xA1 || row == 0xA4 || row == 0xA5;
            kanaRows += kana ? 1 : 0;
            commonRows += kana || (row >= 0xB0 && row <= 0xCF) ? 1 : 0;
        }
        i = j;
    }
    if (rows == 0) {
        return ENC_NONE;
    }
    if (2 * kanaRows >= rows) {
        return ENC_EUC;
    }
    return commonRows == rows && !voiced ? ENC_EUC : ENC_SJIS;
}

// The running EUC-JP minus Shift_JIS score over every offset of the window; more than 32 either
// way decides at once. An offset whose bytes pass both sides' pair tests is no evidence (the
// overlapping tests made every EUC-JP pair count for Shift_JIS as well), nor do two bytes that
// read as half-width katakana as well as a kanji. 8E followed by a kana byte always counts for
// EUC-JP, and a kana byte before such an 8E does not count for Shift_JIS. The byte after the
// window's last one is taken from the file.
std::int32_t scoreJapanese(std::span<const std::uint8_t> file, std::size_t start, std::size_t end) {
    int diff = 0;
    std::size_t runStart = start;
    for (std::size_t i = start; i < end; ++i) {
        const std::uint8_t b0 = file[i];
        if (!isHigh(b0)) {
            runStart = i + 1;
            continue;
        }
        // In EUC-JP the high bytes of a run pair up from its start: at an odd distance the byte
        // would be the second of a pair, and what it looks like with the next byte proves
        // nothing either way (that made EUC-JP text with ASCII read as half-width katakana).
        if ((i - runStart) % 2 == 1 && b0 >= 0xA1 && b0 <= 0xFE) {
            continue;
        }
        const std::uint8_t b1 = i + 1 < file.size() ? file[i + 1] : 0;
        const bool sjisPair = ((b0 >= 0x81 && b0 <= 0x9F) || (b0 >= 0xE0 && b0 <= 0xFC)) &&
                              b1 >= 0x40 && b1 <= 0xFC && b1 != 0x7F;
        const bool sjisKana = b0 >= 0xA0 && b0 <= 0xDF;
        const bool eucKana = b0 == 0x8E && b1 >= 0xA0 && b1 <= 0xDF;
        const bool eucPair = b0 >= 0xA1 && b0 <= 0xFE && b1 >= 0xA1;
        if (((sjisPair && !eucKana) || (sjisKana && b1 != 0x8E)) && !eucPair) {
            --diff;
        }
        const bool kanaRun = b0 >= 0xA6 && b0 <= 0xDF && b1 >= 0xA1 && b1 <= 0xDF;
        if ((eucPair && !sjisPair && !kanaRun) || eucKana) {
            ++diff;
        }
        if (diff > 32) {
            return ENC_EUC;
        }
        if (diff < -32) {
            return ENC_SJIS;
        }
    }
    return diff > 0 ? ENC_EUC : ENC_SJIS;
}

} // namespace

std::span<const std::uint8_t> detectionWindow(std::span<const std::uint8_t> file,
                                              std::size_t windowSize) {
    const std::span<const std::uint8_t> head = file.first(std::min(file.size(), windowSize));
    if (firstNonPlainAscii(head) < head.size() || head.size() == file.size()) {
        return head;
    }
    const std::size_t first = windowSize + firstNonPlainAscii(file.subspan(windowSize));
    return file.subspan(first, std::min(file.size() - first, windowSize));
}

std::int32_t guessEightBit(std::span<const std::uint8_t> file,
                           std::span<const std::uint8_t> window) {
    const auto start = static_cast<std::size_t>(window.data() - file.data());
    const std::size_t end = start + window.size();
    const bool utf8 = isUtf8(window, end < file.size());
    // ISO-2022-JP is 7-bit: escapes in UTF-8 with characters beyond ASCII are a terminal's.
    if (hasJisShift(window) && (!utf8 || std::none_of(window.begin(), window.end(), isHigh))) {
        return ENC_JIS;
    }
    if (utf8) {
        return ENC_UTF8;
    }
    if (looksLatin(window)) {
        return ENC_LATIN;
    }
    if (const std::int32_t kana = kanaRangeGuess(file, start, end); kana != ENC_NONE) {
        return kana;
    }
    return scoreJapanese(file, start, end);
}

} // namespace document
