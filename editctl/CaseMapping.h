#pragma once
// Upper- and lower-casing of UTF-16 text in place, for controls created with ES_UPPERCASE or
// ES_LOWERCASE. Code units map one to one (surrogates are left alone), so lengths never change.

#include <span>

namespace editctl {

enum class CaseMode { Keep, Lower, Upper };

// Maps every code unit of `text` to the given case.
void applyCase(std::span<char16_t> text, CaseMode mode) noexcept;

} // namespace editctl
