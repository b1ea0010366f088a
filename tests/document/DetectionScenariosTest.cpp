// Detection and the round trip on whole files: the scenario files in tests/data/detection
// (each named after the encoding Auto must pick, with its text beside it), every clean fixture,
// and random bytes.
#include "CodecTestSupport.h"
#include "document/DecodeCheck.h"
#include "document/DocumentDecoder.h"
#include "document/DocumentEncoder.h"
#include "document/EncodingDetector.h"
#include "document/LineReader.h"
#include "document/TextEncoding.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>

using namespace document;
using codectest::Bytes;

namespace {

namespace fs = std::filesystem;

// The text a file's ".utf16le" twin holds, as the editor holds it: CR LF as CR, and each line
// ending at its first NUL.
std::u16string editorText(const fs::path& twin) {
    const Bytes raw = codectest::readFile(twin);
    std::u16string text;
    bool cut = false;
    for (std::size_t i = 0; i + 1 < raw.size(); i += 2) {
        const auto unit = static_cast<char16_t>(raw[i] | (raw[i + 1] << 8));
        if (unit == u'\n' && !text.empty() && text.back() == u'\r') {
            continue;
        }
        if (unit == u'\r') {
            cut = false;
        } else if (unit == u'\0') {
            cut = true;
        }
        if (!cut) {
            text.push_back(unit);
        }
    }
    return text;
}

std::vector<fs::path> filesIn(const char* folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(KIV_TEST_DATA_DIR) / folder)) {
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

// Random bytes of the kinds files are made of: ASCII text and line breaks with Shift_JIS pairs
// (among them codes with twins), EUC-JP pairs, UTF-8 sequences, escapes, NULs, stray high
// bytes, or a mix of all.
Bytes randomFile(std::mt19937& random) {
    static const std::vector<Bytes> common = {{'a'}, {'Z'}, {' '}, {'\r', '\n'}, {'\n'}, {'\r'}};
    static const std::vector<std::vector<Bytes>> flavours = {
        {{0x82, 0xA0},
         {0x88, 0x9F},
         {0x83, 0x41},
         {0xB1},
         {0xED, 0x40},
         {0xFA, 0x5C},
         {0x87, 0x90}},
        {{0xA4, 0xA2}, {0xB4, 0xC1}, {0x8E, 0xB1}, {0xAD, 0xF0}, {0xF9, 0xA1}},
        {{0xE3, 0x81, 0x82}, {0xC3, 0xA9}, {0xE9}, {0xF0, 0x9F, 0x98, 0x80}},
        {{0x1B, '$', 'B'}, {0x1B, '(', 'B'}, {0x1B, '$', '@'}, {'$', '"'}, {'0', '!'}},
        {{0}, {0xFF}, {0x80}, {0x30, 0x42}, {0x42, 0x30}, {0x8F, 0xB0, 0xA1}},
    };
    const std::vector<Bytes>& flavour = flavours[random() % flavours.size()];
    Bytes file;
    const int count = static_cast<int>(random() % 40);
    for (int i = 0; i < count; ++i) {
        const Bytes& piece = random() % 2 == 0 ? common[random() % common.size()]
                                               : flavour[random() % flavour.size()];
        file.insert(file.end(), piece.begin(), piece.end());
    }
    return file;
}

} // namespace

TEST(DetectionScenarios, EachFileIsReadInItsEncodingAsItsText) {
    std::size_t scenarios = 0;
    for (const fs::path& path : filesIn("detection")) {
        if (path.extension() == ".utf16le") {
            continue;
        }
        SCOPED_TRACE(path.filename().string());
        ++scenarios;
        const Bytes file = codectest::readFile(path);
        const DecodedDocument decoded = decodeDocumentBytes(file, ENC_NONE, 0);
        EXPECT_EQ(decoded.encoding, encodingFromName(path.extension().string().substr(1)));
        EXPECT_EQ(decoded.text, editorText(path.string() + ".utf16le"));
        EXPECT_FALSE(decoded.report.replaced.any());
    }
    EXPECT_GE(scenarios, 15u);
}

// Open and save unchanged gives back the bytes of every file that decodes cleanly, in its own
// encoding and line break.
TEST(DetectionScenarios, EveryCleanFixtureSavesBackToItsOwnBytes) {
    std::size_t clean = 0;
    for (const char* folder : {"codec", "detection"}) {
        for (const fs::path& path : filesIn(folder)) {
            SCOPED_TRACE(path.filename().string());
            const Bytes file = codectest::readFile(path);
            const DecodedDocument decoded = decodeDocumentBytes(file, ENC_NONE, 0);
            if (decoded.report.savesUnchanged()) {
                ++clean;
                EXPECT_EQ(encodeDocumentBytes(decoded.text, decoded.encoding, decoded.lineBreak,
                                              decoded.spelling),
                          file);
            }
        }
    }
    EXPECT_GE(clean, 35u);
}

TEST(DetectionScenarios, AutoPicksACleanEncodingAndTheCheckAgreesWithDecoding) {
    std::mt19937 random(5);
    for (int round = 0; round < 3000; ++round) {
        const Bytes file = randomFile(random);
        SCOPED_TRACE(testing::PrintToString(file));
        std::int32_t lineBreak = 0;
        const std::int32_t detected = EncodingDetector::detectBytes(file, lineBreak);
        ASSERT_TRUE(decodesCleanly(file, detected));
        // Opening in Auto mode confirms the guess while decoding: the same answer and text.
        const DecodedDocument automatic = decodeDocumentBytes(file, ENC_NONE, 0);
        ASSERT_EQ(automatic.encoding, detected);
        ASSERT_EQ(automatic.lineBreak, lineBreak);
        ASSERT_EQ(automatic.text, decodeDocumentBytes(file, detected, lineBreak).text);
        for (std::int32_t encoding = 1; encoding <= 10; ++encoding) {
            LineReader reader;
            reader.attach(file, encoding);
            while (reader.moreLines()) {
                reader.readLine();
            }
            ASSERT_EQ(decodesCleanly(file, encoding), reader.replacements() == 0) << encoding;
            // The round trip: a file that decodes cleanly saves back to its own bytes.
            const std::int32_t ownBreak = isUtf16(encoding)
                                              ? EncodingDetector::scanUtf16LineBreak(file, encoding)
                                              : EncodingDetector::scanLineBreak(file);
            const DecodedDocument decoded = decodeDocumentBytes(file, encoding, ownBreak);
            if (decoded.report.savesUnchanged()) {
                ASSERT_EQ(encodeDocumentBytes(decoded.text, encoding, ownBreak, decoded.spelling),
                          file)
                    << encoding;
            }
        }
    }
}
