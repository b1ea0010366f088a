#include "editctl/Scrolling.h"

#include "editctl/CaretShape.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/ScrollMetrics.h"
#include "editctl/TextGeometry.h"

#include <algorithm>
#include <cstdint>

namespace editctl {

namespace {

constexpr int kCaretMarginCells = 5;

int cellWidth(const EditState& state) {
    return std::max(state.layout.cellWidth, 1);
}

int lineHeight(const EditState& state) {
    return std::max(state.layout.lineHeight, 1);
}

// The formatting rectangle: the client area inside the four margins.
RECT formattingRect(const EditState& state) {
    const Margins& margins = state.layout.margins;
    return RECT{margins.left, margins.top, state.layout.clientWidth - margins.right,
                state.layout.clientHeight - margins.bottom};
}

// Where the thumb is: the message carries it in 16 bits; the bar's own track position gives
// the full value when it agrees with them (a message sent by a program may not).
int trackPosition(const EditState& state, int bar, WPARAM wParam) {
    const WORD carried = HIWORD(wParam);
    SCROLLINFO info;
    info.fMask = SIF_TRACKPOS;
    if (state.hwnd != nullptr && GetScrollInfo(state.hwnd, bar, &info) &&
        LOWORD(static_cast<std::uintptr_t>(info.nTrackPos)) == carried) {
        return info.nTrackPos;
    }
    return carried;
}

bool shiftHeld() {
    return GetKeyState(VK_SHIFT) < 0;
}

// Moves the window's pixels with the view: lines move inside the formatting rectangle
// stretched to the left edge, cells inside the formatting rectangle (the gutter stays).
void scrollContents(const EditState& state, int dxCells, int dyLines) {
    if (state.hwnd == nullptr) {
        return;
    }
    const RECT text = formattingRect(state);
    const std::int64_t dy = std::int64_t{dyLines} * lineHeight(state);
    const std::int64_t dx = std::int64_t{dxCells} * cellWidth(state);
    if (dy != 0) {
        const RECT rows{0, text.top, text.right, text.bottom};
        if (dy > -(rows.bottom - rows.top) && dy < rows.bottom - rows.top) {
            ScrollWindowEx(state.hwnd, 0, static_cast<int>(dy), &rows, &rows, nullptr, nullptr,
                           SW_INVALIDATE | SW_ERASE);
        } else {
            InvalidateRect(state.hwnd, &rows, TRUE);
        }
    }
    if (dx != 0) {
        if (dx > -(text.right - text.left) && dx < text.right - text.left) {
            ScrollWindowEx(state.hwnd, static_cast<int>(dx), 0, &text, &text, nullptr, nullptr,
                           SW_INVALIDATE | SW_ERASE);
        } else {
            InvalidateRect(state.hwnd, &text, TRUE);
        }
    }
}

// The new first line for a vertical scroll-bar code; -1 for a code that does nothing.
int verticalTarget(const EditState& state, WPARAM wParam) {
    const int first = state.firstVisibleLine;
    const int maximum = state.maxFirstLine;
    const RECT text = formattingRect(state);
    const int page = std::max((text.bottom - text.top) / lineHeight(state), 1);
    switch (LOWORD(wParam)) {
    case SB_LINEUP:
        return std::max(first - 1, 0);
    case SB_LINEDOWN:
        return std::min(first + 1, maximum);
    case SB_PAGEUP:
        return std::max(first - (page - 1), 0);
    case SB_PAGEDOWN:
        return std::min(first + (page - 1), maximum);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return std::clamp(trackPosition(state, SB_VERT, wParam), 0, maximum);
    case SB_TOP:
        return 0;
    case SB_BOTTOM:
        return maximum;
    default:
        return -1;
    }
}

int horizontalTarget(const EditState& state, WPARAM wParam) {
    const int position = state.horizontalPosition;
    const int maximum = std::max(state.maxHorizontalPosition, 0);
    const RECT text = formattingRect(state);
    const int page = std::max((text.right - text.left) / cellWidth(state), 1);
    switch (LOWORD(wParam)) {
    case SB_LINELEFT:
        return std::max(position - 1, 0);
    case SB_LINERIGHT:
        return std::min(position + 1, maximum);
    case SB_PAGELEFT:
        return std::max(position - page, 0);
    case SB_PAGERIGHT:
        return std::min(position + page, maximum);
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        return std::clamp(trackPosition(state, SB_HORZ, wParam), 0, maximum);
    case SB_LEFT:
        return 0;
    case SB_RIGHT:
        return maximum;
    default:
        return -1;
    }
}

// Line, page, top and bottom moves are announced to the parent; thumb moves are not.
bool announced(WPARAM wParam) {
    const WORD code = LOWORD(wParam);
    return code <= SB_PAGEDOWN || code == SB_TOP || code == SB_BOTTOM;
}

} // namespace

bool scrollViewTo(EditState& state, int firstLine, int horizontal) {
    firstLine = std::clamp(firstLine, 0, std::max(state.maxFirstLine, 0));
    horizontal = std::clamp(horizontal, 0, std::max(state.maxHorizontalPosition, 0));
    const int dyLines = state.firstVisibleLine - firstLine;
    const int dxCells = state.horizontalPosition - horizontal;
    if (dyLines == 0 && dxCells == 0) {
        return false;
    }
    state.firstVisibleLine = firstLine;
    state.horizontalPosition = horizontal;
    if (state.hwnd != nullptr) {
        SetScrollPos(state.hwnd, SB_VERT, firstLine, TRUE);
        SetScrollPos(state.hwnd, SB_HORZ, horizontal, TRUE);
    }
    scrollContents(state, dxCells, dyLines);
    refreshCaret(state);
    return true;
}

ViewPosition caretInViewPosition(EditState& state, bool centre) {
    const int line = state.lines.lineOf(state.caret);
    const auto start = static_cast<int>(state.lines.start(line));
    return viewPositionShowing(state, line, offsetAfter(state, 0, start, state.caret), centre);
}

ViewPosition viewPositionShowing(const EditState& state, int line, std::int64_t offset,
                                 bool centre) {
    const int cell = cellWidth(state);
    const int width = state.layout.clientWidth;
    int horizontal = state.horizontalPosition;
    const std::int64_t x =
        std::int64_t{caretXAtOffset(state, offset)} + std::int64_t{horizontal} * cell;
    if (x < std::int64_t{cell} * (horizontal + kCaretMarginCells)) {
        horizontal = std::max(static_cast<int>(x / cell) - kCaretMarginCells, 0);
    } else if (x > std::int64_t{cell} * (horizontal - kCaretMarginCells) + width) {
        horizontal = std::min(static_cast<int>(x / cell) - width / cell + kCaretMarginCells,
                              std::max(state.maxHorizontalPosition, 0));
    }

    int first = state.firstVisibleLine;
    const int visible = visibleLineCount(state);
    if (centre || line < first || line > first + visible - 1) {
        if (line == first - 1) {
            first = line;
        } else if (line == first + visible) {
            first = line - visible + 1;
        } else {
            // Half the height above the caret's line centres it; a view of one line shows
            // the caret's line itself rather than the one after it.
            first = std::min(line - (state.layout.clientHeight / 2) / lineHeight(state) + 1, line);
        }
        first = std::clamp(first, 0, std::max(state.maxFirstLine, 0));
    }
    return {first, horizontal};
}

void scrollCaretIntoView(EditState& state, bool centre) {
    const ViewPosition target = caretInViewPosition(state, centre);
    if (!scrollViewTo(state, target.firstLine, target.horizontal)) {
        refreshCaret(state);
    }
}

void keepCaretInView(EditState& state) {
    const int oldCaret = state.caret;
    const int oldAnchor = state.anchor;
    const RECT text = formattingRect(state);
    int caret = state.caret;
    const int x = caretX(state, caret);
    if (x < text.left) {
        caret = hitTest(state, text.left, caretY(state, caret));
    } else if (x >= text.right) {
        caret = hitTest(state, text.right - 1, caretY(state, caret));
    }
    const int y = caretY(state, caret);
    const int visible = visibleLineCount(state);
    const bool above = y < text.top;
    const bool below = state.lines.lineOf(caret) - state.firstVisibleLine >= visible;
    if (above || below) {
        if (state.rememberedColumn == 0) {
            state.rememberedColumn = caretX(state, caret);
        }
        // The last whole line is counted from the formatting rectangle's top, which may lie
        // lower than one line height.
        caret = above ? hitTest(state, state.rememberedColumn, text.top)
                      : hitTest(state, state.rememberedColumn,
                                text.top + std::max(visible - 1, 0) * lineHeight(state));
    }
    if (caret == oldCaret) {
        return;
    }
    // A pending insertion must end at the caret.
    commitPending(state, true);
    state.caret = caret;
    if (!shiftHeld()) {
        state.anchor = caret;
    }
    const auto lineOf = [&state](int index) { return state.lines.lineOf(index); };
    const int first = std::min({lineOf(oldCaret), lineOf(oldAnchor), lineOf(caret)});
    const int last = std::max({lineOf(oldCaret), lineOf(oldAnchor), lineOf(caret)});
    invalidateLines(state, first, last);
    refreshCaret(state);
}

LRESULT onVScroll(EditState& state, WPARAM wParam) {
    const int target = verticalTarget(state, wParam);
    if (target < 0) {
        return 0;
    }
    if (target != state.firstVisibleLine && announced(wParam)) {
        notifyParent(state, EN_VSCROLL);
    }
    scrollViewTo(state, target, state.horizontalPosition);
    keepCaretInView(state);
    return 0;
}

LRESULT onHScroll(EditState& state, WPARAM wParam) {
    const int target = horizontalTarget(state, wParam);
    if (target < 0) {
        return 0;
    }
    if (target != state.horizontalPosition && announced(wParam)) {
        notifyParent(state, EN_HSCROLL);
    }
    scrollViewTo(state, state.firstVisibleLine, target);
    keepCaretInView(state);
    return 0;
}

LRESULT onScroll(EditState& state, WPARAM code) {
    if (code > SB_PAGEDOWN) {
        return 0;
    }
    // The same rule WM_VSCROLL follows, so the answer is what the view really moves.
    const int lines = verticalTarget(state, code) - state.firstVisibleLine;
    if (lines == 0) {
        return 0;
    }
    SendMessage(state.hwnd, WM_VSCROLL, code, 0);
    return MAKELONG(static_cast<WORD>(lines), 1);
}

LRESULT onLineScroll(EditState& state, WPARAM cells, LPARAM lines) {
    const std::int64_t first = std::int64_t{state.firstVisibleLine} + static_cast<LONG>(lines);
    const std::int64_t horizontal =
        std::int64_t{state.horizontalPosition} + static_cast<LONG>(cells);
    const auto clampTo = [](std::int64_t value, int maximum) {
        return static_cast<int>(std::clamp<std::int64_t>(value, 0, std::max(maximum, 0)));
    };
    scrollViewTo(state, clampTo(first, state.maxFirstLine),
                 clampTo(horizontal, state.maxHorizontalPosition));
    keepCaretInView(state);
    return 0;
}

LRESULT onMouseWheel(EditState& state, WPARAM wParam) {
    const auto delta = static_cast<std::int16_t>(HIWORD(wParam));
    const WPARAM code = delta > 0 ? SB_LINEUP : SB_LINEDOWN;
    for (int i = 0; i < 3; ++i) {
        SendMessage(state.hwnd, WM_VSCROLL, code, 0);
    }
    return 0;
}

} // namespace editctl
