#pragma once
// The input method: input contexts, the composition string being typed with its attributes,
// clauses and cursor, the result string, the open status and where the input method's
// candidate and composition windows go.
//
// Every window starts attached to the program's one default context. While a window with an
// attached, open context has the keyboard focus, the desktop's input method composes for it
// and the window receives WM_IME_STARTCOMPOSITION, WM_IME_COMPOSITION (lParam: the GCS_ flags
// of what changed) and WM_IME_ENDCOMPOSITION; the default window procedure turns a result
// string into one WM_IME_CHAR per UTF-16 unit, and WM_IME_CHAR into WM_CHAR. Focus changes
// send WM_IME_SETCONTEXT (wParam TRUE to the window gaining the focus, FALSE to the one losing
// it; lParam the ISC_ flags of the input method's own windows the window wants shown).

#include "platform/WinTypes.h"

struct PlatformInputContext;
using HIMC = PlatformInputContext*;

// What ImmGetCompositionStringW reads, and the flags of WM_IME_COMPOSITION.
constexpr DWORD GCS_COMPSTR = 0x0008;
constexpr DWORD GCS_COMPATTR = 0x0010;
constexpr DWORD GCS_COMPCLAUSE = 0x0020;
constexpr DWORD GCS_CURSORPOS = 0x0080;
constexpr DWORD GCS_RESULTSTR = 0x0800;
constexpr DWORD GCS_RESULTCLAUSE = 0x1000;

// Attribute bytes of the composed characters.
constexpr BYTE ATTR_INPUT = 0x00;
constexpr BYTE ATTR_TARGET_CONVERTED = 0x01;
constexpr BYTE ATTR_CONVERTED = 0x02;

// Errors of ImmGetCompositionStringW.
constexpr LONG IMM_ERROR_NODATA = -1;
constexpr LONG IMM_ERROR_GENERAL = -2;

// Styles of the composition and candidate forms.
constexpr DWORD CFS_DEFAULT = 0x0000;
constexpr DWORD CFS_RECT = 0x0001;
constexpr DWORD CFS_POINT = 0x0002;
constexpr DWORD CFS_FORCE_POSITION = 0x0020;
constexpr DWORD CFS_CANDIDATEPOS = 0x0040;
constexpr DWORD CFS_EXCLUDE = 0x0080;

// WM_IME_SETCONTEXT's lParam: the input method's windows the window wants shown.
constexpr LPARAM ISC_SHOWUICANDIDATEWINDOW = 0x00000001;
constexpr LPARAM ISC_SHOWUIALLCANDIDATEWINDOW = 0x0000000F;
constexpr LPARAM ISC_SHOWUIGUIDELINE = 0x40000000;
constexpr LPARAM ISC_SHOWUICOMPOSITIONWINDOW = static_cast<LPARAM>(0x80000000u);
constexpr LPARAM ISC_SHOWUIALL = static_cast<LPARAM>(0xC000000Fu);

// Where the composition window goes (client coordinates of the focus window).
struct COMPOSITIONFORM {
    DWORD dwStyle = CFS_DEFAULT;
    POINT ptCurrentPos;
    RECT rcArea;
};

// Where candidate list dwIndex (0-3) goes: CFS_CANDIDATEPOS puts its top-left at ptCurrentPos;
// CFS_EXCLUDE puts it near ptCurrentPos without covering rcArea.
struct CANDIDATEFORM {
    DWORD dwIndex = 0;
    DWORD dwStyle = CFS_DEFAULT;
    POINT ptCurrentPos;
    RECT rcArea;
};

// The context attached to hwnd, or null when it has none; give it back with ImmReleaseContext.
HIMC ImmGetContext(HWND hwnd);
// Ends a use of ImmGetContext's context; FALSE for a null context.
BOOL ImmReleaseContext(HWND hwnd, HIMC context);
// Attaches context to hwnd (null: detaches, so the input method leaves hwnd alone) and returns
// the context attached before. A composition in progress in hwnd is cancelled when its context
// goes.
HIMC ImmAssociateContext(HWND hwnd, HIMC context);

// Reads part `index` (GCS_COMPSTR, GCS_COMPATTR, GCS_COMPCLAUSE, GCS_RESULTSTR,
// GCS_RESULTCLAUSE) into buffer, at most `bufferBytes` bytes; returns the bytes copied, or with
// bufferBytes 0 the bytes needed. Strings are UTF-16 without terminator, attributes one byte
// per unit, clauses DWORD unit offsets from 0 to the length. GCS_CURSORPOS returns the
// cursor's unit offset and copies nothing. IMM_ERROR_GENERAL for a null context or another index.
LONG ImmGetCompositionStringW(HIMC context, DWORD index, void* buffer, DWORD bufferBytes);

// Opens (the input method composes) or closes (keys reach the window as typed) the context.
// Closing completes a composition in progress. FALSE for a null context.
BOOL ImmSetOpenStatus(HIMC context, BOOL open);
// Whether the context is open; FALSE for a null context.
BOOL ImmGetOpenStatus(HIMC context);

// Places the composition window for the focus window; FALSE for a null context or form.
BOOL ImmSetCompositionWindow(HIMC context, const COMPOSITIONFORM* form);
BOOL ImmGetCompositionWindow(HIMC context, COMPOSITIONFORM* form);
// Places candidate list form->dwIndex for the focus window; the input method's candidate
// window follows it. FALSE for a null context or form, or an index above 3.
BOOL ImmSetCandidateWindow(HIMC context, const CANDIDATEFORM* form);
BOOL ImmGetCandidateWindow(HIMC context, DWORD index, CANDIDATEFORM* form);
