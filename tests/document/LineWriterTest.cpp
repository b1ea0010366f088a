#include "document/LineWriter.h"
#include "CodecTestSupport.h"
#include "document/BufferedFileWriter.h"
#include "document/DocumentEncoder.h"
#include "document/LineEncoder.h"
#include "document/MappedFile.h"
#include "document/TextEncoding.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace document;
using codectest::Bytes;
using codectest::bytes;

namespace {

Bytes encodeLine(std::int32_t encoding, std::u16string_view text) {
    LineEncoder encoder;
    const auto span = encoder.encode(encoding, text);
    return Bytes(span.begin(), span.end());
}

} // namespace

TEST(LineEncoder, EachEncodingOfOneLine) {
    const std::u16string_view text = u"A\u3042\uFF71";
    EXPECT_EQ(encodeLine(ENC_SJIS, text), bytes("A\x82\xA0\xB1"));
    EXPECT_EQ(encodeLine(ENC_EUC, text), bytes("A\xA4\xA2\x8E\xB1"));
    EXPECT_EQ(encodeLine(ENC_JIS, text), bytes("A\x1B$B$\"\x1B(I1\x1B(B"));
    EXPECT_EQ(encodeLine(ENC_UTF8, text), bytes("A\xE3\x81\x82\xEF\xBD\xB1"));
    EXPECT_EQ(encodeLine(ENC_UTF8_BOM, text), encodeLine(ENC_UTF8, text));
    EXPECT_EQ(encodeLine(ENC_UTF16LE_BOM, text), bytes(std::string_view("A\0\x42\x30\x71\xFF", 6)));
    EXPECT_EQ(encodeLine(ENC_UTF16BE, text), bytes(std::string_view("\0A\x30\x42\xFF\x71", 6)));
    EXPECT_EQ(encodeLine(ENC_LATIN, u"caf\u00E9\u20AC\u3042"), bytes("caf\xE9\x80?"));
    // Characters the code page lacks become '?' in the pivot too.
    EXPECT_EQ(encodeLine(ENC_EUC, u"\u00E9x"), bytes("?x"));
    EXPECT_TRUE(encodeLine(0, text).empty());
}

TEST(LineWriter, MarkOnceBreaksAndEmptyLines) {
    codectest::ScratchFolder folder;
    const auto path = folder.path("out.txt");
    LineWriter writer;
    ASSERT_TRUE(writer.open(codectest::u16path(path), ENC_UTF16LE_BOM, LB_CRLF));
    writer.writeLine(u"a", true, false);
    writer.writeLine(u"", false, false);
    writer.writeLine(u"b", false, true);
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(codectest::readFile(path), bytes(std::string_view("\xFF\xFE"
                                                                "a\0\r\0\n\0\r\0\n\0b\0",
                                                                14)));
    // Encodings without a mark write none even when asked.
    ASSERT_TRUE(writer.open(codectest::u16path(path), ENC_SJIS, LB_LF));
    writer.writeLine(u"a", true, false);
    writer.writeLine(u"", false, true);
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(codectest::readFile(path), bytes("a\n"));
}

TEST(LineWriter, JisEscapesAreClosedPerLineAndEmptyLinesHaveNone) {
    codectest::ScratchFolder folder;
    const auto path = folder.path("jis.txt");
    LineWriter writer;
    ASSERT_TRUE(writer.open(codectest::u16path(path), ENC_JIS, LB_CR));
    writer.writeLine(u"A\u6F22", true, false);
    writer.writeLine(u"", false, false);
    writer.writeLine(u"\u6F22", false, true);
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(codectest::readFile(path), bytes("A\x1B$B4A\x1B(B\r\r\x1B$B4A\x1B(B"));
}

TEST(DocumentEncoder, SplitsAtCrAndWritesTheMarkOnce) {
    codectest::ScratchFolder folder;
    const auto path = codectest::u16path(folder.path("doc.txt"));
    ASSERT_TRUE(encodeDocumentFile(path, u"a\rb\r", ENC_UTF8_BOM, LB_CRLF));
    EXPECT_EQ(codectest::readFile(folder.path("doc.txt")), bytes("\xEF\xBB\xBF"
                                                                 "a\r\nb\r\n"));
    ASSERT_TRUE(encodeDocumentFile(path, u"no break", ENC_UTF16BE_BOM, LB_LF));
    EXPECT_EQ(codectest::readFile(folder.path("doc.txt")).size(), 2u + 16u);
    // An empty text writes nothing at all, not even the mark.
    ASSERT_TRUE(encodeDocumentFile(path, u"", ENC_UTF16LE_BOM, LB_LF));
    EXPECT_TRUE(codectest::readFile(folder.path("doc.txt")).empty());
    ASSERT_TRUE(encodeDocumentFile(path, u"\r", ENC_SJIS, LB_CRLF));
    EXPECT_EQ(codectest::readFile(folder.path("doc.txt")), bytes("\r\n"));
    EXPECT_FALSE(encodeDocumentFile(codectest::u16path(folder.path("no/such/dir/x")), u"a",
                                    ENC_SJIS, LB_LF));
}

TEST(BufferedFileWriter, BufferBoundariesKeepEveryByteInOrder) {
    codectest::ScratchFolder folder;
    const auto path = folder.path("big.bin");
    Bytes expected;
    BufferedFileWriter writer;
    ASSERT_TRUE(writer.open(codectest::u16path(path)));
    // Pieces that end exactly at, just before and far beyond the 64 KiB boundary.
    for (std::size_t size : {65535u, 1u, 65536u, 3u, 200000u, 0u, 65533u}) {
        Bytes piece(size);
        for (std::size_t i = 0; i < size; ++i) {
            piece[i] = static_cast<std::uint8_t>((expected.size() + i) * 7);
        }
        writer.write(piece);
        expected.insert(expected.end(), piece.begin(), piece.end());
    }
    EXPECT_TRUE(writer.close());
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(codectest::readFile(path), expected);
}

TEST(BufferedFileWriter, ReplacesExistingFilesAndReportsFailures) {
    codectest::ScratchFolder folder;
    const auto path = folder.path("old.txt");
    codectest::writeFile(path, bytes("old contents that are longer"));
    BufferedFileWriter writer;
    ASSERT_TRUE(writer.open(codectest::u16path(path)));
    writer.write(bytes("new"));
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(codectest::readFile(path), bytes("new"));
    EXPECT_FALSE(writer.open(codectest::u16path(folder.path("missing/dir/file"))));
    // A full device: the failed write must not pass for a saved file.
    if (std::filesystem::exists("/dev/full") && writer.open(u"/dev/full")) {
        writer.write(bytes("x"));
        EXPECT_FALSE(writer.close());
        EXPECT_TRUE(writer.failed());
    }
}

TEST(MappedFile, MapsFilesAndEmptyFilesAndRejectsMissingOnes) {
    codectest::ScratchFolder folder;
    MappedFile file;
    EXPECT_FALSE(file.open(codectest::u16path(folder.path("missing"))));
    EXPECT_TRUE(file.data().empty());
    codectest::writeFile(folder.path("empty"), {});
    ASSERT_TRUE(file.open(codectest::u16path(folder.path("empty"))));
    EXPECT_EQ(file.size(), 0u);
    codectest::writeFile(folder.path("abc"), bytes("abc"));
    ASSERT_TRUE(file.open(codectest::u16path(folder.path("abc"))));
    EXPECT_EQ(Bytes(file.data().begin(), file.data().end()), bytes("abc"));
    file.close();
    file.close();
    EXPECT_TRUE(file.data().empty());
    EXPECT_FALSE(file.open(codectest::u16path(folder.path(""))));
}
