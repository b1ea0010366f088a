#include "search/RegexEscape.h"

namespace search {

namespace {

int hexValue(char16_t c) {
    if (c >= u'0' && c <= u'9') {
        return c - u'0';
    }
    if (c >= u'a' && c <= u'f') {
        return c - u'a' + 10;
    }
    if (c >= u'A' && c <= u'F') {
        return c - u'A' + 10;
    }
    return -1;
}

DecodedEscape fromText(std::u16string_view text, std::size_t consumed) {
    DecodedEscape result;
    for (char16_t c : text) {
        result.units[result.size++] = c;
    }
    result.consumed = consumed;
    return result;
}

// Reads up to maxDigits hex digits after the letter at rest[0].
DecodedEscape hexEscape(std::u16string_view rest, std::size_t maxDigits) {
    unsigned value = 0;
    std::size_t digits = 0;
    while (digits < maxDigits && 1 + digits < rest.size()) {
        const int v = hexValue(rest[1 + digits]);
        if (v < 0) {
            break;
        }
        value = value * 16 + static_cast<unsigned>(v);
        ++digits;
    }
    DecodedEscape result;
    result.units[0] = static_cast<char16_t>(value);
    result.size = 1;
    result.consumed = 1 + digits;
    return result;
}

} // namespace

std::u16string_view DecodedEscape::text() const {
    std::size_t n = 0;
    while (n < size && units[n] != u'\0') {
        ++n;
    }
    return {units, n};
}

bool isClassEscapeLetter(char16_t letter) {
    switch (letter) {
    case u'd':
    case u'D':
    case u's':
    case u'S':
    case u'w':
    case u'W':
        return true;
    default:
        return false;
    }
}

DecodedEscape decodeEscape(std::u16string_view rest) {
    switch (rest[0]) {
    case u'd':
        return fromText(u"0-9", 1);
    case u'D':
        return fromText(u"^0-9", 1);
    case u's':
        return fromText(u"\t\r\n ", 1);
    case u'S':
        return fromText(u"^\t\r\n ", 1);
    case u'w':
        return fromText(u"0-9a-zA-Z_", 1);
    case u'W':
        return fromText(u"^0-9a-zA-Z_", 1);
    case u'n':
    case u'N':
    case u'r':
    case u'R':
        return fromText(u"\r", 1);
    case u't':
    case u'T':
        return fromText(u"\t", 1);
    case u'x':
    case u'X':
        return hexEscape(rest, 2);
    case u'u':
    case u'U':
        return hexEscape(rest, 4);
    default:
        return fromText(rest.substr(0, 1), 1);
    }
}

} // namespace search
