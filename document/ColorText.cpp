#include "document/ColorText.h"

#include <cstdint>

namespace document {

namespace {

int hexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

} // namespace

COLORREF parseColorText(std::u16string_view text) {
    if (text.empty())
        return kColorUnset;
    std::size_t i = 0;
    while (i < text.size() && (text[i] == u' ' || text[i] == u'\t'))
        ++i;
    if (i + 2 < text.size() && text[i] == u'0' && (text[i + 1] == u'x' || text[i + 1] == u'X') &&
        hexDigit(text[i + 2]) >= 0)
        i += 2;
    std::uint32_t value = 0;
    for (; i < text.size() && hexDigit(text[i]) >= 0; ++i)
        value = ((value << 4) | static_cast<std::uint32_t>(hexDigit(text[i]))) & 0xFFFFFF;
    return RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
}

} // namespace document
