#include "editctl/CaretShape.h"

#include "editctl/EditState.h"
#include "editctl/TextGeometry.h"
#include "platform/Window.h"

namespace editctl {

void refreshCaret(EditState& state) {
    if (state.hwnd == nullptr || GetFocus() != state.hwnd) {
        return;
    }
    CreateCaret(state.hwnd, nullptr, state.caretWidth, state.layout.lineHeight);
    const int x = caretX(state, state.caret);
    SetCaretPos(x, caretY(state, state.caret));
    if (x >= state.layout.margins.left) {
        ShowCaret(state.hwnd);
    }
}

void removeCaret(const EditState& state) {
    if (state.hwnd != nullptr) {
        HideCaret(state.hwnd);
        DestroyCaret();
    }
}

} // namespace editctl
