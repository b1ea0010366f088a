// The check before saving finds exactly the characters that saving would not write as
// themselves.
#include "document/EncodeCheck.h"
#include "CodecTestSupport.h"
#include "document/DocumentDecoder.h"
#include "document/DocumentEncoder.h"
#include "document/TextEncoding.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

using namespace document;

TEST(EncodeCheck, FindsWhatEachEncodingLacksAndWhereTheFirstIs) {
    struct Case {
        std::int32_t encoding;
        std::u16string_view text;
        Occurrences expected;
    };
    const Case cases[] = {
        {ENC_SJIS, u"\u304B\u30CA\uFF76\u6F22\u2460\u2170", {}},
        {ENC_SJIS, u"ab\rc\u00E9\u00E9", {2, {2, 2}}},
        {ENC_SJIS, u"\u00A2", {1, {1, 1}}},       // written as U+FFE0's code
        {ENC_SJIS, u"x\U0001F600y", {1, {1, 2}}}, // a surrogate pair is one character
        {ENC_SJIS, u"\uFFFD", {1, {1, 1}}},       // a replaced sequence cannot go back
        {ENC_EUC, u"\u2460\uFF76\uF8F0", {}},     // row 13, kana, and byte A0 of the code page
        {ENC_EUC, u"\u2170\uE000", {2, {1, 1}}},  // IBM extension and user-defined row
        {ENC_JIS, u"\uFF76\u3042", {}},
        {ENC_JIS, u"\r\uF8F0", {1, {2, 1}}}, // A0 is no JIS X 0201 katakana
        {ENC_UTF8, std::u16string_view(u"a\xD800z", 3), {1, {1, 2}}},
        {ENC_UTF8_BOM, u"\U0001F600\uFFFD", {}},
        {ENC_LATIN, u"\u20AC\u00E9\r\r\u3042", {1, {3, 1}}},
        {ENC_UTF16LE, std::u16string_view(u"\xDC00\u3042", 2), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.encoding << " case " << (&c - cases));
        EXPECT_EQ(findUnencodable(c.text, c.encoding), c.expected);
    }
}

TEST(EncodeCheck, TheDocumentsSpellingCountsForWhatEucJpCarries) {
    // U+2170 read from EUC-JP FC F1 (NEC-selected IBM EE EF): saving writes it back, so the
    // check does not count it; without the spelling the IBM code FA 40 has no EUC-JP form.
    const DecodedDocument decoded =
        decodeDocumentBytes(codectest::bytes("\xFC\xF1"), ENC_EUC, LB_CRLF);
    ASSERT_EQ(decoded.text, u"\u2170");
    EXPECT_FALSE(findUnencodable(decoded.text, ENC_EUC, decoded.spelling).any());
    EXPECT_TRUE(findUnencodable(decoded.text, ENC_EUC).any());
}

// On random text, a character counts exactly when saving it alone and reading it back does
// not give it back.
TEST(EncodeCheck, AgreesWithSavingAndReadingBackOnRandomText) {
    const std::vector<std::u16string> pool = {u"a",
                                              u"~",
                                              u"\\",
                                              u"\u00E9",
                                              u"\u00A2",
                                              u"\u20AC",
                                              u"\u3042",
                                              u"\u30F6",
                                              u"\uFF76",
                                              u"\u6F22",
                                              u"\u2460",
                                              u"\u2170",
                                              u"\u7E8A",
                                              u"\uE000",
                                              u"\uF8F0",
                                              u"\u0080",
                                              u"\uFFFD",
                                              u"\u301C",
                                              u"\uFF5E",
                                              u"\u2015",
                                              u"\u0410",
                                              u"\U0001F600",
                                              u"\u00FF",
                                              std::u16string(1, char16_t(0xD801)),
                                              std::u16string(1, char16_t(0xDC01))};
    const std::u16string loneLow(1, char16_t(0xDC01));
    std::mt19937 random(11);
    for (int round = 0; round < 200; ++round) {
        // One character per pick; a lone low surrogate after a lone high one would pair up.
        std::vector<std::u16string> characters;
        const int length = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < length; ++i) {
            std::u16string pick = pool[random() % pool.size()];
            if (pick == loneLow && !characters.empty() && characters.back()[0] == 0xD801) {
                pick = u"a";
            }
            characters.push_back(pick);
        }
        std::u16string text;
        for (const std::u16string& c : characters) {
            text += c;
        }
        for (std::int32_t encoding = 1; encoding <= 10; ++encoding) {
            Occurrences expected;
            std::size_t column = 1;
            for (const std::u16string& c : characters) {
                const auto written = encodeDocumentBytes(c, encoding, LB_CRLF);
                if (decodeDocumentBytes(written, encoding, LB_CRLF).text != c) {
                    expected.add({1, column});
                }
                column += c.size();
            }
            ASSERT_EQ(findUnencodable(text, encoding), expected)
                << "encoding " << encoding << " round " << round;
        }
    }
}
