#pragma once
// The toolkit shape behind a cursor handle.

#include "platform/Cursor.h"

#include <Qt>

namespace platform {

// The shape of a cursor from LoadCursor; the arrow for null.
Qt::CursorShape cursorShape(HCURSOR cursor);

} // namespace platform
