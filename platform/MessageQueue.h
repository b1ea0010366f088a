#pragma once
// The posted-message queue: messages travel through the toolkit's event queue to one
// dispatcher object, so they keep their order with each other and run after the current
// handler returns. Paint requests travel the same way at a lower priority.

#include "platform/WindowInternal.h"

#include <functional>

namespace platform {

// Queues a call to run after the current message, in posting order.
void postCall(std::function<void()> call);
// Queues a paint request for hwnd; it runs after the posted messages.
void postPaintRequest(HWND hwnd);
// How many queued calls and paint requests have not run yet.
int pendingPosted();

} // namespace platform
