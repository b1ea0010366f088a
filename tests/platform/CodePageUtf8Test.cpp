#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::CodePage;

namespace {

struct Decoded {
    std::u16string text;
    std::size_t replacements;
};

Decoded decode(CodePage page, std::vector<std::uint8_t> bytes) {
    std::u16string out(bytes.size(), u'\0');
    const auto r = platform::decodeToUtf16Counted(page, bytes, out.data());
    out.resize(r.units);
    return {out, r.replacements};
}

std::vector<std::uint8_t> encode(CodePage page, std::u16string_view text) {
    std::vector<std::uint8_t> out(platform::maxEncodedSize(page, text.size()));
    out.resize(platform::encodeFromUtf16(page, text, out.data()));
    return out;
}

} // namespace

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
