#pragma once
// Line-break conversion at the clipboard's boundary: the desktop's clipboard carries LF
// line breaks while the editor exchanges CR LF.

#include <string>
#include <string_view>

namespace platform {

// Text for the desktop: every CR LF becomes LF; everything else passes unchanged.
std::u16string toDesktopLineBreaks(std::u16string_view text);
// Text from the desktop: every LF not preceded by CR becomes CR LF; everything else passes
// unchanged.
std::u16string fromDesktopLineBreaks(std::u16string_view text);

} // namespace platform
