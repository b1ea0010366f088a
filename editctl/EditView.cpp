#include "editctl/EditView.h"

#include "editctl/EditState.h"
#include "editctl/ScrollMetrics.h"
#include "platform/Gdi.h"

#include <algorithm>

namespace editctl {

void notifyParent(const EditState& state, UINT code) {
    if (state.hwnd == nullptr) {
        return;
    }
    const HWND parent = GetParent(state.hwnd);
    if (parent != nullptr) {
        SendMessage(parent, WM_COMMAND,
                    MAKEWPARAM(static_cast<WORD>(state.controlId), static_cast<WORD>(code)),
                    reinterpret_cast<LPARAM>(state.hwnd));
    }
}

void invalidateLines(const EditState& state, int first, int last) {
    if (state.hwnd == nullptr) {
        return;
    }
    const LayoutParams& layout = state.layout;
    const int lineHeight = std::max(layout.lineHeight, 1);
    RECT client{};
    GetClientRect(state.hwnd, &client);
    // The formatting rectangle, stretched to the left edge so the gutter is repainted too.
    RECT rect{0, client.top + layout.margins.top, client.right - layout.margins.right,
              client.bottom - layout.margins.bottom};
    const int height = rect.bottom - rect.top;
    if (first - state.firstVisibleLine > height / lineHeight || last < state.firstVisibleLine) {
        return;
    }
    const long long topOffset = static_cast<long long>(first - state.firstVisibleLine) * lineHeight;
    if (topOffset > 0) {
        rect.top = static_cast<LONG>(topOffset + layout.margins.top);
    }
    const long long bottomOffset =
        static_cast<long long>(last - state.firstVisibleLine + 1) * lineHeight;
    if (bottomOffset < height) {
        rect.bottom = static_cast<LONG>(bottomOffset + layout.margins.top);
    }
    InvalidateRect(state.hwnd, &rect, FALSE);
}

void invalidateAll(const EditState& state) {
    if (state.hwnd != nullptr) {
        InvalidateRect(state.hwnd, nullptr, FALSE);
    }
}

void invalidateAfterEdit(const EditState& state, const EditResult& result) {
    const LineLayout::Change& lines = result.lines;
    if (lines.linesAfter < lines.linesBefore) {
        invalidateAll(state);
    } else if (!result.breaksChanged && !result.settledBefore &&
               lines.linesAfter == lines.linesBefore) {
        invalidateLines(state, lines.firstLine, lines.lastLine);
    } else {
        invalidateLines(state, lines.firstLine, state.lines.count());
    }
}

void updateScrollBars(EditState& state) {
    const ScrollMetrics metrics = computeScrollMetrics(state);
    state.horizontalPosition = metrics.horizontalPosition;
    state.maxHorizontalPosition = metrics.maxHorizontalPosition;
    state.firstVisibleLine = metrics.firstVisibleLine;
    state.maxFirstLine = metrics.maxFirstLine;
    if (state.hwnd == nullptr) {
        return;
    }
    auto apply = [&state](int bar, const ScrollBarRange& range) {
        SCROLLINFO info;
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.nMin = range.min;
        info.nMax = range.max;
        info.nPage = static_cast<UINT>(std::max(range.page, 0));
        info.nPos = range.pos;
        SetScrollInfo(state.hwnd, bar, &info, TRUE);
    };
    apply(SB_HORZ, metrics.horizontal);
    apply(SB_VERT, metrics.vertical);
}

void releaseOffscreenLine(EditState& state) {
    if (state.lineStrip != nullptr) {
        SelectObject(state.memoryDc, state.previousBitmap);
        DeleteObject(state.lineStrip);
        state.lineStrip = nullptr;
        state.previousBitmap = nullptr;
    }
    if (state.marginRegion != nullptr) {
        DeleteObject(state.marginRegion);
        state.marginRegion = nullptr;
    }
}

void rebuildOffscreenLine(EditState& state) {
    releaseOffscreenLine(state);
    if (state.hwnd == nullptr || state.memoryDc == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(state.hwnd, &client);
    const LayoutParams& layout = state.layout;
    if (client.right > 0 && layout.lineHeight > 0) {
        const HDC windowDc = GetDC(state.hwnd);
        state.lineStrip = CreateCompatibleBitmap(windowDc, client.right, layout.lineHeight);
        ReleaseDC(state.hwnd, windowDc);
        if (state.lineStrip != nullptr) {
            state.previousBitmap = SelectObject(state.memoryDc, state.lineStrip);
        }
    }
    // The margins around the formatting rectangle, which is stretched to the left edge.
    const HRGN whole = CreateRectRgn(0, 0, client.right, client.bottom);
    const HRGN inner = CreateRectRgn(0, layout.margins.top, client.right - layout.margins.right,
                                     client.bottom - layout.margins.bottom);
    state.marginRegion = CreateRectRgn(0, 0, 0, 0);
    CombineRgn(state.marginRegion, whole, inner, RGN_DIFF);
    DeleteObject(whole);
    DeleteObject(inner);
}

WaitCursor::WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}

WaitCursor::~WaitCursor() {
    SetCursor(previous_);
}

} // namespace editctl
