#include "editctl/COomEx.h"
#include "editctl/EditActions.h"
#include "editctl/EditHandlers.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/GdiCharMetrics.h"
#include "editctl/ImeInput.h"
#include "platform/Gdi.h"

#include <memory>
#include <new>

namespace editctl {

EditState* stateOf(HWND hwnd) {
    return reinterpret_cast<EditState*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

LRESULT onCreate(HWND hwnd, const CREATESTRUCT* create) {
    std::unique_ptr<EditState> state;
    try {
        state = std::make_unique<EditState>();
    } catch (const std::bad_alloc&) {
        throw COomEx(sizeof(EditState));
    }
    state->hwnd = hwnd;
    const auto style = static_cast<DWORD>(create != nullptr ? create->style : 0);
    state->controlId = GetDlgCtrlID(hwnd);
    state->layout.wordWrap = (style & WS_HSCROLL) == 0;
    state->readOnly = (style & ES_READONLY) != 0;
    state->noHideSel = (style & ES_NOHIDESEL) != 0;
    state->lowerCase = (style & ES_LOWERCASE) != 0;
    state->upperCase = (style & ES_UPPERCASE) != 0;

    const HDC windowDc = GetDC(hwnd);
    state->memoryDc = CreateCompatibleDC(windowDc);
    ReleaseDC(hwnd, windowDc);
    if (state->memoryDc == nullptr) {
        return -1;
    }
    SetTextAlign(state->memoryDc, TA_LEFT | TA_TOP);
    SetBkMode(state->memoryDc, TRANSPARENT);
    state->caretWidth = 2 * GetSystemMetrics(SM_CXBORDER);
    state->metrics = std::make_unique<GdiCharMetrics>(state->memoryDc);
    state->widths.setMetrics(state->metrics.get());
    rebuildOffscreenLine(*state);

    // From here on the window owns the state; WM_DESTROY frees it.
    SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    SendMessage(hwnd, NEM_REFORMAT, 0, 0);
    if (EditState* created = stateOf(hwnd)) {
        createImeWindow(*created);
    }
    if (create != nullptr && create->lpszName != nullptr && create->lpszName[0] != 0) {
        SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(create->lpszName));
    }
    if (EditState* created = stateOf(hwnd)) {
        created->options = 0;
    }
    return 0;
}

void onDestroy(HWND hwnd) {
    std::unique_ptr<EditState> state(stateOf(hwnd));
    SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
    if (!state) {
        return;
    }
    if (state->imeWindow != nullptr) {
        DestroyWindow(state->imeWindow);
    }
    releaseOffscreenLine(*state);
    if (state->memoryDc != nullptr) {
        if (state->font != nullptr) {
            SelectObject(state->memoryDc, state->previousFont);
            DeleteObject(state->font);
        }
        DeleteDC(state->memoryDc);
    }
    if (GetFocus() == hwnd) {
        DestroyCaret();
    }
}

} // namespace editctl
