// Prose-like Japanese benchmark text: runs of hiragana, katakana, common kanji and ASCII words,
// half-width katakana now and then, a comma or full stop after each run, and CR LF line breaks
// every few dozen characters.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace bench {

// What the size limit of the generated text counts.
enum class TextMeasure { ShiftJisBytes, CodeUnits };

// Generates text from `seed` until it holds at least `limit` (Shift_JIS bytes or UTF-16 code
// units); `extraKanji` joins the common kanji (e.g. characters only some code pages have). The
// same arguments always give the same text.
std::u16string makeJapaneseText(unsigned seed, std::u16string_view extraKanji, std::size_t limit,
                                TextMeasure measure);

} // namespace bench
