#include "editctl/MessageTable.h"

#include "editctl/ClipboardCommands.h"
#include "editctl/ControlMessages.h"
#include "editctl/EditActions.h"
#include "editctl/EditHandlers.h"
#include "editctl/EditState.h"
#include "editctl/EditView.h"
#include "editctl/FullLayoutSettling.h"
#include "editctl/ImeInput.h"
#include "editctl/KeyInput.h"
#include "editctl/MouseInput.h"
#include "editctl/NEditMessages.h"
#include "editctl/PaintHandlers.h"
#include "editctl/ReplaceMatches.h"
#include "editctl/Scrolling.h"
#include "editctl/UndoCommands.h"

#include <algorithm>
#include <array>
#include <type_traits>

namespace editctl {

namespace {

// The pointer a message parameter carries.
template <class T, class Parameter> T* pointer(Parameter value) {
    // NOLINTNEXTLINE(performance-no-int-to-ptr)
    return reinterpret_cast<T*>(value);
}

using enum Settling;
using S = EditState;

// Grouped by concern; sorted by message below.
constexpr std::array kRows{
    // Text in and out, line queries, size, font and layout settings.
    MessageRow{WM_SIZE, &settleUnlessSizeReformats,
               [](S& s, HWND, WPARAM w, LPARAM l) -> LRESULT { return onSize(s, w, l); }},
    MessageRow{WM_SETTEXT, Nothing,
               [](S& s, HWND, WPARAM, LPARAM l) { return onSetText(s, pointer<const char16_t>(l)); }},
    MessageRow{WM_GETTEXT, Nothing,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onGetText(s, w, pointer<char16_t>(l)); }},
    MessageRow{WM_GETTEXTLENGTH, Nothing,
               [](S& s, HWND, WPARAM, LPARAM) -> LRESULT { return s.text.length(); }},
    MessageRow{NEM_GETLENGTH, Nothing,
               [](S& s, HWND, WPARAM, LPARAM) -> LRESULT { return s.text.length(); }},
    MessageRow{WM_SETFONT, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onSetFont(s, pointer<std::remove_pointer_t<HFONT>>(w)); }},
    MessageRow{WM_GETFONT, Nothing,
               [](S& s, HWND, WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(s.font); }},
    MessageRow{WM_GETDLGCODE, Nothing,
               [](S&, HWND, WPARAM, LPARAM) -> LRESULT { return DLGC_WANTALLKEYS; }},
    MessageRow{EM_GETRECT, Everything,
               [](S& s, HWND, WPARAM, LPARAM l) { return onGetRect(s, pointer<RECT>(l)); }},
    MessageRow{EM_SETRECT, Everything,
               [](S& s, HWND, WPARAM, LPARAM l) -> LRESULT {
                   onSetRectNp(s, pointer<const RECT>(l));
                   invalidateAll(s);
                   return 0;
               }},
    MessageRow{EM_SETRECTNP, Everything,
               [](S& s, HWND, WPARAM, LPARAM l) { return onSetRectNp(s, pointer<const RECT>(l)); }},
    MessageRow{EM_GETMODIFY, Nothing,
               [](S& s, HWND, WPARAM, LPARAM) -> LRESULT { return s.modified ? 1 : 0; }},
    MessageRow{EM_SETMODIFY, Nothing,
               [](S& s, HWND, WPARAM w, LPARAM) -> LRESULT {
                   s.modified = w != 0;
                   return 0;
               }},
    MessageRow{EM_GETLINECOUNT, Everything,
               [](S& s, HWND, WPARAM, LPARAM) -> LRESULT { return s.lines.count(); }},
    MessageRow{EM_LINEINDEX, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onLineIndex(s, w); }},
    MessageRow{EM_LINELENGTH, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onLineLength(s, w); }},
    MessageRow{EM_GETLINE, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onGetLine(s, w, pointer<char16_t>(l)); }},
    MessageRow{EM_LINEFROMCHAR, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onLineFromChar(s, w); }},
    MessageRow{EM_SETTABSTOPS, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) {
                   return onSetTabStops(s, w, pointer<const int>(l));
               }},
    MessageRow{NEM_GETSTATE, Everything,
               [](S& s, HWND, WPARAM, LPARAM l) -> LRESULT {
                   if (l != 0) {
                       *pointer<EditState*>(l) = &s;
                   }
                   return 0;
               }},
    MessageRow{NEM_REFORMAT, &settleUnlessReformatting,
               [](S& s, HWND, WPARAM w, LPARAM) -> LRESULT {
                   reformat(s, w == 0);
                   return 0;
               }},
    MessageRow{NEM_ISWRAPSTYLE, Nothing,
               [](S&, HWND h, WPARAM, LPARAM) -> LRESULT {
                   return (GetWindowLongPtr(h, GWL_STYLE) & WS_HSCROLL) != 0 ? 0 : 1;
               }},
    MessageRow{NEM_SETWORDWRAP, &settleUnlessWrapReformats,
               [](S& s, HWND, WPARAM w, LPARAM) { return onSetWordWrap(s, w != 0); }},
    MessageRow{NEM_COPYTEXT, Nothing,
               [](S& s, HWND, WPARAM, LPARAM l) { return onCopyText(s, pointer<char16_t>(l)); }},
    MessageRow{NEM_SETTEXTBYTES, Nothing,
               [](S& s, HWND, WPARAM w, LPARAM l) {
                   return onSetTextBytes(s, w, pointer<const char16_t>(l));
               }},
    MessageRow{NEM_GETWRAPCOLUMN, Nothing,
               [](S& s, HWND, WPARAM, LPARAM) -> LRESULT { return s.layout.wrapColumn; }},
    MessageRow{NEM_SETWRAPCOLUMN, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onSetWrapColumn(s, w, l); }},
    MessageRow{NEM_SETLINESPACING, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onSetLineSpacing(s, w); }},
    MessageRow{NEM_GETBUFFER, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return onGetBuffer(s); }},
    MessageRow{NEM_REPLACEMATCHES, Everything,
               [](S& s, HWND, WPARAM, LPARAM l) {
                   return onReplaceMatches(s, pointer<const NEditReplaceMatches>(l));
               }},

    // Caret, selection, options and focus.
    MessageRow{WM_SETFOCUS, Everything, [](S& s, HWND, WPARAM, LPARAM) { return onSetFocus(s); }},
    MessageRow{WM_KILLFOCUS, Everything,
               [](S& s, HWND, WPARAM, LPARAM) { return onKillFocus(s); }},
    MessageRow{WM_CONTEXTMENU, Everything,
               [](S& s, HWND, WPARAM, LPARAM) { return onContextMenu(s); }},
    MessageRow{EM_GETSEL, Nothing,
               [](S& s, HWND, WPARAM w, LPARAM l) {
                   return onGetSel(s, pointer<DWORD>(w), pointer<DWORD>(l));
               }},
    MessageRow{EM_SETSEL, &settleForSelection,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onSetSel(s, w, l); }},
    MessageRow{EM_REPLACESEL, Nothing,
               [](S& s, HWND, WPARAM, LPARAM l) {
                   return onReplaceSel(s, pointer<const char16_t>(l));
               }},
    MessageRow{EM_LIMITTEXT, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onLimitText(s, w); }},
    MessageRow{EM_SETREADONLY, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onSetReadOnly(s, w); }},
    MessageRow{NEM_GETREADONLY, Nothing,
               [](S& s, HWND, WPARAM, LPARAM) -> LRESULT { return s.readOnly ? 1 : 0; }},
    MessageRow{NEM_SETOPTIONS, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onSetOptions(s, w, l); }},

    // Scrolling.
    MessageRow{EM_SCROLL, Everything, [](S& s, HWND, WPARAM w, LPARAM) { return onScroll(s, w); }},
    MessageRow{EM_LINESCROLL, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onLineScroll(s, w, l); }},
    MessageRow{EM_SCROLLCARET, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onScrollCaret(s, w); }},
    MessageRow{EM_GETFIRSTVISIBLELINE, Everything,
               [](S& s, HWND, WPARAM, LPARAM) -> LRESULT { return s.firstVisibleLine; }},
    MessageRow{WM_HSCROLL, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onHScroll(s, w); }},
    MessageRow{WM_VSCROLL, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onVScroll(s, w); }},
    MessageRow{WM_MOUSEWHEEL, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onMouseWheel(s, w); }},

    // Undo and the clipboard.
    MessageRow{EM_CANUNDO, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return canUndo(s); }},
    MessageRow{EM_UNDO, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return undoOne(s); }},
    MessageRow{WM_UNDO, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return undoOne(s); }},
    MessageRow{EM_REDO, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return redoOne(s); }},
    MessageRow{EM_CANREDO, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return canRedo(s); }},
    MessageRow{EM_EMPTYUNDOBUFFER, Everything,
               [](S& s, HWND, WPARAM, LPARAM) { return emptyUndoBuffer(s); }},
    MessageRow{WM_CUT, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return cutSelection(s); }},
    MessageRow{WM_COPY, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return copySelection(s); }},
    MessageRow{WM_PASTE, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return pasteClipboard(s); }},
    MessageRow{WM_CLEAR, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return clearSelection(s); }},

    // Keys, characters and the input method.
    MessageRow{WM_KEYDOWN, &settleForKey,
               [](S& s, HWND, WPARAM w, LPARAM) { return onKeyDown(s, w); }},
    MessageRow{WM_CHAR, Nothing, [](S& s, HWND, WPARAM w, LPARAM) { return onChar(s, w); }},
    MessageRow{WM_IME_CHAR, Nothing, [](S& s, HWND, WPARAM w, LPARAM) { return onImeChar(s, w); }},
    MessageRow{WM_IME_STARTCOMPOSITION, Everything,
               [](S& s, HWND, WPARAM, LPARAM) { return onImeStartComposition(s); }},
    MessageRow{WM_IME_COMPOSITION, Everything,
               [](S& s, HWND, WPARAM, LPARAM l) { return onImeComposition(s, l); }},
    MessageRow{WM_IME_ENDCOMPOSITION, Everything,
               [](S& s, HWND, WPARAM, LPARAM) { return onImeEndComposition(s); }},
    // The control shows composition itself: no system composition window.
    MessageRow{WM_IME_SETCONTEXT, Everything,
               [](S&, HWND h, WPARAM w, LPARAM l) {
                   return DefWindowProc(h, WM_IME_SETCONTEXT, w,
                                        static_cast<LPARAM>(static_cast<DWORD>(l) & 0x7FFFFFFFu));
               },
               WithoutState::DefaultProcedure},

    // The pointer.
    MessageRow{WM_MOUSEMOVE, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onMouseMove(s, w, l); }},
    MessageRow{WM_LBUTTONDOWN, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onLeftButtonDown(s, w, l); }},
    MessageRow{WM_LBUTTONUP, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onLeftButtonUp(s, w, l); }},
    MessageRow{WM_LBUTTONDBLCLK, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onLeftButtonDoubleClick(s, w, l); }},
    MessageRow{WM_RBUTTONDOWN, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onRightButtonDown(s, w, l); }},
    MessageRow{WM_RBUTTONUP, Everything,
               [](S& s, HWND, WPARAM, LPARAM) { return onRightButtonUp(s); }},

    // Painting and how the text looks; the settling timer.
    MessageRow{WM_PAINT, Nothing, [](S& s, HWND, WPARAM, LPARAM) { return onPaint(s); },
               WithoutState::DefaultProcedure},
    MessageRow{NEM_SETSYMBOLS, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onSetSymbols(s, w); }},
    MessageRow{NEM_SETCOLOR, Everything,
               [](S& s, HWND, WPARAM w, LPARAM l) { return onSetColor(s, w, l); }},
    MessageRow{NEM_SETIMEUNDERLINE, Everything,
               [](S& s, HWND, WPARAM w, LPARAM) { return onSetImeUnderline(s, w); }},
    MessageRow{WM_TIMER, Nothing,
               [](S& s, HWND h, WPARAM w, LPARAM l) -> LRESULT {
                   if (w != kSettleTimer) {
                       return DefWindowProc(h, WM_TIMER, w, l);
                   }
                   settleStep(s);
                   return 0;
               },
               WithoutState::DefaultProcedure},
};

constexpr auto byMessage(std::array<MessageRow, kRows.size()> rows) {
    std::sort(rows.begin(), rows.end(),
              [](const MessageRow& a, const MessageRow& b) { return a.message() < b.message(); });
    return rows;
}

constexpr auto kTable = byMessage(kRows);

constexpr bool eachMessageOnce() {
    return std::adjacent_find(kTable.begin(), kTable.end(),
                              [](const MessageRow& a, const MessageRow& b) {
                                  return a.message() == b.message();
                              }) == kTable.end();
}
static_assert(eachMessageOnce(), "a message has two rows");

} // namespace

const MessageRow* findMessage(UINT message) noexcept {
    const auto* row = std::lower_bound(
        kTable.begin(), kTable.end(), message,
        [](const MessageRow& candidate, UINT wanted) { return candidate.message() < wanted; });
    return row != kTable.end() && row->message() == message ? row : nullptr;
}

std::span<const MessageRow> messageTable() noexcept {
    return kTable;
}

} // namespace editctl
