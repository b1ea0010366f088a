#pragma once
// NEM_REPLACEMATCHES: many replace-selection steps in one pass. Each step runs the same
// editing primitives, undo recording and view rules as the messages it stands for; what is
// left out is making the text contiguous after each step (the text store's gap then travels
// the text once instead of once per match) and telling the window: it is repainted and
// notified once, at the end.

#include "editctl/NEditMessages.h"
#include "platform/Window.h"

namespace editctl {

struct EditState;

// Replaces the requested matches; the answer of the message (see NEditMessages.h).
LRESULT onReplaceMatches(EditState& state, const NEditReplaceMatches* request);

} // namespace editctl
