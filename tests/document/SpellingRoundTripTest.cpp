// Characters with several code page 932 codes come back in the code they were read with, in
// Shift_JIS and in the EUC-JP and ISO-2022-JP forms that carry them.
#include "CodecTestSupport.h"
#include "document/DocumentDecoder.h"
#include "document/DocumentEncoder.h"
#include "document/EucSjisConverter.h"
#include "document/JisSjisConverter.h"
#include "document/TextEncoding.h"
#include "platform/CodePage.h"
#include "platform/CodePage932Spelling.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace document;
using codectest::Bytes;

namespace {

// Every pair code of the code page, grouped by the character it reads as, for the characters
// with more than one.
std::map<char16_t, std::vector<std::uint16_t>> duplicateCodes() {
    std::map<char16_t, std::vector<std::uint16_t>> codes;
    for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
        for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
            const std::uint8_t pair[2] = {static_cast<std::uint8_t>(lead),
                                          static_cast<std::uint8_t>(trail)};
            char16_t out[2];
            const auto r = platform::decodeToUtf16Counted(platform::CodePage::ShiftJis, pair, out);
            if (r.units == 1 && r.replacements == 0) {
                codes[out[0]].push_back(static_cast<std::uint16_t>(lead << 8 | trail));
            }
        }
    }
    std::erase_if(codes, [](const auto& entry) { return entry.second.size() < 2; });
    return codes;
}

Bytes sjisBytes(std::uint16_t code) {
    return {static_cast<std::uint8_t>(code >> 8), static_cast<std::uint8_t>(code & 0xFF)};
}

// The file a document of `encoding` holds for the character of Shift_JIS `code`, twice, on two
// lines.
Bytes fileFor(std::int32_t encoding, std::uint16_t code) {
    const Bytes sjis = sjisBytes(code);
    Bytes one(encoding == ENC_EUC ? sjisToEucSize(sjis) : sjisToJisSize(sjis));
    if (encoding == ENC_SJIS) {
        one = sjis;
    } else if (encoding == ENC_EUC) {
        sjisToEuc(sjis, one.data());
    } else {
        sjisToJis(sjis, one.data());
    }
    Bytes file = one;
    file.insert(file.end(), {'\r', '\n'});
    file.insert(file.end(), one.begin(), one.end());
    return file;
}

} // namespace

TEST(CodeSpelling, EveryCodeOfACharacterWithSeveralComesBackAsItWasRead) {
    const auto codes = duplicateCodes();
    ASSERT_GT(codes.size(), 390u); // NEC row 13, NEC-selected IBM and IBM extensions
    std::size_t changedWithoutSpelling = 0;
    for (const auto& [unit, group] : codes) {
        for (const std::uint16_t code : group) {
            for (const std::int32_t encoding : {ENC_SJIS, ENC_EUC, ENC_JIS}) {
                if ((encoding == ENC_EUC && !eucCarries(code)) ||
                    (encoding == ENC_JIS && !jisCarries(code))) {
                    continue;
                }
                SCOPED_TRACE(testing::Message() << std::hex << code << " in " << encoding);
                const Bytes file = fileFor(encoding, code);
                const DecodedDocument decoded = decodeDocumentBytes(file, encoding, LB_CRLF);
                ASSERT_EQ(decoded.text, (std::u16string{unit, u'\r', unit}));
                ASSERT_TRUE(decoded.report.savesUnchanged());
                ASSERT_EQ(encodeDocumentBytes(decoded.text, encoding, LB_CRLF, decoded.spelling),
                          file);
                changedWithoutSpelling +=
                    encodeDocumentBytes(decoded.text, encoding, LB_CRLF) != file ? 1 : 0;
            }
        }
    }
    // Without the spelling, the codes Windows does not prefer would have come back otherwise.
    EXPECT_GT(changedWithoutSpelling, 390u);
}

TEST(CodeSpelling, ATextSpellingOneCharacterTwoWaysKeepsTheFirstAndSaysSo) {
    // U+7E8A as NEC-selected IBM ED 40, then as IBM FA 5C.
    const Bytes file = {0xED, 0x40, 'x', 0xFA, 0x5C};
    const DecodedDocument decoded = decodeDocumentBytes(file, ENC_SJIS, LB_CRLF);
    EXPECT_EQ(decoded.text, u"\u7E8Ax\u7E8A");
    EXPECT_EQ(decoded.report.respelled, (Occurrences{1, {1, 3}}));
    EXPECT_FALSE(decoded.report.savesUnchanged());
    // Characters typed later follow the text's habit.
    EXPECT_EQ(encodeDocumentBytes(decoded.text + u"\r\u7E8A", ENC_SJIS, LB_LF, decoded.spelling),
              (Bytes{0xED, 0x40, 'x', 0xED, 0x40, '\n', 0xED, 0x40}));
}
