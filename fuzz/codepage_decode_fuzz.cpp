// Decodes arbitrary bytes in each code page into a buffer of exactly the promised size, then
// checks what must hold: counts in range, and decoded text that re-encodes to the same text
// (code page 932 and 1252 replace with '?', so there U+FFFD is expected to come back as '?').
#include "platform/CodePage.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using platform::CodePage;

namespace {

std::u16string decode(CodePage page, std::span<const std::uint8_t> in, std::size_t* replaced) {
    std::vector<char16_t> out(in.size());
    const auto r = platform::decodeToUtf16Counted(page, in, out.data());
    if (r.units > in.size() || r.replacements > r.units)
        std::abort();
    if (replaced != nullptr)
        *replaced = r.replacements;
    return {out.data(), r.units};
}

std::vector<std::uint8_t> encode(CodePage page, std::u16string_view text) {
    std::vector<std::uint8_t> out(platform::maxEncodedSize(page, text.size()));
    out.resize(platform::encodeFromUtf16(page, text, out.data()));
    return out;
}

void check(CodePage page, std::span<const std::uint8_t> in) {
    std::size_t replaced = 0;
    const std::u16string text = decode(page, in, &replaced);
    const std::vector<std::uint8_t> bytes = encode(page, text);
    const std::u16string again = decode(page, bytes, nullptr);
    std::u16string expected = text;
    if (page != CodePage::Utf8) {
        for (char16_t& c : expected)
            if (c == u'\uFFFD')
                c = u'?';
    }
    if (again != expected)
        std::abort();
    if (page == CodePage::Windows1252 &&
        (replaced != 0 || !std::equal(bytes.begin(), bytes.end(), in.begin(), in.end())))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> in(data, size);
    check(CodePage::ShiftJis, in);
    check(CodePage::Utf8, in);
    check(CodePage::Windows1252, in);
    return 0;
}
