#pragma once
// Anonymous memory mappings: large buffers that stay out of the small-object heap and go back
// to the system as soon as they are freed.

#include <cstddef>

namespace platform {

// Maps `bytes` of zero-filled, private, read-write memory; nullptr when the system refuses.
void* mapAnonymousMemory(std::size_t bytes);
// Unmaps a region returned by mapAnonymousMemory; `bytes` is the size it was mapped with.
void unmapAnonymousMemory(void* address, std::size_t bytes);

} // namespace platform
