#pragma once
// UTF-8 <-> UTF-16 for the program's own small text files (INI values, file names).

#include <string>
#include <string_view>

namespace document {

// Decodes UTF-8; each byte that does not start or continue a valid sequence (overlong forms,
// surrogates and values above U+10FFFF included) becomes one U+FFFD.
std::u16string utf8ToUtf16(std::string_view text);
// Encodes UTF-16; a lone surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);

} // namespace document
