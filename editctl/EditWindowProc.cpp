#include "editctl/EditWindowProc.h"

#include "editctl/EditActions.h"
#include "editctl/EditHandlers.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"

namespace editctl {

namespace {

template <class T> T* pointer(LPARAM value) {
    return reinterpret_cast<T*>(value);
}

constexpr UINT kHandled[] = {
    WM_SIZE,           WM_SETTEXT,        WM_GETTEXT,         WM_GETTEXTLENGTH, WM_SETFONT,
    WM_GETFONT,        WM_GETDLGCODE,     EM_GETRECT,         EM_SETRECT,       EM_SETRECTNP,
    EM_GETMODIFY,      EM_SETMODIFY,      EM_GETLINECOUNT,    EM_LINEINDEX,     EM_LINELENGTH,
    EM_GETLINE,        EM_LINEFROMCHAR,   EM_SETTABSTOPS,     NEM_GETSTATE,     NEM_REFORMAT,
    NEM_ISWRAPSTYLE,   NEM_SETWORDWRAP,   NEM_GETLENGTH,      NEM_COPYTEXT,     NEM_SETTEXTBYTES,
    NEM_GETWRAPCOLUMN, NEM_SETWRAPCOLUMN, NEM_SETLINESPACING, NEM_GETBUFFER};

bool handles(UINT message) {
    for (const UINT handled : kHandled) {
        if (handled == message) {
            return true;
        }
    }
    return false;
}

// Messages this control answers; everything else goes to the default procedure.
LRESULT dispatch(EditState& state, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        return onSize(state, wParam, lParam);
    case WM_SETTEXT:
        return onSetText(state, pointer<const char16_t>(lParam));
    case WM_GETTEXT:
        return onGetText(state, wParam, pointer<char16_t>(lParam));
    case WM_GETTEXTLENGTH:
    case NEM_GETLENGTH:
        return state.text.length();
    case WM_SETFONT:
        return onSetFont(state, reinterpret_cast<HFONT>(wParam));
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(state.font);
    case WM_GETDLGCODE:
        return DLGC_WANTALLKEYS;
    case EM_GETRECT:
        return onGetRect(state, pointer<RECT>(lParam));
    case EM_SETRECT:
        onSetRectNp(state, pointer<const RECT>(lParam));
        invalidateAll(state);
        return 0;
    case EM_SETRECTNP:
        return onSetRectNp(state, pointer<const RECT>(lParam));
    case EM_GETMODIFY:
        return state.modified ? 1 : 0;
    case EM_SETMODIFY:
        state.modified = wParam != 0;
        return 0;
    case EM_GETLINECOUNT:
        return state.lines.count();
    case EM_LINEINDEX:
        return onLineIndex(state, wParam);
    case EM_LINELENGTH:
        return onLineLength(state, wParam);
    case EM_GETLINE:
        return onGetLine(state, wParam, pointer<char16_t>(lParam));
    case EM_LINEFROMCHAR:
        return onLineFromChar(state, wParam);
    case EM_SETTABSTOPS:
        return onSetTabStops(state, wParam, pointer<const int>(lParam));
    case NEM_GETSTATE:
        if (lParam != 0) {
            *pointer<EditState*>(lParam) = &state;
        }
        return 0;
    case NEM_REFORMAT:
        reformat(state, wParam == 0);
        return 0;
    case NEM_ISWRAPSTYLE:
        return (GetWindowLongPtr(hwnd, GWL_STYLE) & WS_HSCROLL) != 0 ? 0 : 1;
    case NEM_SETWORDWRAP:
        return onSetWordWrap(state, wParam != 0);
    case NEM_COPYTEXT:
        return onCopyText(state, pointer<char16_t>(lParam));
    case NEM_SETTEXTBYTES:
        return onSetTextBytes(state, wParam, pointer<const char16_t>(lParam));
    case NEM_GETWRAPCOLUMN:
        return state.layout.wrapColumn;
    case NEM_SETWRAPCOLUMN:
        return onSetWrapColumn(state, wParam, lParam);
    case NEM_SETLINESPACING:
        return onSetLineSpacing(state, wParam);
    case NEM_GETBUFFER:
        return onGetBuffer(state);
    default:
        return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

// After a failed message: tell the user, and keep the text unless it has become inconsistent,
// in which case an empty text is the only safe state left.
void recoverFromFailure(HWND hwnd) {
    MessageBox(hwnd, u"Out of Memory", u"Error!", MB_OK | MB_ICONSTOP);
    EditState* state = stateOf(hwnd);
    if (state == nullptr || state->checkInvariants()) {
        return;
    }
    try {
        replaceAllAndShow(*state, std::u16string_view());
    } catch (...) {
        // Not even an empty text could be had; the next message tries again.
    }
}

} // namespace

LRESULT nEditWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_CREATE) {
            return onCreate(hwnd, pointer<const CREATESTRUCT>(lParam));
        }
        if (message == WM_DESTROY) {
            onDestroy(hwnd);
            return DefWindowProc(hwnd, message, wParam, lParam);
        }
        EditState* state = stateOf(hwnd);
        if (state == nullptr) {
            return handles(message) ? 0 : DefWindowProc(hwnd, message, wParam, lParam);
        }
        return dispatch(*state, hwnd, message, wParam, lParam);
    } catch (...) {
        recoverFromFailure(hwnd);
        return message == WM_CREATE ? -1 : 0;
    }
}

ATOM registerNEditClass() {
    static const ATOM atom = [] {
        WNDCLASS wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = nEditWindowProc;
        wc.hCursor = LoadCursor(nullptr, IDC_IBEAM);
        wc.hbrBackground = nullptr;
        wc.lpszClassName = kNEditClassName;
        return RegisterClass(&wc);
    }();
    return atom;
}

} // namespace editctl
