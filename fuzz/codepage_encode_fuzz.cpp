// Encodes arbitrary UTF-16 (the input's bytes taken as little-endian units, lone surrogates
// included) into a buffer of exactly maxEncodedSize bytes in each code page, then checks that
// encoding is stable: what decodes from the bytes encodes to the same bytes again, and UTF-8
// gives the text back with each lone surrogate as U+FFFD.
#include "platform/CodePage.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

using platform::CodePage;

namespace {

std::vector<std::uint8_t> encode(CodePage page, std::u16string_view text) {
    const std::size_t room = platform::maxEncodedSize(page, text.size());
    std::vector<std::uint8_t> out(room);
    const std::size_t n = platform::encodeFromUtf16(page, text, out.data());
    if (n > room)
        std::abort();
    out.resize(n);
    return out;
}

std::u16string decode(CodePage page, std::span<const std::uint8_t> in, std::size_t* replaced) {
    std::vector<char16_t> out(in.size());
    const auto r = platform::decodeToUtf16Counted(page, in, out.data());
    *replaced = r.replacements;
    return {out.data(), r.units};
}

std::u16string withoutLoneSurrogates(std::u16string_view text) {
    std::u16string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            out += c;
            out += text[++i];
        } else {
            out += (c >= 0xD800 && c <= 0xDFFF) ? u'\uFFFD' : c;
        }
    }
    return out;
}

void check(CodePage page, std::u16string_view text) {
    const auto bytes = encode(page, text);
    std::size_t replaced = 0;
    const std::u16string back = decode(page, bytes, &replaced);
    if (replaced != 0) // the encoder only writes valid sequences
        std::abort();
    if (encode(page, back) != bytes)
        std::abort();
    if (page == CodePage::Utf8 && back != withoutLoneSurrogates(text))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::u16string text(size / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    check(CodePage::ShiftJis, text);
    check(CodePage::Utf8, text);
    check(CodePage::Windows1252, text);
    return 0;
}
