#include "CodePageTestSupport.h"

#include <gtest/gtest.h>

using namespace codepage_test;
using platform::CodePage;

TEST(CodePage1252, EveryByteDecodesAsTheReferenceAndRoundTrips) {
    Bytes all(256);
    for (unsigned b = 0; b < 256; ++b)
        all[b] = static_cast<std::uint8_t>(b);
    const std::u16string expected = utf16le(readFixture("cp1252_decode.u16"));
    ASSERT_EQ(expected.size(), 256u);
    const auto d = decode(CodePage::Windows1252, all);
    EXPECT_EQ(d.text, expected);
    EXPECT_EQ(d.replacements, 0u);
    EXPECT_EQ(d.text.substr(0x81, 1), u"\u0081");
    EXPECT_EQ(encode(CodePage::Windows1252, d.text), all);
}

TEST(CodePage1252, CharactersOutsideTheCodePageBecomeQuestionMarks) {
    const std::u16string text = {u'\u20AC', u'\u3042', 0xD83D, 0xDE00, 0xDC00, u'\u0080', u'x'};
    EXPECT_EQ(encode(CodePage::Windows1252, text), (Bytes{0x80, '?', '?', '?', '?', 'x'}));
}
