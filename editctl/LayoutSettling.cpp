#include "editctl/LayoutSettling.h"

#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/NEditMessages.h"

#include <algorithm>

namespace editctl {

namespace {

// Repaints the lines settling moved and follows the line count and width with the bars.
void show(EditState& state, const LineLayout::Change& settled, int widestBefore) {
    if (settled.firstLine < 0) {
        return;
    }
    if (widenGutterAfterSettling(state, settled)) {
        updateScrollBars(state);
        invalidateAll(state);
        return;
    }
    const bool countChanged = settled.linesAfter != settled.linesBefore;
    invalidateLines(state, settled.firstLine,
                    countChanged ? state.lines.count() : settled.lastLine);
    if (countChanged || state.layout.widestLine != widestBefore) {
        const int firstVisible = state.firstVisibleLine;
        updateScrollBars(state);
        if (state.firstVisibleLine != firstVisible) {
            invalidateAll(state);
        }
    }
}

} // namespace

void settleForMessage(EditState& state, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!state.layouter.hasUnsettled()) {
        return;
    }
    switch (message) {
    case WM_KEYDOWN:
        // Moving the caret by keys and the caret shape's repaint read lines; the rest edit at
        // the caret or send messages of their own.
        if (wParam == VK_PRIOR || wParam == VK_NEXT || wParam == VK_END || wParam == VK_HOME ||
            wParam == VK_LEFT || wParam == VK_UP || wParam == VK_RIGHT || wParam == VK_DOWN ||
            wParam == VK_INSERT) {
            settleEverything(state);
        }
        return;
    case EM_SETSEL: {
        // Only the lines of the old and the new selection are read.
        const int length = state.text.length();
        auto index = [length](std::intptr_t value) {
            const auto at = static_cast<LONG>(value);
            return at == -1 ? length : std::clamp<int>(at, 0, length);
        };
        const int widest = state.layout.widestLine;
        show(state,
             state.layouter.settleThrough(std::max({index(static_cast<std::intptr_t>(wParam)),
                                                    index(lParam), state.caret, state.anchor})),
             widest);
        return;
    }
    // Edits at the caret settle what they read themselves; the rest reads only the text.
    case WM_CHAR:
    case WM_IME_CHAR:
    case EM_REPLACESEL:
    case WM_CUT:
    case WM_COPY:
    case WM_PASTE:
    case WM_CLEAR:
    case EM_UNDO:
    case WM_UNDO:
    case EM_REDO:
    case WM_PAINT:
    case WM_TIMER:
    case WM_SETTEXT:
    case NEM_SETTEXTBYTES:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case NEM_GETLENGTH:
    case NEM_GETBUFFER:
    case NEM_COPYTEXT:
    case EM_GETSEL:
    case EM_GETMODIFY:
    case EM_SETMODIFY:
    case EM_CANUNDO:
    case EM_CANREDO:
    case WM_GETFONT:
    case WM_GETDLGCODE:
    case NEM_GETREADONLY:
    case NEM_GETWRAPCOLUMN:
    case NEM_ISWRAPSTYLE:
        return;
    default:
        settleEverything(state);
        return;
    }
}

void settleEverything(EditState& state) {
    if (!state.layouter.hasUnsettled()) {
        return;
    }
    const int widest = state.layout.widestLine;
    show(state, state.layouter.settleAll(), widest);
}

void settleForPaint(EditState& state) {
    if (!state.layouter.hasUnsettled() || state.layout.lineHeight <= 0) {
        return;
    }
    const int widest = state.layout.widestLine;
    const int visible = state.layout.clientHeight / state.layout.lineHeight + 1;
    LineLayout::Change settled = state.layouter.settleThrough(state.caret);
    const LineLayout::Change inView =
        state.layouter.settleThroughLine(static_cast<int>(std::min<long long>(
            static_cast<long long>(state.firstVisibleLine) + visible, state.lines.count())));
    if (inView.firstLine >= 0) {
        if (settled.firstLine < 0) {
            settled = inView;
        } else {
            // Both may have moved lines: repaint from the first one down.
            settled.firstLine = std::min(settled.firstLine, inView.firstLine);
            settled.lastLine = state.lines.count();
            settled.linesAfter = inView.linesAfter;
        }
    }
    show(state, settled, widest);
}

void settleStep(EditState& state) {
    if (state.layouter.hasUnsettled()) {
        const int widest = state.layout.widestLine;
        show(state, state.layouter.settle(kSettleStepCharacters), widest);
    }
    if (!state.layouter.hasUnsettled() && state.hwnd != nullptr) {
        KillTimer(state.hwnd, kSettleTimer);
        state.settleTimerRunning = false;
    }
}

void scheduleSettling(EditState& state) {
    if (state.layouter.hasUnsettled() && !state.settleTimerRunning && state.hwnd != nullptr) {
        state.settleTimerRunning = SetTimer(state.hwnd, kSettleTimer, 1, nullptr) != 0;
    }
}

} // namespace editctl
