// Messages about the selection, the view of the caret, read-only and options.

#include "editctl/CaretMovement.h"
#include "editctl/ControlMessages.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/ImeInput.h"
#include "editctl/KeyInput.h"
#include "editctl/Scrolling.h"

#include <algorithm>
#include <limits>
#include <string_view>

namespace editctl {

namespace {

// An EM_SETSEL end: -1 stands for the end of the text, anything else is kept within it.
int selectionIndex(const EditState& state, std::intptr_t value) {
    const auto index = static_cast<LONG>(value);
    if (index == -1) {
        return state.text.length();
    }
    return static_cast<int>(std::clamp<long long>(index, 0, state.text.length()));
}

} // namespace

LRESULT onGetSel(const EditState& state, DWORD* start, DWORD* end) {
    const auto first = static_cast<DWORD>(selectionStart(state));
    const auto last = static_cast<DWORD>(selectionEnd(state));
    if (start != nullptr) {
        *start = first;
    }
    if (end != nullptr) {
        *end = last;
    }
    return MAKELONG(static_cast<WORD>(first), static_cast<WORD>(last));
}

LRESULT onSetSel(EditState& state, WPARAM oneEnd, LPARAM otherEnd) {
    commitPending(state, true);
    const int a = selectionIndex(state, static_cast<std::intptr_t>(oneEnd));
    const int b = selectionIndex(state, otherEnd);
    state.rememberedColumn = 0;
    setSelection(state, std::min(a, b), std::max(a, b));
    return 0;
}

LRESULT onReplaceSel(EditState& state, const char16_t* text) {
    if (text != nullptr) {
        typeText(state, std::u16string_view(text), true);
    }
    return 0;
}

LRESULT onLimitText(EditState& state, WPARAM limit) {
    state.textLimit = static_cast<int>(std::min<WPARAM>(limit, std::numeric_limits<int>::max()));
    return 0;
}

LRESULT onScrollCaret(EditState& state, WPARAM centre) {
    scrollCaretIntoView(state, centre == 1);
    invalidateAll(state);
    return 1;
}

LRESULT onSetReadOnly(EditState& state, WPARAM readOnly) {
    state.readOnly = readOnly != 0;
    if (state.hwnd != nullptr) {
        const LONG_PTR style = GetWindowLongPtr(state.hwnd, GWL_STYLE);
        SetWindowLongPtr(state.hwnd, GWL_STYLE,
                         state.readOnly ? (style | ES_READONLY) : (style & ~LONG_PTR{ES_READONLY}));
        followReadOnly(state);
    }
    return 1;
}

LRESULT onSetOptions(EditState& state, WPARAM mask, LPARAM values) {
    const UINT old = state.options;
    const auto bits = static_cast<UINT>(mask);
    state.options = (old & ~bits) | (static_cast<UINT>(values) & bits);
    state.layout.lineNumbers = (state.options & NEO_LINENUMBERS) != 0;
    if ((bits & NEO_LINENUMBERS) != 0 && state.options != old) {
        SendMessage(state.hwnd, NEM_REFORMAT, 0, 0);
    }
    invalidateAll(state);
    return 1;
}

} // namespace editctl
