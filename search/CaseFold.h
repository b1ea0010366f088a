#pragma once
// Case folding shared by the regular-expression engine and the literal matcher: only the
// ASCII capitals A-Z are folded, so that a search never depends on the locale.

namespace search {

// Maps U+0041..U+005A to U+0061..U+007A and returns every other unit unchanged.
constexpr char16_t foldAsciiCase(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

// True for the two units the engine treats as line breaks (CR, the editor's own, and LF).
constexpr bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

} // namespace search
