#pragma once
// The wait cursor over the program while a long operation runs; the cursor shown before comes
// back when the guard goes.

#include "platform/Cursor.h"

namespace shell {

class WaitCursor {
public:
    WaitCursor() : previous_(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR previous_;
};

} // namespace shell
