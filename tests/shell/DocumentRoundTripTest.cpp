#include "shell/DocumentProgram.h"

#include "document/DocumentEncoder.h"
#include "document/LineBreakKind.h"
#include "document/TextEncoding.h"
#include "resources/CommandIds.h"

#include <gtest/gtest.h>

#include <random>

using kivtest::DocumentProgram;

namespace {

// Characters every encoding of its kind writes as themselves.
constexpr std::u16string_view kJapanese =
    u"あいうえおかきくけこアイウエオ漢字日本語文書編集、。「」"
    u"ＡＢＣ０１２abcXYZ 019.-";
constexpr std::u16string_view kLatin = u"abcdefXYZ 0123.,;éàüßñÇØ";

std::u16string randomText(std::mt19937& random, std::u16string_view pool) {
    std::u16string text;
    const int lines = std::uniform_int_distribution<int>(1, 6)(random);
    for (int line = 0; line < lines; ++line) {
        if (line != 0)
            text += u'\r';
        const int length = std::uniform_int_distribution<int>(0, 12)(random);
        for (int i = 0; i < length; ++i)
            text += pool[std::uniform_int_distribution<std::size_t>(0, pool.size() - 1)(random)];
    }
    return text;
}

std::string bytesOf(std::u16string_view text, std::int32_t encoding, std::int32_t lineBreak) {
    const std::vector<std::uint8_t> bytes =
        document::encodeDocumentBytes(text, encoding, lineBreak);
    return {bytes.begin(), bytes.end()};
}

} // namespace

using DocumentRoundTrip = DocumentProgram;

// For every encoding and line break of the menus: a file opened in them shows its text, and
// typing and saving writes exactly the bytes of the edited text in the same encoding and break.
TEST_F(DocumentRoundTrip, EveryEncodingAndLineBreakSavesTheEditedTextByteForByte) {
    start("[init]\nfirst=1\ndisautodetect=1\n");
    std::mt19937 random(20261208);
    int n = 0;
    for (const document::CommandValue& encoding : document::encodingCommandTable()) {
        if (encoding.command == 0)
            break;
        for (const document::CommandValue& lineBreak : document::lineBreakCommandTable()) {
            if (lineBreak.command == 0)
                break;
            SCOPED_TRACE(std::string(document::encodingName(encoding.value)) + " " +
                         std::string(document::lineBreakName(lineBreak.value)));
            const std::u16string_view pool =
                encoding.value == document::ENC_LATIN ? kLatin : kJapanese;
            const std::u16string text = randomText(random, pool);
            const std::string path = docPath("round" + std::to_string(n++) + ".txt");
            writeBytes(path, bytesOf(text, encoding.value, lineBreak.value));

            command(static_cast<UINT>(encoding.command));
            command(static_cast<UINT>(lineBreak.command));
            openThroughRecent(path);
            ASSERT_EQ(this->text(), text);
            EXPECT_EQ(view().Encoding(), encoding.value);
            EXPECT_FALSE(view().AutoDetect());

            const std::u16string typed = pool == kLatin ? u"éx" : u"日x";
            type(typed);
            EXPECT_TRUE(modified());
            platform::test::pressKey(editor(), 'S', platform::test::Control);
            platform::test::pumpMessages();
            EXPECT_FALSE(modified());
            EXPECT_EQ(readBytes(path), bytesOf(typed + text, encoding.value, lineBreak.value));
            EXPECT_EQ(caption(), u16(path.substr(path.rfind('/') + 1)));
        }
    }
}
