#pragma once
// The edit control's own messages, option bits, symbol bits and colour slots, for every part
// of the editor that drives an "nEdit" window.

#include "platform/Messages.h"

inline constexpr const char16_t* kNEditClassName = u"nEdit";

// Private messages (WM_APP range).
constexpr UINT NEM_GETSTATE = WM_APP + 0x01;
constexpr UINT NEM_REFORMAT = WM_APP + 0x02;
constexpr UINT NEM_ISWRAPSTYLE = WM_APP + 0x03;
constexpr UINT NEM_SETWORDWRAP = WM_APP + 0x04;
constexpr UINT NEM_GETLENGTH = WM_APP + 0x05;
constexpr UINT NEM_COPYTEXT = WM_APP + 0x06;
constexpr UINT NEM_SETTEXTBYTES = WM_APP + 0x07;
constexpr UINT NEM_SETIMEUNDERLINE = WM_APP + 0x08;
constexpr UINT NEM_SETSYMBOLS = WM_APP + 0x09;
constexpr UINT NEM_SETCOLOR = WM_APP + 0x0A;
constexpr UINT NEM_SETLINESPACING = WM_APP + 0x0B;
constexpr UINT NEM_SETOPTIONS = WM_APP + 0x0C;
constexpr UINT NEM_GETWRAPCOLUMN = WM_APP + 0x0D;
constexpr UINT NEM_SETWRAPCOLUMN = WM_APP + 0x0E;
constexpr UINT NEM_REPLACEMATCHES = WM_APP + 0x20;
constexpr UINT NEM_GETREADONLY = WM_APP + 0x64;
constexpr UINT NEM_GETBUFFER = WM_APP + 0x65;

// Option bits (NEM_SETOPTIONS).
constexpr UINT NEO_UNDERLINE = 1;
constexpr UINT NEO_NOIMEONFOCUS = 2;
constexpr UINT NEO_BACKSPACEINCHAR = 4;
constexpr UINT NEO_LINENUMBERS = 8;

// Symbol bits (NEM_SETSYMBOLS).
constexpr UINT NES_LINEBREAK = 1;
constexpr UINT NES_TAB = 2;
constexpr UINT NES_SPACE = 4;
constexpr UINT NES_WIDESPACE = 8;

// Colour slots (NEM_SETCOLOR); a colour of -1 means the system default.
constexpr int NEC_WINDOW = 0;
constexpr int NEC_WINDOWTEXT = 1;
constexpr int NEC_HIGHLIGHT = 2;
constexpr int NEC_HIGHLIGHTTEXT = 3;
constexpr int NEC_UNDERLINE = 4;
constexpr int NEC_COUNT = 5;

// NEM_REPLACEMATCHES (0, &request): replaces each match in turn, exactly as selecting it,
// bringing it into view and replacing the selection (EM_SETSEL, EM_SCROLLCARET, EM_REPLACESEL,
// then NEM_GETBUFFER) would, with the same text, undo records, selection, modified flag and
// view, but in one pass over the text. Matches are [start, end) of the text as it stands, in
// order and not overlapping. Answers the number replaced, or -1 with nothing changed when the
// list is malformed or a text limit is set (it could cut an insertion short, which the list
// cannot foresee); the caller then goes step by step. An empty list only asks: 0 or -1.
struct NEditMatch {
    int start = 0;
    int end = 0;
};
struct NEditReplaceMatches {
    const NEditMatch* matches = nullptr;
    int count = 0;
    const char16_t* text = nullptr; // what every match becomes, `length` characters
    int length = 0;
};
