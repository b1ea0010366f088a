#include "document/LineReader.h"
#include "CodecTestSupport.h"
#include "document/TextEncoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace document;
using codectest::Bytes;
using codectest::bytes;

namespace {

struct ReadResult {
    std::vector<std::u16string> lines;
    std::size_t replacements = 0;
};

ReadResult readAll(const Bytes& data, std::int32_t encoding) {
    LineReader reader;
    reader.attach(data, encoding);
    ReadResult result;
    while (reader.moreLines()) {
        const std::u16string_view line = reader.readLine();
        EXPECT_EQ(line.data()[line.size()], u'\0');
        result.lines.emplace_back(line);
        if (result.lines.size() > data.size() + 1) {
            ADD_FAILURE() << "reader does not end";
            break;
        }
    }
    result.replacements = reader.replacements();
    return result;
}

std::vector<std::u16string> linesOf(const Bytes& data, std::int32_t encoding) {
    return readAll(data, encoding).lines;
}

using Lines = std::vector<std::u16string>;

} // namespace

TEST(LineReader, BreaksOfEveryKindEndLines) {
    EXPECT_EQ(linesOf(bytes("a\rb\nc\r\nd"), ENC_SJIS), (Lines{u"a", u"b", u"c", u"d"}));
    // LF CR is two breaks, CR CR an empty line between.
    EXPECT_EQ(linesOf(bytes("a\n\rb\r\rc"), ENC_UTF8), (Lines{u"a", u"", u"b", u"", u"c"}));
    // A final break yields a last, empty line; a final CR is a whole break.
    EXPECT_EQ(linesOf(bytes("a\r\n"), ENC_LATIN), (Lines{u"a", u""}));
    EXPECT_EQ(linesOf(bytes("a\r"), ENC_EUC), (Lines{u"a", u""}));
    EXPECT_EQ(linesOf(bytes("\n"), ENC_JIS), (Lines{u"", u""}));
}

TEST(LineReader, EmptyDataGivesOneEmptyLine) {
    for (std::int32_t encoding = 1; encoding <= 10; ++encoding) {
        EXPECT_EQ(linesOf({}, encoding), (Lines{u""})) << encoding;
    }
}

TEST(LineReader, MarksAreSkippedOnlyByMarkedEncodingsAndOnlyWhenPresent) {
    const Bytes utf8 = bytes("\xEF\xBB\xBF"
                             "a\nb");
    EXPECT_EQ(linesOf(utf8, ENC_UTF8_BOM), (Lines{u"a", u"b"}));
    EXPECT_EQ(linesOf(utf8, ENC_UTF8), (Lines{u"\uFEFFa", u"b"}));
    EXPECT_EQ(linesOf(bytes("ab"), ENC_UTF8_BOM), (Lines{u"ab"}));
    const Bytes le = bytes(std::string_view("\xFF\xFE"
                                            "a\0",
                                            4));
    EXPECT_EQ(linesOf(le, ENC_UTF16LE_BOM), (Lines{u"a"}));
    EXPECT_EQ(linesOf(le, ENC_UTF16LE), (Lines{u"\uFEFFa"}));
    const Bytes be = bytes(std::string_view("\xFE\xFF\0a", 4));
    EXPECT_EQ(linesOf(be, ENC_UTF16BE_BOM), (Lines{u"a"}));
    // The mark alone is an empty document.
    EXPECT_EQ(linesOf(bytes("\xEF\xBB\xBF"), ENC_UTF8_BOM), (Lines{u""}));
}

TEST(LineReader, Utf16UnitsAndBreaks) {
    EXPECT_EQ(linesOf(bytes(std::string_view("\0A\0\r\0\n\0B", 8)), ENC_UTF16BE),
              (Lines{u"A", u"B"}));
    // U+4E0A and U+0D30 hold break bytes but are no breaks; a surrogate pair passes through.
    const Bytes le = bytes(std::string_view("\x0A\x4E\x30\x0D\r\0<\xD8\x00\xDF\n\0", 12));
    EXPECT_EQ(linesOf(le, ENC_UTF16LE), (Lines{u"\u4E0A\u0D30", u"\U0001F300", u""}));
    const Bytes cr = bytes(std::string_view("a\0\r\0", 4));
    EXPECT_EQ(linesOf(cr, ENC_UTF16LE), (Lines{u"a", u""}));
}

TEST(LineReader, OddSizedUtf16EndsWithOneReplacement) {
    const ReadResult result = readAll(bytes(std::string_view("a\0b", 3)), ENC_UTF16LE);
    EXPECT_EQ(result.lines, (Lines{u"a\uFFFD"}));
    EXPECT_EQ(result.replacements, 1u);
    const ReadResult single = readAll(bytes("\x41"), ENC_UTF16BE);
    EXPECT_EQ(single.lines, (Lines{u"\uFFFD"}));
}

TEST(LineReader, NulInsideALineIsKept) {
    EXPECT_EQ(linesOf(bytes(std::string_view("a\0b\nc", 5)), ENC_SJIS),
              (Lines{std::u16string(u"a\0b", 3), u"c"}));
}

TEST(LineReader, InvalidSequencesAreCountedNotDropped) {
    // Shift_JIS: a lone lead byte before ASCII, and one at the end of a line before its break.
    const ReadResult sjis = readAll(bytes("\x82 a\r\n\x82\r\nok"), ENC_SJIS);
    EXPECT_EQ(sjis.lines, (Lines{u"\uFFFD a", u"\uFFFD", u"ok"}));
    EXPECT_EQ(sjis.replacements, 2u);
    // EUC-JP: a lead byte at the end of the line is not paired with the CR.
    const ReadResult euc = readAll(bytes("\xA4\xA2\xA4\rx"), ENC_EUC);
    EXPECT_EQ(euc.lines, (Lines{u"\u3042\uFFFD", u"x"}));
    EXPECT_EQ(euc.replacements, 1u);
    // A stray high byte, and a JIS X 0212 character code page 932 lacks, are one each.
    const ReadResult stray = readAll(bytes("\xA4"
                                           "A\x8F\xB0\xA1"
                                           "B"),
                                     ENC_EUC);
    EXPECT_EQ(stray.lines, (Lines{u"\uFFFDA\uFFFDB"}));
    EXPECT_EQ(stray.replacements, 2u);
    const ReadResult utf8 = readAll(bytes("\xE3\x81\nA\xFF"), ENC_UTF8);
    EXPECT_EQ(utf8.lines, (Lines{u"\uFFFD", u"A\uFFFD"}));
    EXPECT_EQ(utf8.replacements, 2u);
    // Valid text counts nothing, including a real U+FFFD.
    EXPECT_EQ(readAll(bytes("\xEF\xBF\xBD"), ENC_UTF8).replacements, 0u);
}

TEST(LineReader, JisGoesOnInTheShiftStateThePreviousLineEndedIn) {
    // Kanji mode is left open at the end of the first line and goes on in the second; a new
    // reading starts in ASCII again.
    const Bytes data = bytes("\x1B$B$\"\r\n$\"\x1B(I1\x1B(Bz");
    EXPECT_EQ(linesOf(data, ENC_JIS), (Lines{u"\u3042", u"\u3042\uFF71z"}));
    EXPECT_EQ(linesOf(bytes("$\""), ENC_JIS), (Lines{u"$\""}));
}

TEST(LineReader, UnknownEncodingReadsNothingAndEnds) {
    EXPECT_EQ(linesOf(bytes("abc\ndef"), 0), (Lines{u""}));
    EXPECT_EQ(linesOf(bytes("abc\ndef"), 11), (Lines{u""}));
}

TEST(LineReader, LongLinesAndOnlyCrFiles) {
    // Lines longer than any earlier one grow the buffer; a CR-only file is read in one pass.
    Bytes data;
    Lines expected;
    for (std::size_t length : {10u, 5000u, 3u, 70000u, 0u}) {
        data.insert(data.end(), length, 'x');
        data.push_back('\r');
        expected.emplace_back(length, u'x');
    }
    expected.emplace_back();
    EXPECT_EQ(linesOf(data, ENC_SJIS), expected);
}

TEST(LineReader, OpensFilesAndReportsMissingOnes) {
    codectest::ScratchFolder folder;
    LineReader reader;
    EXPECT_FALSE(reader.open(codectest::u16path(folder.path("missing")), ENC_SJIS));
    codectest::writeFile(folder.path("two.txt"), bytes("\x82\xA0\nb"));
    ASSERT_TRUE(reader.open(codectest::u16path(folder.path("two.txt")), ENC_SJIS));
    EXPECT_EQ(reader.readLine(), u"\u3042");
    EXPECT_TRUE(reader.moreLines());
    EXPECT_EQ(reader.readLine(), u"b");
    EXPECT_FALSE(reader.moreLines());
    reader.close();
    reader.close();
}
