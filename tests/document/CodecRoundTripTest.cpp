// Real Japanese text in every encoding, against bytes made by an independent codec: reading
// must give the expected UTF-16 text and writing it back must give the same bytes.
#include "CodecTestSupport.h"
#include "document/DocumentDecoder.h"
#include "document/DocumentEncoder.h"
#include "document/TextEncoding.h"

#include <gtest/gtest.h>

using namespace document;
using codectest::Bytes;

namespace {

struct Fixture {
    const char* stem;
    const char* suffix;
    std::int32_t encoding;
};

// The fixtures' CR LF breaks as the editor holds them: one CR each.
std::u16string editorText(std::u16string text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        out.push_back(text[i]);
        if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            ++i;
        }
    }
    return out;
}

const Fixture kFixtures[] = {
    {"japanese", "sjis", ENC_SJIS},        {"japanese", "euc", ENC_EUC},
    {"japanese", "jis", ENC_JIS},          {"japanese", "utf8", ENC_UTF8},
    {"japanese", "utf8bom", ENC_UTF8_BOM}, {"japanese", "utf16le", ENC_UTF16LE},
    {"japanese", "utf16be", ENC_UTF16BE},  {"halfwidth", "sjis", ENC_SJIS},
    {"halfwidth", "euc", ENC_EUC},         {"halfwidth", "utf8", ENC_UTF8},
    {"cp932", "sjis", ENC_SJIS},           {"cp932", "utf8", ENC_UTF8},
    {"latin", "latin", ENC_LATIN},         {"latin", "utf8", ENC_UTF8},
};

} // namespace

TEST(CodecRoundTrip, EveryFixtureDecodesExactlyAndEncodesBackByteForByte) {
    codectest::ScratchFolder folder;
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(std::string(f.stem) + "." + f.suffix);
        const Bytes original = codectest::fixture(std::string(f.stem) + "." + f.suffix);
        const std::u16string expected =
            editorText(codectest::fixtureText(std::string(f.stem) + ".utf16le"));
        const DecodedDocument decoded = decodeDocumentBytes(original, f.encoding, LB_CRLF);
        EXPECT_EQ(decoded.text, expected);
        EXPECT_TRUE(decoded.report.savesUnchanged());
        const auto out = codectest::u16path(folder.path("out"));
        ASSERT_TRUE(encodeDocumentFile(out, decoded.text, f.encoding, LB_CRLF, decoded.spelling));
        EXPECT_EQ(codectest::readFile(folder.path("out")), original);
    }
}

TEST(CodecRoundTrip, AutoDetectionPicksTheEncodingAndLineBreak) {
    for (const Fixture& f : kFixtures) {
        SCOPED_TRACE(std::string(f.stem) + "." + f.suffix);
        const Bytes original = codectest::fixture(std::string(f.stem) + "." + f.suffix);
        const DecodedDocument decoded = decodeDocumentBytes(original, ENC_NONE, LB_CR);
        EXPECT_EQ(decoded.encoding, f.encoding);
        EXPECT_EQ(decoded.lineBreak, LB_CRLF);
    }
}

TEST(CodecRoundTrip, TextSurvivesEveryEncodingAndLineBreak) {
    codectest::ScratchFolder folder;
    const std::u16string text =
        u"\u543E\u8F29\u306F\u732B\r\rASCII \uFF76\uFF85\r\u2460\u3000end\r";
    const auto path = codectest::u16path(folder.path("t"));
    for (std::int32_t encoding = 1; encoding <= 9; ++encoding) {
        for (std::int32_t lineBreak = 1; lineBreak <= 3; ++lineBreak) {
            SCOPED_TRACE(std::to_string(encoding) + "/" + std::to_string(lineBreak));
            ASSERT_TRUE(encodeDocumentFile(path, text, encoding, lineBreak));
            const auto decoded = decodeDocumentFile(path, encoding, lineBreak);
            ASSERT_TRUE(decoded.has_value());
            // The circled digit lives in row 13, which EUC-JP and JIS carry too.
            EXPECT_EQ(decoded->text, text);
            EXPECT_EQ(decodeDocumentFile(path, ENC_NONE, 0)->lineBreak, lineBreak);
        }
    }
}
