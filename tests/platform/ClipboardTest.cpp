#include "WindowTestSupport.h"

#include "platform/ClipboardText.h"

#include <cstring>

using kivtest::WindowTest;

namespace {

// Publishes text the way the editor's copy does: a local block handed to the clipboard.
void publish(HWND owner, std::u16string_view text) {
    ASSERT_TRUE(OpenClipboard(owner));
    ASSERT_TRUE(EmptyClipboard());
    HLOCAL block = LocalAlloc(LPTR, (text.size() + 1) * sizeof(char16_t));
    ASSERT_NE(block, nullptr);
    std::memcpy(block, text.data(), text.size() * sizeof(char16_t));
    EXPECT_NE(SetClipboardData(CF_UNICODETEXT, block), nullptr);
    CloseClipboard();
}

std::u16string fetch(HWND owner) {
    if (!OpenClipboard(owner))
        return u"<not opened>";
    const auto* text = static_cast<const char16_t*>(GetClipboardData(CF_UNICODETEXT));
    std::u16string result = text != nullptr ? std::u16string(text) : u"<none>";
    CloseClipboard();
    return result;
}

class ClipboardTest : public WindowTest {};

TEST_F(ClipboardTest, TextWithCrLfRoundTripsAndTheDesktopSeesLf) {
    HWND hwnd = makeTopLevel();
    publish(hwnd, u"一行目\r\nline 2\r\n\r\nend\r");
    EXPECT_EQ(platform::test::desktopClipboardText(), u"一行目\nline 2\n\nend\r");
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_UNICODETEXT));
    EXPECT_EQ(fetch(hwnd), u"一行目\r\nline 2\r\n\r\nend\r");
}

TEST_F(ClipboardTest, TextFromOtherProgramsGetsCrLfOnlyWhereLfStandsAlone) {
    HWND hwnd = makeTopLevel();
    platform::test::setDesktopClipboardText(u"a\nb\r\nc\n");
    EXPECT_EQ(fetch(hwnd), u"a\r\nb\r\nc\r\n");
    EXPECT_EQ(platform::fromDesktopLineBreaks(u"\n\n"), u"\r\n\r\n");
    EXPECT_EQ(platform::toDesktopLineBreaks(u"\r\r\n\n"), u"\r\n\n");
}

TEST_F(ClipboardTest, ClipboardMustBeOpenAndABlockWithoutTerminatorStaysInBounds) {
    HWND hwnd = makeTopLevel();
    HLOCAL block = LocalAlloc(LMEM_FIXED, 3 * sizeof(char16_t));
    std::memcpy(block, u"xyz", 3 * sizeof(char16_t));            // no terminator
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), nullptr); // not open
    EXPECT_FALSE(EmptyClipboard());
    ASSERT_TRUE(OpenClipboard(hwnd));
    EXPECT_FALSE(OpenClipboard(hwnd));
    EXPECT_EQ(SetClipboardData(CF_TEXT, block), nullptr);
    EXPECT_EQ(SetClipboardData(CF_UNICODETEXT, block), block);
    CloseClipboard();
    EXPECT_EQ(platform::test::desktopClipboardText(), u"xyz");
}

} // namespace
