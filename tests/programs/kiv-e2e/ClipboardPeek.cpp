// kiv_clipboard_peek: prints the desktop clipboard's text as UTF-8, line breaks as LF, the way
// another program pasting it would see it.

#include "platform/Application.h"
#include "platform/CodePage.h"
#include "platform/TestHooks.h"

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    platform::Application app(argc, argv);
    const std::u16string text = platform::test::desktopClipboardText();
    std::vector<std::uint8_t> bytes(
        platform::maxEncodedSize(platform::CodePage::Utf8, text.size()));
    const std::size_t size =
        platform::encodeFromUtf16(platform::CodePage::Utf8, text, bytes.data());
    std::fwrite(bytes.data(), 1, size, stdout);
    return 0;
}
