#pragma once
// Colours written as hexadecimal RRGGBB text, as in "misc.ini".

#include "platform/WinTypes.h"

#include <string_view>

namespace document {

// The colour value that tells the edit control to keep its own default for a slot.
inline constexpr COLORREF kColorUnset = 0xFFFFFFFF;

// Reads RRGGBB hexadecimal text (leading blanks and a "0x" prefix allowed, reading stops at the
// first character that is not a hex digit, digits above the six lowest are dropped) as a
// platform colour. Empty text gives kColorUnset; text with no hex digit gives 0 (black).
COLORREF parseColorText(std::u16string_view text);

} // namespace document
