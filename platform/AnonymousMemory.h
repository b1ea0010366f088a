#pragma once
// Anonymous memory mappings: large buffers that stay out of the small-object heap and go back
// to the system as soon as they are freed.

#include <cstddef>

namespace platform {

// Maps `bytes` of zero-filled, private, read-write memory; nullptr when the system refuses.
void* mapAnonymousMemory(std::size_t bytes);
// Unmaps a region returned by mapAnonymousMemory; `bytes` is the size it was mapped with.
void unmapAnonymousMemory(void* address, std::size_t bytes);
// Gives the pages past `newBytes` of a mapped region back to the system, without moving or
// copying what stays; the region then spans `newBytes`. False when nothing could be released.
bool shrinkAnonymousMemory(void* address, std::size_t bytes, std::size_t newBytes);
// Enlarges a mapped region to `newBytes`, keeping its contents without copying them (the
// pages may be moved to another address, which is returned); the part added is zero-filled.
// nullptr, with the region unchanged, when the system refuses.
void* growAnonymousMemory(void* address, std::size_t bytes, std::size_t newBytes);

} // namespace platform
