#pragma once
// Find, Find Up, Replace and Replace All on an "nEdit" window, through its messages only: the
// text is read in place (NEM_GETBUFFER, with WM_GETTEXTLENGTH for its end, so a U+0000 in the
// text is searched like any character) and changed through the selection, so every change is
// an ordinary, undoable edit. Searching never wraps around at either end of the text, and
// finding nothing changes nothing and shows nothing.

#include "platform/Window.h"

#include <functional>
#include <string_view>

namespace search {

// How a command matches: the editor's regular-expression and ignore-case flags.
struct SearchFlags {
    bool useRegex = false;
    bool ignoreCase = false;
};

// A millisecond tick count; Replace All asks whether to go on once 30 s have passed.
using TickSource = std::function<DWORD()>;

// Selects the next match after the selection (forward) or the nearest one before it. With
// `include`, a match at the selection itself counts unless it is exactly the selection, so the
// first search after opening a bar may return the selected text's neighbour or the text itself.
// Scrolls the match into view; false, with nothing changed, when there is none.
bool FindNext(HWND edit, SearchFlags flags, std::u16string_view pattern, bool forward,
              bool include);

// Selects the match found from the selection's start; when it is exactly the selection,
// replaces it (literally, up to a U+0000) and selects the following match. False when there is
// no match.
bool ReplaceOne(HWND edit, SearchFlags flags, std::u16string_view pattern,
                std::u16string_view replacement, bool forward);

// Replaces every match from the start of the text on, each search resuming right after the
// inserted text; after an empty match it resumes one character further on (a surrogate pair
// being one character), so every place gets at most one empty match and the loop ends. After
// 30 s it asks once whether to go on ("Need time to process.\nContinue?"); when anything was
// replaced it reports "%d total mades.". Uses NEM_REPLACEMATCHES, and goes step by step when
// the control cannot take a list. Returns the number of replacements.
int ReplaceAll(HWND edit, SearchFlags flags, std::u16string_view pattern,
               std::u16string_view replacement, const TickSource& ticks = GetTickCount);

// Replace All made of single replace-selection steps (select, scroll, replace, read the text
// again), with the same results as ReplaceAll.
int ReplaceAllStepwise(HWND edit, SearchFlags flags, std::u16string_view pattern,
                       std::u16string_view replacement, const TickSource& ticks = GetTickCount);

} // namespace search
