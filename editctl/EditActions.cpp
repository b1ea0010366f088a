#include "editctl/EditActions.h"

#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/Scrolling.h"

namespace editctl {

namespace {

void showEdit(EditState& state, const EditResult& result) {
    notifyParent(state, EN_UPDATE);
    invalidateAfterEdit(state, result);
    updateScrollBars(state);
    scrollCaretIntoView(state, false);
    notifyParent(state, EN_CHANGE);
}

} // namespace

bool insertAtCaretAndShow(EditState& state, std::u16string_view chars, bool overwrite) {
    const EditResult result = insertText(state, chars, overwrite);
    if (result.limitReached) {
        notifyParent(state, EN_MAXTEXT);
    }
    if (!result.changed) {
        return false;
    }
    showEdit(state, result);
    return true;
}

bool deleteAndShow(EditState& state, int start, int end) {
    const EditResult result = deleteRange(state, start, end);
    if (!result.changed) {
        return false;
    }
    showEdit(state, result);
    return true;
}

void replaceAllAndShow(EditState& state, std::u16string_view text) {
    const WaitCursor wait;
    replaceAllText(state, text);
    updateScrollBars(state);
    invalidateAll(state);
}

void reformat(EditState& state, bool repaint) {
    const bool laysOut = reformatLaysOut(state);
    if (state.hwnd != nullptr) {
        RECT client{};
        GetClientRect(state.hwnd, &client);
        state.layout.clientWidth = client.right;
        state.layout.clientHeight = client.bottom;
    }
    readFontMeasures(state);
    if (!laysOut) {
        return;
    }
    if (state.hwnd != nullptr && GetFocus() == state.hwnd) {
        CreateCaret(state.hwnd, nullptr, state.caretWidth, state.layout.lineHeight);
        ShowCaret(state.hwnd);
    }
    const WaitCursor wait;
    layoutAllText(state);
    updateScrollBars(state);
    if (repaint) {
        invalidateAll(state);
    }
}

bool reformatLaysOut(const EditState& state) {
    if (state.hwnd == nullptr) {
        return state.layout.clientWidth != 0;
    }
    RECT client{};
    GetClientRect(state.hwnd, &client);
    return client.right != 0;
}

} // namespace editctl
