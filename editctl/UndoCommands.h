#pragma once
// Undo and redo as the user and the messages see them: one record at a time, with the caret
// at the edit, the modified flag recomputed from the saved point, and everything repainted.

#include "platform/Window.h"

namespace editctl {

struct EditState;

// EM_UNDO / WM_UNDO: commits, then takes back the last record. Refused when read-only.
LRESULT undoOne(EditState& state);
// EM_REDO: commits, then does the next record again. Refused when read-only.
LRESULT redoOne(EditState& state);
// EM_CANUNDO: 1 when a record or a pending edit can be undone.
LRESULT canUndo(const EditState& state);
// EM_CANREDO: 1 when a record can be redone.
LRESULT canRedo(const EditState& state);
// EM_EMPTYUNDOBUFFER: drops every record.
LRESULT emptyUndoBuffer(EditState& state);

} // namespace editctl
