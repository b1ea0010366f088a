#pragma once
// Case folding for searches. The regular-expression engine folds only the ASCII capitals A-Z,
// so that a search never depends on the locale. The literal search folds, besides A-Z, the
// capitals that have a single-unit small letter in the scripts the editor's users meet: Latin-1
// letters, Greek, Cyrillic and the full-width A-Z of Japanese text.

#include <cstdint>

namespace search {

// How a search compares letters.
enum class CaseFolding : std::uint8_t {
    None,    // exactly
    Ascii,   // A-Z as a-z (the regular-expression engine's rule)
    Literal, // the literal search's wider rule (foldLiteralCase)
};

// Maps U+0041..U+005A to U+0061..U+007A and returns every other unit unchanged.
constexpr char16_t foldAsciiCase(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + (u'a' - u'A')) : c;
}

// foldAsciiCase, and also: U+00C0..U+00DE (not U+00D7), Greek U+0391..U+03A9 (not U+03A2),
// Cyrillic U+0400..U+042F, and full-width U+FF21..U+FF3A to their small letters. Every unit
// maps to one unit, so a folded match is as long as the pattern.
constexpr char16_t foldLiteralCase(char16_t c) {
    if (c < 0x80) {
        return foldAsciiCase(c);
    }
    if (c > 0x042F && c < 0xFF21) {
        return c; // Japanese text: nothing to fold, decided in two comparisons
    }
    const bool plus20 = (c >= 0x00C0 && c <= 0x00DE && c != 0x00D7) ||
                        (c >= 0x0391 && c <= 0x03A9 && c != 0x03A2) ||
                        (c >= 0x0410 && c <= 0x042F) || (c >= 0xFF21 && c <= 0xFF3A);
    if (plus20) {
        return static_cast<char16_t>(c + 0x20);
    }
    if (c >= 0x0400 && c <= 0x040F) {
        return static_cast<char16_t>(c + 0x50);
    }
    return c;
}

// The unit `c` compares as under `folding`.
constexpr char16_t foldCase(CaseFolding folding, char16_t c) {
    switch (folding) {
    case CaseFolding::Ascii:
        return foldAsciiCase(c);
    case CaseFolding::Literal:
        return foldLiteralCase(c);
    case CaseFolding::None:
        break;
    }
    return c;
}

// True for the two units the engine treats as line breaks (CR, the editor's own, and LF).
constexpr bool isLineBreak(char16_t c) {
    return c == u'\r' || c == u'\n';
}

} // namespace search
