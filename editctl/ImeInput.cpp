#include "editctl/ImeInput.h"

#include "editctl/CaretShape.h"
#include "editctl/EditOperations.h"
#include "editctl/EditState.h"
#include "editctl/ImeCompMessages.h"
#include "editctl/ImeCompWindow.h"
#include "editctl/KeyInput.h"
#include "editctl/Scrolling.h"
#include "editctl/TextGeometry.h"

#include <string_view>
#include <vector>

namespace editctl {

namespace {

// The editor's input context for the length of one message.
class ContextUse {
public:
    explicit ContextUse(HWND hwnd) : hwnd_(hwnd), context_(ImmGetContext(hwnd)) {}
    ~ContextUse() {
        if (context_ != nullptr) {
            ImmReleaseContext(hwnd_, context_);
        }
    }
    ContextUse(const ContextUse&) = delete;
    ContextUse& operator=(const ContextUse&) = delete;
    HIMC get() const { return context_; }

private:
    HWND hwnd_;
    HIMC context_;
};

void insertResult(EditState& state, HIMC context) {
    SetWindowPos(state.imeWindow, nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOACTIVATE);
    const LONG bytes = ImmGetCompositionStringW(context, GCS_RESULTSTR, nullptr, 0);
    std::vector<char16_t> result(bytes > 0 ? static_cast<std::size_t>(bytes) / 2 + 1 : 1);
    const LONG read = bytes > 0 ? ImmGetCompositionStringW(context, GCS_RESULTSTR, result.data(),
                                                           static_cast<DWORD>(bytes))
                                : 0;
    SendMessage(state.imeWindow, NIM_UPDATE, reinterpret_cast<WPARAM>(context), -1);
    if (read > 0) {
        // Each result is an undo step of its own, not merged with typing around it.
        commitPending(state, true);
        typeText(state, std::u16string_view(result.data(), static_cast<std::size_t>(read) / 2),
                 false);
        commitPending(state, true);
    }
    UpdateWindow(state.hwnd);
}

// The candidate list goes under the clause being converted without covering the caret's line;
// the input method's own composition window, should it show one, one line above.
void placeImeWindows(EditState& state, HIMC context) {
    const auto packed = static_cast<DWORD>(SendMessage(state.imeWindow, NIM_GETTARGETPOS, 0, 0));
    const POINT target{static_cast<std::int16_t>(LOWORD(packed)),
                       static_cast<std::int16_t>(HIWORD(packed))};
    CANDIDATEFORM candidate;
    candidate.dwIndex = 0;
    candidate.dwStyle = CFS_CANDIDATEPOS;
    candidate.ptCurrentPos = target;
    ImmSetCandidateWindow(context, &candidate);
    COMPOSITIONFORM composition;
    composition.dwStyle = CFS_POINT;
    composition.ptCurrentPos = POINT{target.x, target.y - state.layout.lineHeight};
    ImmSetCompositionWindow(context, &composition);
    const int x = caretX(state, state.caret);
    const int y = caretY(state, state.caret);
    candidate.dwStyle = CFS_EXCLUDE;
    candidate.rcArea = RECT{x, y, x + state.caretWidth, y + state.layout.lineHeight};
    ImmSetCandidateWindow(context, &candidate);
}

} // namespace

void createImeWindow(EditState& state) {
    registerImeCompClass();
    state.imeWindow = CreateWindow(kImeCompClassName, u"", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0,
                                   state.hwnd, nullptr, nullptr, nullptr);
}

LRESULT onImeStartComposition(EditState& state) {
    scrollCaretIntoView(state, false);
    // The caret stands where the view now shows it, so the composition starts in the right place.
    refreshCaret(state);
    if (state.imeWindow != nullptr) {
        SendMessage(state.imeWindow, WM_SETFONT, reinterpret_cast<WPARAM>(state.font), 0);
        moveImeWindowToCaret(state);
    }
    HideCaret(state.hwnd);
    return 0;
}

LRESULT onImeComposition(EditState& state, LPARAM flags) {
    const ContextUse context(state.hwnd);
    if (context.get() == nullptr || state.imeWindow == nullptr) {
        return 0;
    }
    if (!state.readOnly && (flags & GCS_RESULTSTR) != 0) {
        insertResult(state, context.get());
    }
    if ((flags & GCS_COMPSTR) != 0) {
        SendMessage(state.imeWindow, NIM_UPDATE, reinterpret_cast<WPARAM>(context.get()), flags);
        SendMessage(state.imeWindow, NIM_REPOSITION, 0, 0);
        placeImeWindows(state, context.get());
        UpdateWindow(state.hwnd);
    }
    return 0;
}

LRESULT onImeEndComposition(EditState& state) {
    if (state.imeWindow != nullptr) {
        SendMessage(state.imeWindow, NIM_CLEAR, 0, 0);
    }
    UpdateWindow(state.hwnd);
    ShowCaret(state.hwnd);
    return 0;
}

void openImeOnFocus(const EditState& state, bool open) {
    if ((state.options & NEO_NOIMEONFOCUS) != 0) {
        return;
    }
    const ContextUse context(state.hwnd);
    if (context.get() != nullptr) {
        ImmSetOpenStatus(context.get(), open ? TRUE : FALSE);
    }
}

// A second EM_SETREADONLY 1 finds no context attached and must not lose the kept one; a
// control that was never detached keeps its context when made writable.
void followReadOnly(EditState& state) {
    if (state.readOnly) {
        if (const HIMC detached = ImmAssociateContext(state.hwnd, nullptr); detached != nullptr) {
            state.keptImeContext = detached;
        }
    } else if (state.keptImeContext != nullptr) {
        ImmAssociateContext(state.hwnd, state.keptImeContext);
        state.keptImeContext = nullptr;
    }
}

void moveImeWindowToCaret(EditState& state) {
    if (state.imeWindow != nullptr) {
        SetWindowPos(state.imeWindow, nullptr, caretX(state, state.caret),
                     caretY(state, state.caret), 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

} // namespace editctl
