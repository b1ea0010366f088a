#include "editctl/CaretMovement.h"

#include "editctl/CaretShape.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/Scrolling.h"
#include "editctl/TextGeometry.h"

#include <algorithm>

namespace editctl {

namespace {

int formattingHeight(const EditState& state) {
    return state.layout.clientHeight - state.layout.margins.top - state.layout.margins.bottom;
}

void rememberColumn(EditState& state) {
    if (state.rememberedColumn == 0) {
        state.rememberedColumn = caretX(state, state.caret);
    }
}

// The caret one display line up or down (dy = -1 or +1) at the remembered column.
int verticalNeighbour(EditState& state, int dy) {
    rememberColumn(state);
    return hitTest(state, state.rememberedColumn,
                   caretY(state, state.caret) + dy * state.layout.lineHeight);
}

} // namespace

int selectionStart(const EditState& state) {
    return std::min(state.caret, state.anchor);
}

int selectionEnd(const EditState& state) {
    return std::max(state.caret, state.anchor);
}

void setSelection(EditState& state, int anchor, int caret) {
    const auto lineOf = [&state](int index) { return state.lines.lineOf(index); };
    const int first =
        std::min({lineOf(state.caret), lineOf(state.anchor), lineOf(caret), lineOf(anchor)});
    const int last =
        std::max({lineOf(state.caret), lineOf(state.anchor), lineOf(caret), lineOf(anchor)});
    const bool changed = state.caret != caret || state.anchor != anchor;
    state.anchor = anchor;
    state.caret = caret;
    if (changed) {
        invalidateLines(state, first, last);
    }
    refreshCaret(state);
}

void moveByKey(EditState& state, WPARAM virtualKey, bool extend, bool control) {
    const int length = state.text.length();
    const int line = state.lines.lineOf(state.caret);
    const int lastLine = state.lines.count() - 1;
    int caret = state.caret;
    bool repaintAll = false;
    switch (virtualKey) {
    case VK_PRIOR:
    case VK_NEXT: {
        rememberColumn(state);
        const int dy = virtualKey == VK_PRIOR ? -formattingHeight(state) : formattingHeight(state);
        caret = hitTest(state, state.rememberedColumn, caretY(state, state.caret) + dy);
        setSelection(state, extend ? state.anchor : caret, caret);
        SendMessage(state.hwnd, WM_VSCROLL, virtualKey == VK_PRIOR ? SB_PAGEUP : SB_PAGEDOWN, 0);
        scrollCaretIntoView(state, false);
        return;
    }
    case VK_END:
        if (control || line == lastLine) {
            caret = length;
        } else {
            caret = static_cast<int>(state.lines.start(line + 1)) - 1;
        }
        repaintAll = true;
        break;
    case VK_HOME:
        caret = control ? 0 : static_cast<int>(state.lines.start(line));
        repaintAll = true;
        break;
    case VK_LEFT:
        state.rememberedColumn = 0;
        if (state.caret != state.anchor && !extend) {
            caret = selectionStart(state);
        } else if (caret > 0) {
            --caret;
        }
        break;
    case VK_RIGHT:
        state.rememberedColumn = 0;
        if (state.caret != state.anchor && !extend) {
            caret = selectionEnd(state);
        } else if (caret < length) {
            ++caret;
        }
        break;
    case VK_UP:
        if (line > 0) {
            caret = verticalNeighbour(state, -1);
        }
        break;
    case VK_DOWN:
        if (line < lastLine) {
            caret = verticalNeighbour(state, 1);
        }
        break;
    default:
        return;
    }
    setSelection(state, extend ? state.anchor : caret, caret);
    if (repaintAll) {
        invalidateAll(state);
    }
    scrollCaretIntoView(state, false);
}

} // namespace editctl
