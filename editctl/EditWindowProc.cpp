#include "editctl/EditWindowProc.h"

#include "editctl/ClipboardCommands.h"
#include "editctl/ControlMessages.h"
#include "editctl/EditActions.h"
#include "editctl/EditHandlers.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/ImeCompWindow.h"
#include "editctl/ImeInput.h"
#include "editctl/KeyInput.h"
#include "editctl/LayoutSettling.h"
#include "editctl/MouseInput.h"
#include "editctl/PaintHandlers.h"
#include "editctl/ReplaceMatches.h"
#include "editctl/Scrolling.h"
#include "editctl/UndoCommands.h"

namespace editctl {

namespace {

template <class T> T* pointer(LPARAM value) {
    return reinterpret_cast<T*>(value);
}

constexpr UINT kHandled[] = {
    WM_SIZE, WM_SETTEXT, WM_GETTEXT, WM_GETTEXTLENGTH, WM_SETFONT, WM_GETFONT, WM_GETDLGCODE,
    EM_GETRECT, EM_SETRECT, EM_SETRECTNP, EM_GETMODIFY, EM_SETMODIFY, EM_GETLINECOUNT, EM_LINEINDEX,
    EM_LINELENGTH, EM_GETLINE, EM_LINEFROMCHAR, EM_SETTABSTOPS, NEM_GETSTATE, NEM_REFORMAT,
    NEM_ISWRAPSTYLE, NEM_SETWORDWRAP, NEM_GETLENGTH, NEM_COPYTEXT, NEM_SETTEXTBYTES,
    NEM_GETWRAPCOLUMN, NEM_SETWRAPCOLUMN, NEM_SETLINESPACING, NEM_GETBUFFER, NEM_REPLACEMATCHES,
    // Caret, selection, input, scrolling, undo and clipboard.
    WM_SETFOCUS, WM_KILLFOCUS, WM_CONTEXTMENU, EM_GETSEL, EM_SETSEL, EM_SCROLL, EM_LINESCROLL,
    EM_SCROLLCARET, EM_REPLACESEL, EM_LIMITTEXT, EM_CANUNDO, EM_UNDO, EM_EMPTYUNDOBUFFER,
    EM_GETFIRSTVISIBLELINE, EM_SETREADONLY, WM_KEYDOWN, WM_CHAR, WM_HSCROLL, WM_VSCROLL,
    WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_RBUTTONUP,
    WM_MOUSEWHEEL, WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION, WM_IME_ENDCOMPOSITION, WM_IME_CHAR,
    WM_CUT, WM_COPY, WM_PASTE, WM_CLEAR, WM_UNDO, EM_REDO, EM_CANREDO, NEM_SETOPTIONS,
    NEM_GETREADONLY,
    // Painting; WM_PAINT without a state goes to the default procedure, which validates.
    NEM_SETSYMBOLS, NEM_SETCOLOR, NEM_SETIMEUNDERLINE};

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
    case NEM_REPLACEMATCHES:
        return onReplaceMatches(state, pointer<const NEditReplaceMatches>(lParam));

    case WM_SETFOCUS:
        return onSetFocus(state);
    case WM_KILLFOCUS:
        return onKillFocus(state);
    case WM_CONTEXTMENU:
        return onContextMenu(state);
    case EM_GETSEL:
        return onGetSel(state, reinterpret_cast<DWORD*>(wParam), pointer<DWORD>(lParam));
    case EM_SETSEL:
        return onSetSel(state, wParam, lParam);
    case EM_SCROLL:
        return onScroll(state, wParam);
    case EM_LINESCROLL:
        return onLineScroll(state, wParam, lParam);
    case EM_SCROLLCARET:
        return onScrollCaret(state, wParam);
    case EM_REPLACESEL:
        return onReplaceSel(state, pointer<const char16_t>(lParam));
    case EM_LIMITTEXT:
        return onLimitText(state, wParam);
    case EM_CANUNDO:
        return canUndo(state);
    case EM_UNDO:
    case WM_UNDO:
        return undoOne(state);
    case EM_REDO:
        return redoOne(state);
    case EM_CANREDO:
        return canRedo(state);
    case EM_EMPTYUNDOBUFFER:
        return emptyUndoBuffer(state);
    case EM_GETFIRSTVISIBLELINE:
        return state.firstVisibleLine;
    case EM_SETREADONLY:
        return onSetReadOnly(state, wParam);
    case NEM_GETREADONLY:
        return state.readOnly ? 1 : 0;
    case NEM_SETOPTIONS:
        return onSetOptions(state, wParam, lParam);
    case WM_KEYDOWN:
        return onKeyDown(state, wParam);
    case WM_CHAR:
        return onChar(state, wParam);
    case WM_IME_CHAR:
        return onImeChar(state, wParam);
    case WM_IME_STARTCOMPOSITION:
        return onImeStartComposition(state);
    case WM_IME_COMPOSITION:
        return onImeComposition(state, lParam);
    case WM_IME_ENDCOMPOSITION:
        return onImeEndComposition(state);
    case WM_HSCROLL:
        return onHScroll(state, wParam);
    case WM_VSCROLL:
        return onVScroll(state, wParam);
    case WM_MOUSEWHEEL:
        return onMouseWheel(state, wParam);
    case WM_LBUTTONDOWN:
        return onLeftButtonDown(state, wParam, lParam);
    case WM_MOUSEMOVE:
        return onMouseMove(state, wParam, lParam);
    case WM_LBUTTONUP:
        return onLeftButtonUp(state, wParam, lParam);
    case WM_LBUTTONDBLCLK:
        return onLeftButtonDoubleClick(state, wParam, lParam);
    case WM_RBUTTONDOWN:
        return onRightButtonDown(state, wParam, lParam);
    case WM_RBUTTONUP:
        return onRightButtonUp(state);
    case WM_CUT:
        return cutSelection(state);
    case WM_COPY:
        return copySelection(state);
    case WM_PASTE:
        return pasteClipboard(state);
    case WM_CLEAR:
        return clearSelection(state);
    case WM_PAINT:
        return onPaint(state);
    case NEM_SETSYMBOLS:
        return onSetSymbols(state, wParam);
    case NEM_SETCOLOR:
        return onSetColor(state, wParam, lParam);
    case NEM_SETIMEUNDERLINE:
        return onSetImeUnderline(state, wParam);
    case WM_TIMER:
        if (wParam == kSettleTimer) {
            settleStep(state);
            return 0;
        }
        return DefWindowProc(hwnd, message, wParam, lParam);
    case WM_IME_SETCONTEXT:
        // The control shows composition itself: no system composition window.
        return DefWindowProc(hwnd, message, wParam,
                             static_cast<LPARAM>(static_cast<DWORD>(lParam) & 0x7FFFFFFFu));
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
        // Every answer is the one a complete layout gives.
        settleForMessage(*state, message, wParam, lParam);
        const LRESULT result = dispatch(*state, hwnd, message, wParam, lParam);
        // The message may have destroyed the window and its state.
        if (EditState* after = stateOf(hwnd); after != nullptr) {
            scheduleSettling(*after);
        }
        return result;
    } catch (...) {
        recoverFromFailure(hwnd);
        return message == WM_CREATE ? -1 : 0;
    }
}

ATOM registerNEditClass() {
    static const ATOM atom = [] {
        registerImeCompClass();
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
