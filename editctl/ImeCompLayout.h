#pragma once
// Laying the composition out cell by cell from its start position, wrapping at the editor's
// right edge, and drawing it: one routine, so that the window region, the cursor line and the
// painted cells always agree.

#include "editctl/ImeCompState.h"

#include <string_view>

namespace editctl {

// Where the layout goes: the context that measures (and draws, when `draw` is set), the
// editor's client area, and a region that every cell is added to (may be null).
struct CompositionSurface {
    HDC dc = nullptr;
    RECT client;
    HRGN region = nullptr;
    bool draw = false;
};

struct CompositionRun {
    POINT end;             // where the next character would go
    int totalWidth = 0;    // of all characters laid out
    int lastRowHeight = 0; // character height plus the line spacing
    bool overflow = false; // a wrapped row ended below the client area
};

// Lays `chars` out from `at` as one piece with one attribute; the first character of a piece
// that `marksTarget` moves the target position to its cell's bottom-left.
CompositionRun layoutPiece(ImeCompState& state, const CompositionSurface& surface, POINT at,
                           std::u16string_view chars, BYTE attribute, bool marksTarget);
// Lays the whole kept composition out from the start position, clause by clause with the
// attribute of each clause's first character. The target position follows the clause being
// converted, or the composition's start when no clause is.
CompositionRun layoutComposition(ImeCompState& state, const CompositionSurface& surface);

} // namespace editctl
