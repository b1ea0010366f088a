#pragma once
// NEM_REPLACEMATCHES: many replace-selection steps in one pass. Each step runs the same
// selection, layout, modified-flag, undo and view rules as the messages it stands for; only
// merging each edit into the text is left out, so a long list costs one pass over the text
// instead of one per match. The window learns the outcome once, at the end.

#include "editctl/NEditMessages.h"
#include "platform/Window.h"

namespace editctl {

struct EditState;

// Replaces the requested matches; the answer of the message (see NEditMessages.h).
LRESULT onReplaceMatches(EditState& state, const NEditReplaceMatches* request);

} // namespace editctl
