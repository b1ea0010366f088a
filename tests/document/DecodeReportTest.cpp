// What decoding reports about a file: what the text lost, and what saving the unchanged text
// would write otherwise.
#include "CodecTestSupport.h"
#include "document/DocumentDecoder.h"
#include "document/DocumentEncoder.h"
#include "document/TextEncoding.h"

#include <gtest/gtest.h>

using namespace document;
using codectest::Bytes;
using codectest::bytes;

namespace {

DecodedDocument decode(std::string_view data, std::int32_t encoding, std::int32_t lineBreak) {
    return decodeDocumentBytes(bytes(data), encoding, lineBreak);
}

Occurrences occurrences(std::size_t count, std::size_t line, std::size_t column) {
    return {count, {line, column}};
}

} // namespace

TEST(DecodeReport, ReplacedSequencesAndNulCutsAreCountedWhereTheyFirstAre) {
    // EUC-JP: a lone lead byte at the end of each line.
    const DecodedDocument euc = decode("\xA4\xA2\xA4\xA2\xA4\xA2\xA4\n\xA4", ENC_EUC, LB_LF);
    EXPECT_EQ(euc.text, u"\u3042\u3042\u3042\uFFFD\r\uFFFD");
    EXPECT_EQ(euc.report.replaced, occurrences(2, 1, 4));
    EXPECT_FALSE(euc.report.lossless());
    // A line ends at its first NUL; the place is the NUL's.
    const DecodedDocument nul =
        decode(std::string_view("ab\0cd\r\nef\0\r\ngh", 14), ENC_SJIS, LB_CRLF);
    EXPECT_EQ(nul.text, u"ab\ref\rgh");
    EXPECT_EQ(nul.report.nulCuts, occurrences(2, 1, 3));
    EXPECT_FALSE(nul.report.replaced.any());
    EXPECT_FALSE(nul.report.lossless());
    // UTF-8 replacements after valid text on a later line, and half a UTF-16 unit.
    EXPECT_EQ(decode("ok\r\n\xE3\x81\x82x\xFF", ENC_UTF8, LB_CRLF).report.replaced,
              occurrences(1, 2, 3));
    EXPECT_EQ(decode(std::string_view("a\0\n\0b", 5), ENC_UTF16LE, LB_LF).report.replaced,
              occurrences(1, 2, 1));
    // Nothing lost and nothing changed.
    const DecodedDocument clean = decode("a\r\nb\r\n", ENC_LATIN, LB_CRLF);
    EXPECT_TRUE(clean.report.savesUnchanged());
    EXPECT_EQ(clean.report.breakKinds, 1u << LB_CRLF);
}

TEST(DecodeReport, LineBreaksOfAnotherKindAreCountedAndMixingIsSaid) {
    const DecodedDocument mixed = decode("a\r\nbb\ncc\rd", ENC_SJIS, LB_CRLF);
    EXPECT_EQ(mixed.text, u"a\rbb\rcc\rd");
    EXPECT_TRUE(mixed.report.mixedBreaks());
    EXPECT_EQ(mixed.report.otherBreaks, occurrences(2, 2, 3));
    EXPECT_TRUE(mixed.report.lossless());
    EXPECT_FALSE(mixed.report.savesUnchanged());
    // One kind throughout, but not the document's: every break is rewritten, nothing is mixed.
    const DecodedDocument lf = decode("a\nb\n", ENC_UTF8, LB_CRLF);
    EXPECT_FALSE(lf.report.mixedBreaks());
    EXPECT_EQ(lf.report.otherBreaks, occurrences(2, 1, 2));
    EXPECT_TRUE(decode("a\nb\n", ENC_UTF8, LB_LF).report.savesUnchanged());
    // UTF-16 breaks are units.
    const DecodedDocument utf16 =
        decode(std::string_view("a\0\r\0\n\0b\0\n\0", 10), ENC_UTF16LE, LB_CRLF);
    EXPECT_TRUE(utf16.report.mixedBreaks());
    EXPECT_EQ(utf16.report.otherBreaks, occurrences(1, 2, 2));
}

TEST(DecodeReport, JisReadsOnOverLineBreaksAndSaysWhichLinesAreWrittenOtherwise) {
    // Kanji mode left open over a line break goes on in the next line.
    const DecodedDocument open = decode("\x1B$B$\"\r\n$$\x1B(B", ENC_JIS, LB_CRLF);
    EXPECT_EQ(open.text, u"\u3042\r\u3044");
    EXPECT_TRUE(open.report.lossless());
    // Saving starts each line in ASCII and closes it: both lines come out otherwise.
    EXPECT_EQ(open.report.respelled, occurrences(2, 1, 1));
    // ESC $ @ and ESC ( J read as ESC $ B and ESC ( B, and are saved as those.
    const DecodedDocument old = decode("\x1B$@$\"\x1B(J\\a", ENC_JIS, LB_CRLF);
    EXPECT_EQ(old.text, u"\u3042\\a");
    EXPECT_EQ(old.report.respelled, occurrences(1, 1, 1));
    EXPECT_EQ(encodeDocumentBytes(old.text, ENC_JIS, LB_CRLF, old.spelling),
              bytes("\x1B$B$\"\x1B(B\\a\x1B(B"));
    // What saving writes itself reads back unchanged.
    EXPECT_TRUE(decode("A\x1B$B4A\x1B(B\r\n\r\nB\x1B(B", ENC_JIS, LB_CRLF).report.savesUnchanged());
}

TEST(DecodeReport, AMarkedEncodingSaysWhenSavingWritesItsMarkOtherwise) {
    // Saving adds the mark the file lacks...
    EXPECT_TRUE(decode("ab", ENC_UTF8_BOM, LB_CRLF).report.markRewritten);
    // ...and writes nothing for the empty text of a file that is only the mark.
    EXPECT_TRUE(decode("\xFE\xFF", ENC_UTF16BE_BOM, LB_CRLF).report.markRewritten);
    EXPECT_FALSE(decode("", ENC_UTF16LE_BOM, LB_CRLF).report.markRewritten);
    EXPECT_FALSE(decode("\xEF\xBB\xBF"
                        "ab",
                        ENC_UTF8_BOM, LB_CRLF)
                     .report.markRewritten);
    EXPECT_FALSE(decode("ab", ENC_UTF8, LB_CRLF).report.markRewritten);
}

TEST(DocumentDecoder, FilesThatCannotBeReadSayWhy) {
    codectest::ScratchFolder folder;
    platform::FileError error;
    EXPECT_FALSE(
        decodeDocumentFile(codectest::u16path(folder.path("none")), ENC_NONE, LB_CR, &error));
    EXPECT_EQ(error.kind, platform::FileError::Kind::System);
    EXPECT_FALSE(decodeDocumentFile(codectest::u16path(folder.path("")), ENC_NONE, LB_CR, &error));
    EXPECT_EQ(error.kind, platform::FileError::Kind::Folder);
}
