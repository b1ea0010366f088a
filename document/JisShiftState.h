#pragma once
// The shift state of ISO-2022-JP text: which character set the bytes after the last escape
// sequence belong to.

namespace document {

enum class JisShiftState : int {
    Ascii = 0, // ESC ( B
    Kanji = 1, // ESC $ B: two-byte JIS X 0208
    Kana = 2,  // ESC ( I: JIS X 0201 half-width katakana
};

} // namespace document
