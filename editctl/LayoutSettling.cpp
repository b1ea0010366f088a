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

void settleForMessage(EditState& state, Settling settling, SettleRule rule, WPARAM wParam,
                      LPARAM lParam) {
    if (!state.layouter.hasUnsettled()) {
        return;
    }
    switch (settling) {
    case Settling::Everything:
        settleEverything(state);
        return;
    case Settling::Nothing:
        return;
    case Settling::ByRule:
        rule(state, wParam, lParam);
        return;
    }
}

void settleForKey(EditState& state, WPARAM key, LPARAM /*lParam*/) {
    if (key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME || key == VK_LEFT ||
        key == VK_UP || key == VK_RIGHT || key == VK_DOWN || key == VK_INSERT) {
        settleEverything(state);
    }
}

void settleForSelection(EditState& state, WPARAM start, LPARAM end) {
    const int length = state.text.length();
    auto index = [length](std::intptr_t value) {
        const auto at = static_cast<LONG>(value);
        return at == -1 ? length : std::clamp<int>(at, 0, length);
    };
    const int widest = state.layout.widestLine;
    show(state,
         state.layouter.settleThrough(std::max(
             {index(static_cast<std::intptr_t>(start)), index(end), state.caret, state.anchor})),
         widest);
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
