#include "editctl/CaretShape.h"
#include "editctl/ColorSlots.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/ImeCompMessages.h"
#include "editctl/LayoutSettling.h"
#include "editctl/Paint.h"
#include "editctl/PaintHandlers.h"

namespace editctl {

LRESULT onPaint(EditState& state) {
    // Lines settled here are added to the update area before it is taken.
    settleForPaint(state);
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(state.hwnd, &paint);
    // The style may have been changed since creation.
    state.noHideSel = (GetWindowLongPtr(state.hwnd, GWL_STYLE) & ES_NOHIDESEL) != 0;
    const bool focused = GetFocus() == state.hwnd;
    PaintArea area;
    area.left = paint.rcPaint.left;
    area.right = paint.rcPaint.right;
    area.selectionShown = focused || state.noHideSel;
    area.caretLine = focused ? state.lines.lineOf(state.caret) : -1;
    if (dc != nullptr) {
        paintUpdateArea(state, dc, paint.rcPaint, area);
    }
    EndPaint(state.hwnd, &paint);
    if (focused) {
        refreshCaret(state);
        if (state.imeWindow != nullptr) {
            SendMessage(state.imeWindow, NIM_REPOSITION, 0, 0);
        }
    }
    return 0;
}

LRESULT onSetSymbols(EditState& state, WPARAM bits) {
    state.symbols = static_cast<UINT>(bits);
    invalidateAll(state);
    return 0;
}

LRESULT onSetColor(EditState& state, WPARAM slot, LPARAM color) {
    const int index = slot < static_cast<WPARAM>(NEC_COUNT) ? static_cast<int>(slot) : -1;
    if (!storeColor(state, index, static_cast<COLORREF>(color))) {
        return 0;
    }
    if (state.imeWindow != nullptr) {
        SendMessage(state.imeWindow, NIM_SETCOLOR, slot,
                    static_cast<LPARAM>(resolvedColor(state, index)));
    }
    invalidateAll(state);
    return 0;
}

LRESULT onSetImeUnderline(EditState& state, WPARAM flag) {
    state.imeUnderline = flag != 0;
    if (state.imeWindow != nullptr) {
        SendMessage(state.imeWindow, NIM_SETTHICKTARGET, flag, 0);
    }
    return 0;
}

} // namespace editctl
