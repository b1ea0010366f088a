#include "editctl/CaseMapping.h"

#include <cwctype>

namespace editctl {

void applyCase(std::span<char16_t> text, CaseMode mode) noexcept {
    if (mode == CaseMode::Keep) {
        return;
    }
    for (char16_t& ch : text) {
        if (ch >= 0xD800 && ch <= 0xDFFF) {
            continue;
        }
        const auto wide = static_cast<std::wint_t>(ch);
        const std::wint_t mapped =
            mode == CaseMode::Lower ? std::towlower(wide) : std::towupper(wide);
        // A mapping outside the basic plane would change the length; such characters stay.
        if (mapped <= 0xFFFF && (mapped < 0xD800 || mapped > 0xDFFF)) {
            ch = static_cast<char16_t>(mapped);
        }
    }
}

} // namespace editctl
