#pragma once
// Pointer shapes: the standard cursors (IDC_ARROW, IDC_IBEAM, IDC_WAIT, ...).

#include "platform/WinTypes.h"

// A standard cursor by IDC_ id (the instance must be null); null for an unknown id.
HCURSOR LoadCursor(HINSTANCE instance, int cursorId);
// Shows cursor over all windows of the program (null: each window's class cursor again);
// returns the cursor set before.
HCURSOR SetCursor(HCURSOR cursor);
// The cursor set by SetCursor, or null.
HCURSOR GetCursor();
