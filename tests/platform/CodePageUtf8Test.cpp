#include "CodePageTestSupport.h"

#include <gtest/gtest.h>

using platform::CodePage;

using namespace codepage_test;

TEST(CodePageUtf8, DecodesValidSequencesOfEveryLength) {
    auto d = decode(CodePage::Utf8,
                    {0x41, 0xC3, 0xA9, 0xE3, 0x81, 0x82, 0xF0, 0x9F, 0x98, 0x80, 0xEF, 0xBF, 0xBD});
    EXPECT_EQ(d.text, u"A\u00E9\u3042\U0001F600\uFFFD");
    EXPECT_EQ(d.replacements, 0u);
}

// Each maximal subpart of an ill-formed sequence is one replacement.
TEST(CodePageUtf8, ReplacesMaximalSubparts) {
    struct Case {
        std::vector<std::uint8_t> in;
        std::u16string out;
        std::size_t replaced;
    };
    const std::vector<Case> cases = {
        {{0xE3, 0x81, 0x41}, u"\uFFFDA", 1},                        // truncated, ASCII kept
        {{0xC0, 0x80}, u"\uFFFD\uFFFD", 2},                         // overlong lead
        {{0xE0, 0x80, 0x80}, u"\uFFFD\uFFFD\uFFFD", 3},             // overlong three-byte
        {{0xED, 0xA0, 0x80}, u"\uFFFD\uFFFD\uFFFD", 3},             // encoded surrogate
        {{0xF4, 0x90, 0x80, 0x80}, u"\uFFFD\uFFFD\uFFFD\uFFFD", 4}, // above U+10FFFF
        {{0xF0, 0x9F, 0x98}, u"\uFFFD", 1},                         // truncated at the end
        {{0xF5, 0x41}, u"\uFFFDA", 1},
        {{0x80, 0xBF}, u"\uFFFD\uFFFD", 2}, // lone continuations
        {{0xC3}, u"\uFFFD", 1},
        {{0xE3, 0x81, 0xE3, 0x81, 0x82}, u"\uFFFD\u3042", 1},
    };
    for (const auto& c : cases) {
        const auto d = decode(CodePage::Utf8, c.in);
        EXPECT_EQ(d.text, c.out) << "case of " << c.in.size() << " bytes starting " << int(c.in[0]);
        EXPECT_EQ(d.replacements, c.replaced);
        EXPECT_EQ(
            platform::decodeToUtf16(CodePage::Utf8, c.in, std::u16string(c.in.size(), 0).data()),
            c.out.size());
    }
}

TEST(CodePageUtf8, EncodesPairsAndLoneSurrogates) {
    EXPECT_EQ(encode(CodePage::Utf8, u"\U0001F600"),
              (std::vector<std::uint8_t>{0xF0, 0x9F, 0x98, 0x80}));
    const std::u16string lone = {u'a', char16_t(0xD800), u'b', char16_t(0xDC00)};
    EXPECT_EQ(encode(CodePage::Utf8, lone),
              (std::vector<std::uint8_t>{'a', 0xEF, 0xBF, 0xBD, 'b', 0xEF, 0xBF, 0xBD}));
    const std::u16string worst(7, char16_t(0xFFFF));
    EXPECT_EQ(encode(CodePage::Utf8, worst).size(), platform::maxEncodedSize(CodePage::Utf8, 7));
}

TEST(CodePageUtf8, MixedValidAndInvalidBytesDecodeAsTheReference) {
    const Bytes in = readFixture("utf8_mixed.bin");
    const std::u16string expected = utf16le(readFixture("utf8_mixed.u16"));
    ASSERT_FALSE(in.empty());
    const auto d = decode(CodePage::Utf8, in);
    EXPECT_EQ(d.text, expected);
    // The fixture holds no U+FFFD of its own, so each one is a replacement.
    EXPECT_EQ(d.replacements, std::size_t(std::count(expected.begin(), expected.end(), u'\uFFFD')));
    // Valid text survives the trip back.
    const std::u16string valid = u"ASCII run longer than eight bytes, ひらがな、漢字\U0001F600";
    EXPECT_EQ(decode(CodePage::Utf8, encode(CodePage::Utf8, valid)).text, valid);
}
