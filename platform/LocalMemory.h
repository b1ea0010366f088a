#pragma once
// Platform-only access to local-heap blocks.

#include "platform/Clipboard.h"

#include <cstddef>

namespace platform {

// The size a block was allocated with; 0 for null.
std::size_t localSize(HLOCAL block);

} // namespace platform
