#pragma once
// The check before saving: which characters of the editor's text an encoding cannot write as
// themselves. Saving writes '?' in their place (or U+FFFD for a lone surrogate in UTF-8), so
// Save asks first; the check writes nothing.

#include "document/TextPlace.h"
#include "platform/CodePage932Spelling.h"

#include <cstdint>
#include <string_view>

namespace document {

// The characters of `text` (lines separated by CR) that saving in `encoding` (1-10) with the
// document's `spelling` would not write as themselves: characters the encoding lacks, those
// code page 932 would write as a look-alike (U+00A2 as U+FFE0), and for EUC-JP and ISO-2022-JP
// the code page 932 characters outside JIS X 0208 and the half-width katakana. A surrogate
// pair counts once. UTF-16 writes everything; an invalid id counts nothing.
Occurrences findUnencodable(std::u16string_view text, std::int32_t encoding,
                            const platform::Cp932Spelling& spelling = platform::Cp932Spelling{});

} // namespace document
