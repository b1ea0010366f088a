#include "editctl/CaretMovement.h"
#include "editctl/CaretShape.h"
#include "editctl/ControlMessages.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/ImeInput.h"

namespace editctl {

namespace {

// The selection, and the caret line's underline, are drawn only with the focus.
void repaintSelectedLines(const EditState& state) {
    if (state.caret != state.anchor || (state.options & NEO_UNDERLINE) != 0) {
        invalidateLines(state, state.lines.lineOf(selectionStart(state)),
                        state.lines.lineOf(selectionEnd(state)));
    }
}

} // namespace

LRESULT onSetFocus(EditState& state) {
    refreshCaret(state);
    repaintSelectedLines(state);
    openImeOnFocus(state, true);
    notifyParent(state, EN_SETFOCUS);
    return 0;
}

LRESULT onKillFocus(EditState& state) {
    openImeOnFocus(state, false);
    removeCaret(state);
    repaintSelectedLines(state);
    notifyParent(state, EN_KILLFOCUS);
    return 0;
}

} // namespace editctl
