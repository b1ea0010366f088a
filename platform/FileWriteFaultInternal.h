#pragma once
// The writes and flushes of files pass here, so that tests can make them fail as a full or
// broken disk does (FileWriteFault.h).

#include <cstddef>
#include <cstdint>

namespace platform {

// Writes all `size` bytes to `fd`, retrying interrupted and short writes; false with errno set
// when the system (or an injected fault) refuses.
bool writeAllBytes(int fd, const std::uint8_t* data, std::size_t size);
// fsync(fd); false with errno set on failure.
bool flushToDisk(int fd);

} // namespace platform
