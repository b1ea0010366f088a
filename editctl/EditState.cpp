#include "editctl/EditState.h"

#include "editctl/CharMetrics.h"

namespace editctl {

EditState::EditState() {
    colors.fill(static_cast<COLORREF>(-1));
}

EditState::~EditState() = default;

bool EditState::checkInvariants() const noexcept {
    return text.checkInvariants() && lines.checkInvariants(text.length()) &&
           undo.checkInvariants() && caret >= 0 && anchor >= 0 && caret <= text.length() &&
           anchor <= text.length();
}

CaseMode EditState::caseMode() const noexcept {
    if (lowerCase) {
        return CaseMode::Lower;
    }
    return upperCase ? CaseMode::Upper : CaseMode::Keep;
}

} // namespace editctl
