#include "document/EncodingDetector.h"
#include "CodecTestSupport.h"

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
    EXPECT_EQ(encodingOf(bytes("\xFF\xFE"
                               "ab")),
              ENC_UTF8);
}

TEST(EncodingDetector, EmptyAndTinyFiles) {
    EXPECT_EQ(detect({}).encoding, ENC_UTF8);
    EXPECT_EQ(detect({}).lineBreak, LB_CRLF);
    EXPECT_EQ(encodingOf(bytes("abc")), ENC_UTF8);
    // Four bytes with an invalid UTF-8 head are still too short to be examined.
    EXPECT_EQ(encodingOf(bytes("\x82\xA0\x82\xA0")), ENC_UTF8);
}

TEST(EncodingDetector, Utf16WithoutMarkByAlignedLineBreak) {
    EXPECT_EQ(encodingOf(bytes(std::string_view("a\0\r\0\n\0b\0", 8))), ENC_UTF16LE);
    EXPECT_EQ(encodingOf(bytes(std::string_view("\0a\0\n\0b", 6))), ENC_UTF16BE);
    // Only the first U - 1 units are read: a break in the last unit does not count.
    EXPECT_EQ(encodingOf(bytes(std::string_view("ab\n\0", 4))), ENC_UTF8);
    // A NUL byte beside a line break in an 8-bit file is taken for UTF-16 as well.
    EXPECT_EQ(encodingOf(bytes(std::string_view("abc\0\n\0xyz", 9))), ENC_UTF16LE);
}

TEST(EncodingDetector, Utf8WalkIgnoresTheLastFourBytes) {
    EXPECT_EQ(encodingOf(bytes("caf\xC3\xA9 \xE3\x81\x82 \xF0\x9F\x98\x80!")), ENC_UTF8);
    // A sequence cut by the end of the sample still passes...
    EXPECT_EQ(encodingOf(bytes("abcdefgh\xE3\x81")), ENC_UTF8);
    // ...but a broken one earlier does not.
    EXPECT_EQ(encodingOf(bytes("abc\xE3\x81z defgh")), ENC_SJIS);
    // Overlong forms are not checked.
    EXPECT_EQ(encodingOf(bytes("ab\xC0\x80 cdefg")), ENC_UTF8);
}

TEST(EncodingDetector, JisEscapesWinEvenOverValidUtf8) {
    for (std::string_view escape : {"\x1B$B", "\x1B$@", "\x1B(J", "\x1B(B"}) {
        Bytes data = bytes("plain ascii ");
        data.insert(data.end(), escape.begin(), escape.end());
        data.insert(data.end(), {'x', 'y'});
        EXPECT_EQ(encodingOf(data), ENC_JIS);
    }
    // ESC ( I alone is no evidence, and an escape in the last three bytes is not seen.
    EXPECT_EQ(encodingOf(bytes("abc\x1B(I1234")), ENC_UTF8);
    EXPECT_EQ(encodingOf(bytes("abcdef\x1B$B")), ENC_UTF8);
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
    // 40 EUC-only pairs (lead A1-DF, no Shift_JIS pair at the same offset) and then far more
    // Shift_JIS evidence: the early EUC lead of more than 32 decides.
    Bytes data = repeat("\xA4\xA2", 40);
    const Bytes sjis = repeat("\x82\x60", 200);
    data.insert(data.end(), sjis.begin(), sjis.end());
    EXPECT_EQ(encodingOf(data), ENC_EUC);
    // The reverse: Shift_JIS pairs first.
    Bytes reverse = repeat("\x82\x60", 40);
    const Bytes euc = repeat("\xA4\xA2", 200);
    reverse.insert(reverse.end(), euc.begin(), euc.end());
    EXPECT_EQ(encodingOf(reverse), ENC_SJIS);
    // Below the margin the final sign decides, and a tie goes to Shift_JIS.
    EXPECT_EQ(encodingOf(bytes("\xA4\xA2\xA4\xA2zzzz")), ENC_EUC);
    EXPECT_EQ(encodingOf(bytes("\x82\x60zzzzz")), ENC_SJIS);
    EXPECT_EQ(encodingOf(bytes("\xFF\xFFzzzzzz")), ENC_SJIS);
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
}

TEST(EncodingDetector, OnlyTheFirst128KiBAreSampled) {
    Bytes data(EncodingDetector::kSampleSize, 'a');
    const Bytes sjis = repeat("\x82\xA0", 100);
    data.insert(data.end(), sjis.begin(), sjis.end());
    EXPECT_EQ(encodingOf(data), ENC_UTF8);
    data[EncodingDetector::kSampleSize - 10] = 0x82;
    data[EncodingDetector::kSampleSize - 9] = 0xA0;
    EXPECT_EQ(encodingOf(data), ENC_SJIS);
}

TEST(EncodingDetector, LineBreakScan) {
    EXPECT_EQ(detect(bytes("a\r\n")).lineBreak, LB_CRLF);
    EXPECT_EQ(detect(bytes("a\rb")).lineBreak, LB_CR);
    EXPECT_EQ(detect(bytes("ab\nc\r\n")).lineBreak, LB_LF);
    EXPECT_EQ(detect(bytes(std::string_view("a\0\r\0\n\0", 6))).lineBreak, LB_CRLF);
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
