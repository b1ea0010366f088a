#pragma once
// Upper- and lower-casing of UTF-16 text in place, for controls created with ES_UPPERCASE or
// ES_LOWERCASE. The control's own rule, whatever the process locale: each code unit takes its
// Unicode simple case mapping when that is one code unit (surrogates and units mapping outside
// the basic plane stay), so lengths never change.

#include <span>

namespace editctl {

enum class CaseMode { Keep, Lower, Upper };

// The upper and lower case of one code unit.
char16_t toUpperCase(char16_t ch) noexcept;
char16_t toLowerCase(char16_t ch) noexcept;
// Maps every code unit of `text` to the given case.
void applyCase(std::span<char16_t> text, CaseMode mode) noexcept;

} // namespace editctl
