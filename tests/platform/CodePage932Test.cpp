#include "CodePageTestSupport.h"

#include <gtest/gtest.h>

#include <map>

using namespace codepage_test;
using platform::CodePage;

namespace {

struct Mapping {
    std::uint16_t from;
    std::uint16_t to;
};

std::vector<Mapping> readMappings(const std::string& name) {
    const Bytes raw = readFixture(name);
    std::vector<Mapping> rows;
    for (std::size_t i = 0; i + 3 < raw.size(); i += 4)
        rows.push_back({static_cast<std::uint16_t>(raw[i] << 8 | raw[i + 1]),
                        static_cast<std::uint16_t>(raw[i + 2] << 8 | raw[i + 3])});
    return rows;
}

void appendCode(Bytes& out, std::uint16_t code) {
    if (code >= 0x100)
        out.push_back(static_cast<std::uint8_t>(code >> 8));
    out.push_back(static_cast<std::uint8_t>(code & 0xFF));
}

} // namespace

TEST(CodePage932, DecodesEveryMappedCodeAsTheReference) {
    const auto rows = readMappings("cp932_decode.bin");
    ASSERT_GT(rows.size(), 9000u);
    Bytes all;
    std::u16string expected;
    for (const auto& row : rows) {
        Bytes one;
        appendCode(one, row.from);
        const auto d = decode(CodePage::ShiftJis, one);
        ASSERT_EQ(d.text, std::u16string(1, char16_t(row.to))) << std::hex << row.from;
        EXPECT_EQ(d.replacements, 0u);
        all.insert(all.end(), one.begin(), one.end());
        expected.push_back(char16_t(row.to));
    }
    // All at once as well: the ASCII fast path must hand over cleanly to pairs.
    EXPECT_EQ(decode(CodePage::ShiftJis, all).text, expected);
}

TEST(CodePage932, WindowsVendorCodes) {
    EXPECT_EQ(decode(CodePage::ShiftJis, {0x5C, 0x7E}).text, u"\\~");
    EXPECT_EQ(decode(CodePage::ShiftJis, {0x81, 0x60}).text, u"\uFF5E");
    EXPECT_EQ(decode(CodePage::ShiftJis, {0x87, 0x40}).text, u"\u2460"); // NEC row 13
    EXPECT_EQ(decode(CodePage::ShiftJis, {0xED, 0x40}).text, u"\u7E8A"); // NEC-selected IBM
    EXPECT_EQ(decode(CodePage::ShiftJis, {0xFA, 0x5C}).text, u"\u7E8A"); // IBM extension
    EXPECT_EQ(decode(CodePage::ShiftJis, {0xF0, 0x40, 0xF9, 0xFC}).text, u"\uE000\uE757");
}

TEST(CodePage932, EncodesEveryBmpUnitAsWindows) {
    std::map<char16_t, std::uint16_t> expected;
    for (const auto& row : readMappings("cp932_encode.bin"))
        expected[char16_t(row.from)] = row.to;
    ASSERT_GT(expected.size(), 7000u);
    std::u16string all;
    Bytes allExpected;
    for (unsigned u = 0; u < 0x10000; ++u) {
        if (u >= 0xD800 && u <= 0xDFFF)
            continue;
        const auto it = expected.find(char16_t(u));
        Bytes want;
        appendCode(want, it == expected.end() ? std::uint16_t{'?'} : it->second);
        ASSERT_EQ(encode(CodePage::ShiftJis, std::u16string(1, char16_t(u))), want)
            << std::hex << u;
        all.push_back(char16_t(u));
        allExpected.insert(allExpected.end(), want.begin(), want.end());
    }
    EXPECT_EQ(encode(CodePage::ShiftJis, all), allExpected);
}

// Where several codes decode to one character, encoding picks the one Windows picks.
TEST(CodePage932, EncodingPrefersWindowsCodeAmongDuplicates) {
    EXPECT_EQ(encode(CodePage::ShiftJis, u"\u2235"), (Bytes{0x81, 0xE6})); // JIS over 879A, FA5B
    EXPECT_EQ(encode(CodePage::ShiftJis, u"\u2160"), (Bytes{0x87, 0x54})); // NEC 13 over FA4A
    EXPECT_EQ(encode(CodePage::ShiftJis, u"\u7E8A"), (Bytes{0xFA, 0x5C})); // IBM over ED40
    EXPECT_EQ(encode(CodePage::ShiftJis, u"\u2170"), (Bytes{0xFA, 0x40})); // IBM over EEEF
    EXPECT_EQ(encode(CodePage::ShiftJis, u"\uFFE2"), (Bytes{0x81, 0xCA}));
    EXPECT_EQ(encode(CodePage::ShiftJis, u"\u301C"), (Bytes{0x81, 0x60})); // one-way
}

TEST(CodePage932, InvalidSequencesKeepTheFollowingByte) {
    // A lone lead byte at the end.
    auto d = decode(CodePage::ShiftJis, {'a', 0x82});
    EXPECT_EQ(d.text, u"a\uFFFD");
    EXPECT_EQ(d.replacements, 1u);
    // A lead byte before a byte that cannot be a trail: the byte is decoded on its own.
    d = decode(CodePage::ShiftJis, {0x82, 0x0D, 0x0A});
    EXPECT_EQ(d.text, u"\uFFFD\r\n");
    // An unmapped pair whose second byte is ASCII keeps the ASCII character.
    d = decode(CodePage::ShiftJis, {0x85, 0x40, 0xEB, 'A'});
    EXPECT_EQ(d.text, u"\uFFFD@\uFFFDA");
    EXPECT_EQ(d.replacements, 2u);
    // An unmapped pair whose second byte is itself a lead byte starting a valid pair.
    d = decode(CodePage::ShiftJis, {0xEF, 0x82, 0xA0});
    EXPECT_EQ(d.text, u"\uFFFD\u3042");
    EXPECT_EQ(d.replacements, 1u);
}

TEST(CodePage932, MixedValidAndInvalidBytesDecodeAsTheReference) {
    const Bytes in = readFixture("cp932_mixed.bin");
    const std::u16string expected = utf16le(readFixture("cp932_mixed.u16"));
    ASSERT_FALSE(in.empty());
    const auto d = decode(CodePage::ShiftJis, in);
    EXPECT_EQ(d.text, expected);
    EXPECT_EQ(d.replacements,
              std::u16string::size_type(std::count(expected.begin(), expected.end(), u'\uFFFD')));
}

TEST(CodePage932, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const std::u16string text = {u'a', 0xD83D, 0xDE00, u'b', 0xDC00, 0xD800, u'\u00E9', u'\u3042'};
    EXPECT_EQ(encode(CodePage::ShiftJis, text), (Bytes{'a', '?', 'b', '?', '?', '?', 0x82, 0xA0}));
}

TEST(CodePage932, JapaneseTextRoundTrips) {
    const std::u16string text = u"吾輩は猫である。名前はまだ無い。ｶﾀｶﾅ①Ⅹ㈱～髙﨑\r\nABC";
    const Bytes bytes = encode(CodePage::ShiftJis, text);
    EXPECT_EQ(decode(CodePage::ShiftJis, bytes).text, text);
}
