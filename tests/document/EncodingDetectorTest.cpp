#include "document/EncodingDetector.h"
#include "CodecTestSupport.h"
#include "document/EightBitGuess.h"

#include <gtest/gtest.h>

using namespace document;
using codectest::Bytes;
using codectest::bytes;

namespace {

struct Result {
    std::int32_t encoding;
    std::int32_t lineBreak;
};

Result detect(const Bytes& data) {
    std::int32_t lineBreak = -7;
    const std::int32_t encoding = EncodingDetector::detectBytes(data, lineBreak);
    return {encoding, lineBreak};
}

std::int32_t encodingOf(const Bytes& data) {
    return detect(data).encoding;
}

Bytes repeat(std::string_view unit, std::size_t times) {
    Bytes out;
    for (std::size_t i = 0; i < times; ++i) {
        out.insert(out.end(), unit.begin(), unit.end());
    }
    return out;
}

} // namespace

TEST(EncodingDetector, ByteOrderMarksOnlyAboveFourBytes) {
    EXPECT_EQ(encodingOf(bytes(std::string_view("\xFF\xFE"
                                                "a\0b\0",
                                                6))),
              ENC_UTF16LE_BOM);
    EXPECT_EQ(encodingOf(bytes("\xFF\xFE\x82\xA0\x82\xA0")), ENC_UTF16LE_BOM); // whatever follows
    EXPECT_EQ(encodingOf(bytes(std::string_view("\xFE\xFF\0a\0b", 6))), ENC_UTF16BE_BOM);
    EXPECT_EQ(encodingOf(bytes("\xEF\xBB\xBF"
                               "ab")),
              ENC_UTF8_BOM);
    // Four bytes are too few for the mark: EF BB BF 41 is plain UTF-8.
    EXPECT_EQ(encodingOf(bytes("\xEF\xBB\xBF"
                               "A")),
              ENC_UTF8);
    // Nor as UTF-8, which would replace both bytes: as Windows-1252 they are "ÿþ".
    EXPECT_EQ(encodingOf(bytes("\xFF\xFE"
                               "ab")),
              ENC_LATIN);
}

TEST(EncodingDetector, EmptyAndTinyFiles) {
    EXPECT_EQ(detect({}).encoding, ENC_UTF8);
    EXPECT_EQ(detect({}).lineBreak, LB_CRLF);
    EXPECT_EQ(encodingOf(bytes("abc")), ENC_UTF8);
    // Every byte of a short file is examined: one or two characters are no UTF-8.
    EXPECT_EQ(encodingOf(bytes("\x82\xA0\x82\xA0")), ENC_SJIS);
    EXPECT_EQ(encodingOf(bytes("\x82\xA0")), ENC_SJIS);
    EXPECT_EQ(encodingOf(bytes("\xA4\xA2")), ENC_EUC);
    EXPECT_EQ(encodingOf(bytes("caf\xE9")), ENC_LATIN);
    EXPECT_EQ(encodingOf(bytes("\xE3\x81\x82")), ENC_UTF8);
}

TEST(EncodingDetector, Utf16WithoutMark) {
    EXPECT_EQ(encodingOf(bytes(std::string_view("a\0\r\0\n\0b\0", 8))), ENC_UTF16LE);
    EXPECT_EQ(encodingOf(bytes(std::string_view("\0a\0\n\0b", 6))), ENC_UTF16BE);
    // Without any line break: kana put '0' at every other byte; kanji give bytes that no 8-bit
    // encoding reads as text.
    EXPECT_EQ(encodingOf(bytes("B0D0F0H0")), ENC_UTF16LE); // あいうえ
    EXPECT_EQ(encodingOf(bytes("\x30\x42\x30\x44")), ENC_UTF16BE);
    // An 8-bit file with a NUL beside its line break is no UTF-16, odd-sized or not, and its
    // line break is read from its bytes.
    EXPECT_EQ(encodingOf(bytes(std::string_view("abc\0\n\0xyz", 9))), ENC_UTF8);
    EXPECT_EQ(detect(bytes(std::string_view("ab\0\ncd", 6))).encoding, ENC_UTF8);
    EXPECT_EQ(detect(bytes(std::string_view("a line\0\r\nnext", 13))).lineBreak, LB_CRLF);
    const Bytes sjis = bytes(std::string_view("\x82\xA0\x82\xA2\0\r\n\x82\xA4", 9));
    EXPECT_EQ(encodingOf(sjis), ENC_SJIS);
    // Ordinary text is never plausible UTF-16: a space beside a letter is no Japanese unit.
    EXPECT_EQ(encodingOf(bytes("plain words")), ENC_UTF8);
}

TEST(EncodingDetector, Utf8IsValidatedToTheEndOfTheFile) {
    EXPECT_EQ(encodingOf(bytes("caf\xC3\xA9 \xE3\x81\x82 \xF0\x9F\x98\x80!")), ENC_UTF8);
    // A sequence cut by the end of the file is invalid; one cut by the end of the sample is not.
    EXPECT_NE(encodingOf(bytes("abcdefgh\xE3\x81")), ENC_UTF8);
    Bytes cut(EncodingDetector::kSampleSize - 1, 'a');
    cut.insert(cut.end(), {0xE3, 0x81, 0x82});
    EXPECT_EQ(encodingOf(cut), ENC_UTF8);
    // Overlong forms and encoded surrogates are no UTF-8 (the decoder replaces them).
    EXPECT_NE(encodingOf(bytes("ab\xC0\x80 cdefg")), ENC_UTF8);
    EXPECT_NE(encodingOf(bytes("ab\xED\xA0\x80 cdefg")), ENC_UTF8);
}

TEST(EncodingDetector, JisNeedsAShiftAndSevenBitText) {
    for (std::string_view escape : {"\x1B$B", "\x1B$@", "\x1B(I"}) {
        Bytes data = bytes("plain ascii ");
        data.insert(data.end(), escape.begin(), escape.end());
        data.insert(data.end(), {'0', '!', '\x1B', '(', 'B'});
        EXPECT_EQ(encodingOf(data), ENC_JIS);
    }
    // ESC ( B and ESC ( J alone shift nothing: UTF-8 keeps them byte for byte.
    EXPECT_EQ(encodingOf(bytes("abc\x1B(Jdef\x1B(B")), ENC_UTF8);
    // A terminal's escapes inside UTF-8 text with characters beyond ASCII.
    EXPECT_EQ(encodingOf(bytes("\x1B$B\xE2\x9C\x93 done\x1B(B")), ENC_UTF8);
    // A shift at the very end of the file is seen too.
    EXPECT_EQ(encodingOf(bytes("abcdef\x1B$B")), ENC_JIS);
}

TEST(EncodingDetector, RealJapaneseTextInEachEncoding) {
    EXPECT_EQ(encodingOf(codectest::fixture("japanese.sjis")), ENC_SJIS);
    EXPECT_EQ(encodingOf(codectest::fixture("japanese.euc")), ENC_EUC);
    EXPECT_EQ(encodingOf(codectest::fixture("japanese.jis")), ENC_JIS);
    EXPECT_EQ(encodingOf(codectest::fixture("japanese.utf8")), ENC_UTF8);
    EXPECT_EQ(encodingOf(codectest::fixture("japanese.utf8bom")), ENC_UTF8_BOM);
    EXPECT_EQ(encodingOf(codectest::fixture("japanese.utf16le")), ENC_UTF16LE);
    EXPECT_EQ(encodingOf(codectest::fixture("japanese.utf16be")), ENC_UTF16BE);
    EXPECT_EQ(encodingOf(codectest::fixture("halfwidth.euc")), ENC_EUC);
    EXPECT_EQ(encodingOf(codectest::fixture("cp932.sjis")), ENC_SJIS);
}

TEST(EncodingDetector, ScoresAreComparedAfterEveryOffset) {
    // 40 EUC-only pairs and then far more Shift_JIS evidence: the early EUC lead of more than 32
    // decides the guess (the file as a whole then reads cleanly only as Shift_JIS).
    Bytes data = repeat("\xA4\xA2", 40);
    const Bytes sjis = repeat(" \x82\x60", 200);
    data.insert(data.end(), sjis.begin(), sjis.end());
    EXPECT_EQ(guessEightBit(data, data), ENC_EUC);
    EXPECT_EQ(encodingOf(data), ENC_SJIS);
    Bytes reverse = repeat("\x82\x60", 40);
    const Bytes euc = repeat("\xA4\xA2", 200);
    reverse.insert(reverse.end(), euc.begin(), euc.end());
    EXPECT_EQ(guessEightBit(reverse, reverse), ENC_SJIS);
    // Below the margin the final sign decides, and a tie goes to Shift_JIS.
    EXPECT_EQ(encodingOf(bytes("\xA4\xA2\xA4\xA2zzzz")), ENC_EUC);
    EXPECT_EQ(encodingOf(bytes("\x82\x60zzzzz")), ENC_SJIS);
    EXPECT_EQ(encodingOf(bytes("\xE4\xE4\xE4\xE4zzzz")), ENC_SJIS);
}

TEST(EncodingDetector, PairsThatPassBothSidesAreNoEvidence) {
    // E0-FC followed by E0-FC passes both pair tests: a text made only of them ties.
    EXPECT_EQ(encodingOf(repeat("\xE4\xE4", 50)), ENC_SJIS);
    // EUC-JP half-width katakana: 8E and a kana byte is EUC evidence although it is also a
    // Shift_JIS pair, and the kana byte before the next 8E is no Shift_JIS kana.
    EXPECT_EQ(encodingOf(repeat("\x8E\xB1", 50)), ENC_EUC);
    // The same kana bytes without 8E are Shift_JIS half-width katakana.
    EXPECT_EQ(encodingOf(repeat("\xB1 ", 50)), ENC_SJIS);
    // EUC-JP hiragana (lead A4) is no Shift_JIS pair and counts.
    EXPECT_EQ(encodingOf(repeat("\xA4\xA2", 3)), ENC_EUC);
    // The second byte of an EUC-JP pair before ASCII is no half-width katakana.
    EXPECT_EQ(encodingOf(repeat("\xB4\xC1"
                                "a\xA4\xA2"
                                "b",
                                20)),
              ENC_EUC);
}

TEST(EncodingDetector, HalfWidthKatakanaOnlyIsShiftJis) {
    // ｶﾀｶﾅﾃﾞｽ｡: runs that do not pair up, and a voiced mark after a kana that takes one.
    EXPECT_EQ(encodingOf(bytes("\xB6\xC0\xB6\xC5\xC3\xDE\xBD\xA1")), ENC_SJIS);
    EXPECT_EQ(encodingOf(bytes("\xB6\xC0\xB6\xC5\xC5 \xB6\xC0")), ENC_SJIS);
    // The same bytes as EUC-JP kanji read as EUC-JP when they pair up into common rows.
    EXPECT_EQ(encodingOf(bytes("\xB4\xC1\xBB\xFA")), ENC_EUC);
}

TEST(EncodingDetector, LooksOnPastAnAsciiPrefix) {
    for (std::string_view name : {"japanese.sjis", "japanese.euc", "japanese.jis"}) {
        SCOPED_TRACE(name);
        Bytes data(EncodingDetector::kSampleSize + 1000, 'a');
        const Bytes text = codectest::fixture(name);
        data.insert(data.end(), text.begin(), text.end());
        EXPECT_EQ(encodingOf(data), encodingOf(text));
    }
}

TEST(EncodingDetector, LineBreakScan) {
    EXPECT_EQ(detect(bytes("a\r\n")).lineBreak, LB_CRLF);
    EXPECT_EQ(detect(bytes("a\rb")).lineBreak, LB_CR);
    EXPECT_EQ(detect(bytes("ab\nc\r\n")).lineBreak, LB_LF);
    EXPECT_EQ(detect(bytes(std::string_view("a\0\r\0\n\0", 6))).lineBreak, LB_CRLF);
    EXPECT_EQ(detect(bytes(std::string_view("a\0\r\nb", 5))).lineBreak, LB_CRLF);
    EXPECT_EQ(detect(bytes("no break")).lineBreak, LB_CRLF);
    // A CR as the very last byte of the file is a CR.
    EXPECT_EQ(detect(bytes("abc\r")).lineBreak, LB_CR);
    EXPECT_EQ(detect(bytes("\r")).lineBreak, LB_CR);
    // The look-ahead reaches one byte past the sample into the file, never further.
    Bytes data(EncodingDetector::kSampleSize - 1, 'a');
    data.push_back('\r');
    EXPECT_EQ(detect(data).lineBreak, LB_CR);
    data.push_back('\n');
    EXPECT_EQ(detect(data).lineBreak, LB_CRLF);
}

TEST(EncodingDetector, Utf16LineBreakComesFromAlignedUnits) {
    // U+4E0A (0A 4E little endian) and U+300D (0D 30) before the first CR LF.
    const Bytes le = bytes(std::string_view("\xFF\xFE\x0A\x4E\x0D\x30\r\0\n\0", 10));
    EXPECT_EQ(detect(le).encoding, ENC_UTF16LE_BOM);
    EXPECT_EQ(detect(le).lineBreak, LB_CRLF);
    const Bytes be = bytes(std::string_view("\xFE\xFF\x4E\x0A\x30\x0D\0\n\0a", 10));
    EXPECT_EQ(detect(be).encoding, ENC_UTF16BE_BOM);
    EXPECT_EQ(detect(be).lineBreak, LB_LF);
    const Bytes crOnly = bytes(std::string_view("\xFF\xFE"
                                                "a\0\r\0",
                                                6));
    EXPECT_EQ(detect(crOnly).lineBreak, LB_CR);
    // An 8-bit result keeps the byte scan: the unaligned CR after "a" wins over later units.
    EXPECT_EQ(detect(bytes("a\rbc\r\n")).lineBreak, LB_CR);
}

TEST(EncodingDetector, FilesOnDisk) {
    codectest::ScratchFolder folder;
    std::int32_t lineBreak = -7;
    EXPECT_EQ(EncodingDetector::detect(codectest::u16path(folder.path("missing.txt")), lineBreak),
              ENC_NONE);
    EXPECT_EQ(lineBreak, -7);
    codectest::writeFile(folder.path("empty.txt"), {});
    EXPECT_EQ(EncodingDetector::detect(codectest::u16path(folder.path("empty.txt")), lineBreak),
              ENC_UTF8);
    EXPECT_EQ(lineBreak, LB_CRLF);
    codectest::writeFile(folder.path("euc.txt"), codectest::fixture("japanese.euc"));
    EXPECT_EQ(EncodingDetector::detect(codectest::u16path(folder.path("euc.txt")), lineBreak),
              ENC_EUC);
}
