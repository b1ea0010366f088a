#pragma once
// The host's text conversions: a UTF-8 file with any line breaks into the control's text with
// CR breaks, and the control's text back to UTF-8 with LF breaks.

#include <string>
#include <string_view>

namespace nedithost {

// Decodes UTF-8 (each invalid sequence becomes U+FFFD; a leading byte-order mark is dropped)
// and turns CR LF, LF and CR into CR.
std::u16string fromUtf8File(std::string_view bytes);
// Turns each CR into LF and encodes UTF-8.
std::string toUtf8WithLf(std::u16string_view text);

} // namespace nedithost
