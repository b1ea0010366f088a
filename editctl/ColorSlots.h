#pragma once
// The control's five colours. A slot holding -1 follows the system colour of its kind, so a
// change of the system palette shows at the next paint.

#include "platform/WinTypes.h"

namespace editctl {

struct EditState;

// The colour a slot paints with: the stored one, or the system default for -1. Slots outside
// 0..4 give the window-text colour.
COLORREF resolvedColor(const EditState& state, int slot);
// Stores `color` (-1 = system default) in a slot; false, storing nothing, for a slot outside
// 0..4.
bool storeColor(EditState& state, int slot, COLORREF color);

} // namespace editctl
