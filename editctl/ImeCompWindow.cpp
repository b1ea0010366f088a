#include "editctl/ImeCompWindow.h"

#include "editctl/ImeCompLayout.h"
#include "editctl/ImeCompMessages.h"
#include "editctl/ImeCompState.h"
#include "platform/Gdi.h"

#include <algorithm>
#include <memory>
#include <new>

namespace editctl {

namespace {

// The window reaches 32 pixels below the editor's client area, so that a wrapped row at the
// bottom still shows.
constexpr int kExtraHeight = 32;

ImeCompState* stateOf(HWND hwnd) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    return reinterpret_cast<ImeCompState*>(GetWindowLongPtr(hwnd, GWLP_USERDATA));
}

RECT editorClient(HWND hwnd) {
    RECT client{};
    const HWND editor = GetParent(hwnd);
    GetClientRect(editor != nullptr ? editor : hwnd, &client);
    return client;
}

// A context measuring (or drawing) in the editor's font, selected for the guard's lifetime.
class FontSelection {
public:
    FontSelection(HDC dc, HFONT font)
        : dc_(dc), previous_(font != nullptr ? SelectObject(dc, font) : nullptr) {}
    ~FontSelection() {
        if (previous_ != nullptr) {
            SelectObject(dc_, previous_);
        }
    }
    FontSelection(const FontSelection&) = delete;
    FontSelection& operator=(const FontSelection&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The cells of a fresh layout become the window region. A composition that wraps below the
// bottom moves left so that it ends at the right edge, if it fits.
void setRegionFromLayout(ImeCompState& state, HWND hwnd) {
    const HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (state.charCount() > 0) {
        const HDC dc = CreateCompatibleDC(nullptr);
        {
            const FontSelection font(dc, state.font);
            const CompositionSurface surface{dc, editorClient(hwnd), region, false};
            const CompositionRun run = layoutComposition(state, surface);
            if (run.overflow) {
                state.start.x =
                    std::max(surface.client.left, surface.client.right - run.totalWidth);
                SetRectRgn(region, 0, 0, 0, 0);
                layoutComposition(state, surface);
            }
        }
        DeleteDC(dc);
    }
    // Every paint of the editor asks again; an unchanged region needs no redrawing.
    const HRGN current = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hwnd, current) != 0 && EqualRgn(current, region)) {
        DeleteObject(region);
    } else {
        SetWindowRgn(hwnd, region, TRUE);
    }
    DeleteObject(current);
}

LRESULT onUpdate(ImeCompState& state, HWND hwnd, HIMC context, LPARAM flags) {
    if ((flags & GCS_COMPSTR) == 0) {
        return 0;
    }
    const LONG bytes =
        ImmGetCompositionStringW(context, GCS_COMPSTR, state.text.data(), ImeCompState::kTextBytes);
    state.textBytes =
        std::clamp<LONG>(bytes, 0, static_cast<LONG>(ImeCompState::kTextBytes)) & ~LONG{1};
    state.text[static_cast<std::size_t>(state.charCount())] = 0;
    if (bytes >= 0) {
        if ((flags & GCS_COMPATTR) != 0) {
            const LONG read = ImmGetCompositionStringW(
                context, GCS_COMPATTR, state.attributes.data(), ImeCompState::kAttributeBytes);
            state.attributeCount =
                std::clamp<LONG>(read, 0, static_cast<LONG>(ImeCompState::kAttributeBytes));
        }
        if ((flags & GCS_CURSORPOS) != 0) {
            state.cursor =
                std::max<LONG>(ImmGetCompositionStringW(context, GCS_CURSORPOS, nullptr, 0), 0);
        }
        if ((flags & GCS_COMPCLAUSE) != 0) {
            const LONG read = ImmGetCompositionStringW(
                context, GCS_COMPCLAUSE, state.clauses.data(), ImeCompState::kClauseBytes);
            state.clauseCount = std::clamp<LONG>(read, 0, ImeCompState::kClauseBytes) /
                                static_cast<int>(sizeof(DWORD));
        }
    }
    setRegionFromLayout(state, hwnd);
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
}

LRESULT onClear(ImeCompState& state, HWND hwnd) {
    state.textBytes = 0;
    state.text[0] = 0;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 1;
}

LRESULT onReposition(ImeCompState& state, HWND hwnd) {
    POINT caret;
    if (GetCaretPos(&caret)) {
        state.start = caret;
    }
    const RECT client = editorClient(hwnd);
    MoveWindow(hwnd, client.left, client.top, client.right - client.left,
               client.bottom - client.top + kExtraHeight, FALSE);
    setRegionFromLayout(state, hwnd);
    return 0;
}

// The composition clause by clause, then the cursor: a line just left of the cursor's
// character, over its row.
LRESULT onPaint(ImeCompState& state, HWND hwnd) {
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(hwnd, &paint);
    if (dc != nullptr && state.charCount() > 0) {
        const FontSelection font(dc, state.font);
        SetBkMode(dc, TRANSPARENT);
        const RECT client = editorClient(hwnd);
        layoutComposition(state, CompositionSurface{dc, client, nullptr, true});
        const int cursor = std::min(state.cursor, state.charCount());
        if (cursor > 0) {
            const CompositionRun run = layoutPiece(
                state, CompositionSurface{dc, client, nullptr, false}, state.start,
                std::u16string_view(state.text.data(), static_cast<std::size_t>(cursor)),
                ATTR_INPUT, false);
            const HPEN pen = CreatePen(PS_SOLID, 1, state.colors[1]);
            const HGDIOBJ old = SelectObject(dc, pen);
            MoveToEx(dc, run.end.x - 1, run.end.y, nullptr);
            LineTo(dc, run.end.x - 1, run.end.y + run.lastRowHeight);
            SelectObject(dc, old);
            DeleteObject(pen);
        }
    }
    EndPaint(hwnd, &paint);
    return 0;
}

LRESULT onCreate(HWND hwnd) {
    std::unique_ptr<ImeCompState> state(new (std::nothrow) ImeCompState());
    if (!state) {
        return -1;
    }
    state->colors = {GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_WINDOWTEXT),
                     GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_HIGHLIGHTTEXT)};
    SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state.release()));
    return 0;
}

void onDestroy(HWND hwnd) {
    const std::unique_ptr<ImeCompState> state(stateOf(hwnd));
    SetWindowLongPtr(hwnd, GWLP_USERDATA, 0);
}

LRESULT dispatch(ImeCompState& state, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFONT:
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        state.font = reinterpret_cast<HFONT>(wParam);
        return 0;
    case WM_PAINT:
        return onPaint(state, hwnd);
    case NIM_UPDATE:
        // NOLINTNEXTLINE(performance-no-int-to-ptr)
        return onUpdate(state, hwnd, reinterpret_cast<HIMC>(wParam), lParam);
    case NIM_CLEAR:
        return onClear(state, hwnd);
    case NIM_GETTARGETPOS:
        return MAKELONG(static_cast<WORD>(state.target.x), static_cast<WORD>(state.target.y));
    case NIM_REPOSITION:
        return onReposition(state, hwnd);
    case NIM_SETCOLOR:
        if (wParam < state.colors.size()) {
            state.colors[wParam] = static_cast<COLORREF>(lParam);
        }
        return 0;
    case NIM_SETTHICKTARGET:
        state.thickTarget = wParam != 0;
        return 0;
    case NIM_SETLINESPACING:
        state.lineSpacing = static_cast<int>(std::min<WPARAM>(wParam, 0x7FFF));
        return 0;
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

} // namespace

LRESULT imeCompWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CREATE) {
        return onCreate(hwnd);
    }
    if (message == WM_DESTROY) {
        onDestroy(hwnd);
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    ImeCompState* state = stateOf(hwnd);
    if (state == nullptr) {
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
    return dispatch(*state, hwnd, message, wParam, lParam);
}

ATOM registerImeCompClass() {
    static const ATOM atom = [] {
        WNDCLASS wc;
        wc.style = CS_IME | CS_DBLCLKS;
        wc.lpfnWndProc = imeCompWindowProc;
        wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
        wc.hbrBackground = nullptr;
        wc.lpszClassName = kImeCompClassName;
        return RegisterClass(&wc);
    }();
    return atom;
}

} // namespace editctl
