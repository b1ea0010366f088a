#include "editctl/MouseInput.h"

#include "editctl/CaretMovement.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/Scrolling.h"
#include "editctl/TextGeometry.h"
#include "editctl/WordSelection.h"

namespace editctl {

namespace {

void takeFocus(const EditState& state) {
    if (state.hwnd != nullptr && GetFocus() != state.hwnd) {
        SetFocus(state.hwnd);
    }
}

int hitTestPoint(EditState& state, LPARAM point) {
    return hitTest(state, GET_X_LPARAM(point), GET_Y_LPARAM(point));
}

// Caret (and, in a word drag, anchor) to the point; `joinAnchor` collapses the selection.
void moveToPoint(EditState& state, LPARAM point, bool joinAnchor) {
    takeFocus(state);
    const int index = hitTestPoint(state, point);
    int caret = index;
    int anchor = state.anchor;
    if (state.wordDrag) {
        WordRange word = wordAround(state.text, state.lines, index);
        if (!word.found) {
            word = WordRange{index, index, false};
        }
        if (word.end > state.wordStart) {
            caret = word.end;
            anchor = word.start < state.wordEnd ? word.start : state.wordStart;
        } else {
            caret = word.start;
            anchor = state.wordEnd;
        }
    } else if (joinAnchor) {
        anchor = caret;
    }
    setSelection(state, anchor, caret);
    scrollCaretIntoView(state, false);
}

} // namespace

LRESULT onLeftButtonDown(EditState& state, WPARAM keys, LPARAM point) {
    commitPending(state, true);
    if (state.hwnd != nullptr) {
        SetCapture(state.hwnd);
    }
    state.dragging = true;
    state.wordDrag = false;
    state.rememberedColumn = 0;
    moveToPoint(state, point, (keys & MK_SHIFT) == 0);
    return 0;
}

LRESULT onMouseMove(EditState& state, WPARAM keys, LPARAM point) {
    if (state.dragging && (keys & MK_LBUTTON) != 0) {
        moveToPoint(state, point, false);
    }
    return 0;
}

LRESULT onLeftButtonUp(EditState& state, WPARAM /*keys*/, LPARAM point) {
    if (!state.dragging) {
        return 0;
    }
    if (state.hwnd != nullptr && GetCapture() == state.hwnd) {
        ReleaseCapture();
    }
    state.dragging = false;
    state.rememberedColumn = 0;
    moveToPoint(state, point, false);
    return 0;
}

LRESULT onLeftButtonDoubleClick(EditState& state, WPARAM keys, LPARAM /*point*/) {
    if ((keys & MK_LBUTTON) == 0) {
        return 0;
    }
    commitPending(state, true);
    takeFocus(state);
    if (state.hwnd != nullptr) {
        SetCapture(state.hwnd);
    }
    state.dragging = true;
    state.wordDrag = true;
    state.rememberedColumn = 0;
    const WordRange word = wordAround(state.text, state.lines, state.caret);
    if (word.found) {
        setSelection(state, word.start, word.end);
    } else {
        setSelection(state, state.caret, state.caret);
    }
    state.wordStart = selectionStart(state);
    state.wordEnd = selectionEnd(state);
    scrollCaretIntoView(state, false);
    return 0;
}

LRESULT onRightButtonDown(EditState& state, WPARAM /*keys*/, LPARAM point) {
    commitPending(state, true);
    takeFocus(state);
    state.rememberedColumn = 0;
    const int index = hitTestPoint(state, point);
    if (index >= selectionStart(state) && index <= selectionEnd(state)) {
        return 0;
    }
    setSelection(state, index, index);
    scrollCaretIntoView(state, false);
    invalidateAll(state);
    return 0;
}

LRESULT onRightButtonUp(EditState& state) {
    POINT at{};
    GetCursorPos(&at);
    SendMessage(state.hwnd, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(state.hwnd),
                MAKELPARAM(static_cast<WORD>(at.x), static_cast<WORD>(at.y)));
    return 0;
}

} // namespace editctl
