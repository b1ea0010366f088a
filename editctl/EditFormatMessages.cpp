// Messages that change what layout depends on: client size, font, tabs, margins, word wrap,
// wrap column and line spacing.

#include "editctl/EditActions.h"
#include "editctl/EditHandlers.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/ImeCompMessages.h"
#include "editctl/ImeInput.h"
#include "editctl/Scrolling.h"
#include "platform/Gdi.h"

#include <algorithm>

namespace editctl {

namespace {

// Runs a relayout that may re-wrap every line while the same text stays at the top, then
// brings the caret into view.
template <class Change> void keepingFirstVisibleLine(EditState& state, Change&& change) {
    const auto topIndex = state.lines.start(std::min(state.firstVisibleLine, state.lines.count()));
    change();
    state.firstVisibleLine = state.lines.lineOf(topIndex);
    updateScrollBars(state);
    scrollCaretIntoView(state, false);
}

} // namespace

LRESULT onSize(EditState& state, WPARAM type, LPARAM size) {
    if (type == SIZE_MINIMIZED) {
        return 0;
    }
    state.layout.clientWidth = LOWORD(static_cast<std::uintptr_t>(size));
    state.layout.clientHeight = HIWORD(static_cast<std::uintptr_t>(size));
    if (sizeReformats(state, type)) {
        SendMessage(state.hwnd, NEM_REFORMAT, 1, 0);
    }
    updateScrollBars(state);
    rebuildOffscreenLine(state);
    invalidateAll(state);
    moveImeWindowToCaret(state);
    return 0;
}

bool sizeReformats(const EditState& state, WPARAM type) {
    // Without word wrap the lines do not depend on the width, once they have been laid out.
    return type != SIZE_MINIMIZED && (state.layout.wordWrap || state.layout.layoutPending);
}

LRESULT onSetFont(EditState& state, HFONT font) {
    // The description is read before the old copy goes: the font given may be that copy.
    LOGFONTW description{};
    const bool described =
        font != nullptr && GetObjectW(font, sizeof(description), &description) != 0;
    if (state.font != nullptr) {
        SelectObject(state.memoryDc, state.previousFont);
        DeleteObject(state.font);
        state.font = nullptr;
        state.previousFont = nullptr;
    }
    state.widths.clear();
    if (described) {
        state.font = CreateFontIndirectW(&description);
        if (state.font != nullptr) {
            state.previousFont = SelectObject(state.memoryDc, state.font);
        }
    }
    // The composition window draws with the control's copy, so it must never keep the old one.
    if (state.imeWindow != nullptr) {
        SendMessage(state.imeWindow, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), 0);
    }
    SendMessage(state.hwnd, NEM_REFORMAT, 0, 0);
    rebuildOffscreenLine(state);
    return 0;
}

LRESULT onSetTabStops(EditState& state, WPARAM count, const int* stops) {
    if (stops == nullptr) {
        return 0;
    }
    // Stops come in dialog units, four to a character cell. A stop below one cell would make
    // tabs advance by nothing, so one cell is the least.
    const int tabSize = count > 0 ? stops[0] / 4 : 8;
    state.layout.tabSize = std::clamp(tabSize, 1, state.layout.columnLimit);
    SendMessage(state.hwnd, NEM_REFORMAT, 0, 0);
    return 1;
}

LRESULT onGetRect(const EditState& state, RECT* rect) {
    if (rect == nullptr) {
        return 0;
    }
    RECT client{};
    GetClientRect(state.hwnd, &client);
    const Margins& margins = state.layout.margins;
    *rect = RECT{client.left + margins.left, client.top + margins.top, client.right - margins.right,
                 client.bottom - margins.bottom};
    return 0;
}

LRESULT onSetRectNp(EditState& state, const RECT* rect) {
    if (rect == nullptr) {
        return 0;
    }
    RECT client{};
    GetClientRect(state.hwnd, &client);
    Margins& margins = state.layout.margins;
    margins.left = rect->left + 1;
    margins.top = rect->top + 1;
    margins.right = client.right - rect->right + 1;
    margins.bottom = client.bottom - rect->bottom + 1;
    rebuildOffscreenLine(state);
    SendMessage(state.hwnd, NEM_REFORMAT, 1, 0);
    return 0;
}

LRESULT onSetWordWrap(EditState& state, bool wrap) {
    keepingFirstVisibleLine(state, [&state, wrap] {
        state.layout.wordWrap = wrap;
        updateScrollBars(state);
        SendMessage(state.hwnd, NEM_REFORMAT, 0, 0);
    });
    return 0;
}

LRESULT onSetWrapColumn(EditState& state, WPARAM columns, LPARAM applyNow) {
    // Wider than the column limit cannot matter, and keeps the pixel width in range.
    state.layout.wrapColumn =
        static_cast<int>(std::min<WPARAM>(columns, static_cast<WPARAM>(state.layout.columnLimit)));
    if (applyNow != 0 && state.layout.clientWidth >= 1) {
        keepingFirstVisibleLine(state, [&state] {
            updateScrollBars(state);
            SendMessage(state.hwnd, NEM_REFORMAT, 0, 0);
        });
    }
    return 0;
}

LRESULT onSetLineSpacing(EditState& state, WPARAM pixels) {
    state.layout.lineSpacing = std::clamp<LONG>(static_cast<LONG>(pixels), 0, 0x7FFF);
    readFontMeasures(state);
    rebuildOffscreenLine(state);
    SendMessage(state.hwnd, NEM_REFORMAT, 0, 0);
    scrollCaretIntoView(state, false);
    if (state.imeWindow != nullptr) {
        SendMessage(state.imeWindow, NIM_SETLINESPACING,
                    static_cast<WPARAM>(state.layout.lineSpacing), 0);
    }
    invalidateAll(state);
    return 1;
}

} // namespace editctl
