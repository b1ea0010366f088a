#include "editctl/KeyInput.h"

#include "editctl/CaretMovement.h"
#include "editctl/CaretShape.h"
#include "editctl/EditActions.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"

namespace editctl {

namespace {

constexpr char16_t kBackspace = 8;
constexpr char16_t kCr = 13;
constexpr char16_t kEscape = 27;

bool held(int virtualKey) {
    return GetKeyState(virtualKey) < 0;
}

void sendToSelf(const EditState& state, UINT message, WPARAM wParam = 0) {
    SendMessage(state.hwnd, message, wParam, 0);
}

void deleteAndScroll(EditState& state, int start, int end) {
    state.rememberedColumn = 0;
    deleteAndShow(state, start, end);
}

void toggleInsertMode(EditState& state) {
    state.insertMode = !state.insertMode;
    refreshCaret(state);
    const int line = state.lines.lineOf(state.caret);
    invalidateLines(state, line, line);
}

} // namespace

bool typeText(EditState& state, std::u16string_view chars, bool forceInsert) {
    state.rememberedColumn = 0;
    return insertAtCaretAndShow(state, chars, !forceInsert && !state.insertMode);
}

void backspaceAction(EditState& state) {
    if (state.readOnly) {
        return;
    }
    if (state.caret != state.anchor) {
        deleteAndScroll(state, selectionStart(state), selectionEnd(state));
    } else if (state.caret > 0) {
        deleteAndScroll(state, state.caret - 1, state.caret);
    }
}

void deleteAction(EditState& state) {
    if (state.readOnly) {
        return;
    }
    if (state.caret != state.anchor) {
        deleteAndScroll(state, selectionStart(state), selectionEnd(state));
    } else if (state.caret < state.text.length()) {
        deleteAndScroll(state, state.caret, state.caret + 1);
    }
}

LRESULT onKeyDown(EditState& state, WPARAM virtualKey) {
    const bool control = held(VK_CONTROL);
    const bool shift = held(VK_SHIFT);
    switch (virtualKey) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        commitPending(state, true);
        moveByKey(state, virtualKey, shift, control);
        break;
    case VK_BACK:
        if ((state.options & NEO_BACKSPACEINCHAR) == 0) {
            backspaceAction(state);
        }
        break;
    case VK_INSERT:
        if (control) {
            sendToSelf(state, WM_COPY);
        } else if (shift) {
            sendToSelf(state, WM_PASTE);
        } else {
            toggleInsertMode(state);
        }
        break;
    case VK_DELETE:
        if (state.readOnly) {
            break;
        }
        if (shift) {
            sendToSelf(state, WM_CUT);
        } else {
            deleteAction(state);
        }
        break;
    case 'C':
    case 'V':
    case 'X':
    case 'L':
    case 'Y':
    case 'Z':
        if (!control) {
            break;
        }
        if (virtualKey == 'C') {
            sendToSelf(state, WM_COPY);
        } else if (virtualKey == 'V') {
            sendToSelf(state, WM_PASTE);
        } else if (virtualKey == 'X') {
            sendToSelf(state, WM_CUT);
        } else if (virtualKey == 'L') {
            sendToSelf(state, EM_SCROLLCARET, 1);
        } else if (virtualKey == 'Y' || shift) {
            sendToSelf(state, EM_REDO);
        } else {
            sendToSelf(state, EM_UNDO);
        }
        break;
    default:
        break;
    }
    return 0;
}

LRESULT onChar(EditState& state, WPARAM character) {
    if (state.readOnly || held(VK_CONTROL)) {
        return 0;
    }
    const auto ch = static_cast<char16_t>(character);
    switch (ch) {
    case kBackspace:
        if ((state.options & NEO_BACKSPACEINCHAR) != 0) {
            backspaceAction(state);
        }
        break;
    case kCr:
        // Each typed line break closes an undo step.
        typeText(state, std::u16string_view(&ch, 1), true);
        commitPending(state, true);
        break;
    case kEscape:
        break;
    default:
        typeText(state, std::u16string_view(&ch, 1), false);
        break;
    }
    return 0;
}

LRESULT onImeChar(EditState& state, WPARAM character) {
    if (state.readOnly || held(VK_CONTROL)) {
        return 0;
    }
    const auto ch = static_cast<char16_t>(character);
    typeText(state, std::u16string_view(&ch, 1), false);
    return 0;
}

} // namespace editctl
