#pragma once
// The editing primitives on an EditState: insert at the caret, delete a range, commit the
// pending edit, replace the whole text, lay everything out again. They change the text, the
// line table, the undo history, caret and modified flag, and report what moved; telling the
// window (notifications, repainting, scroll bars) is the caller's business.
//
// A primitive that throws COomEx leaves text, line table and history as they were before it.

#include "editctl/LineLayout.h"

#include <string_view>

namespace editctl {

struct EditState;

// What an insertion or deletion did to the display lines.
struct EditResult {
    bool changed = false;       // false: nothing was inserted or deleted
    bool limitReached = false;  // the text limit cut or refused the insertion
    bool breaksChanged = false; // a CR was inserted or removed
    bool settledBefore = false; // lines left unsettled by earlier edits were re-broken first
    LineLayout::Change lines;
};

// Merges the pending edit into the text, recording undo records when `record` is true.
void commitPending(EditState& state, bool record);
// Inserts `chars` at the caret (after deleting a non-empty selection), replacing following
// characters in overwrite mode up to a CR, within the text limit; caret and anchor end after
// the inserted text. No characters in place of a selection just delete it.
EditResult insertText(EditState& state, std::u16string_view chars, bool overwrite);
// Deletes [start, end) (0 <= start < end <= length; anything else does nothing) and puts caret
// and anchor at start. Consecutive deletions at one place grow one pending deletion.
EditResult deleteRange(EditState& state, int start, int end);
// Replaces the whole text and resets undo history, caret, scroll positions and the modified
// flag, then lays it out. Texts longer than the store accepts throw COomEx.
void replaceAllText(EditState& state, std::u16string_view text);
// Takes line height (line spacing + font height) and cell width from the font measures.
void readFontMeasures(EditState& state);
// Reads the font measures and lays the whole text out again (nothing without a client width).
void layoutAllText(EditState& state);
// After lines were settled (`settled`, from LineLayout): lays everything out again when the
// settled line count outgrew the line-number gutter. True when it did.
bool widenGutterAfterSettling(EditState& state, const LineLayout::Change& settled);

} // namespace editctl
