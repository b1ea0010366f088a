#pragma once
// The one exception type of the editor: a buffer of the given size could not be allocated.

#include <cstddef>
#include <exception>

class COomEx : public std::exception {
public:
    // Records the size of the request that failed.
    explicit COomEx(std::size_t requestedBytes) noexcept : requestedBytes_(requestedBytes) {}
    // The byte count that could not be allocated.
    std::size_t requestedBytes() const noexcept { return requestedBytes_; }
    // A fixed description; the byte count is in requestedBytes().
    const char* what() const noexcept override { return "out of memory"; }

private:
    std::size_t requestedBytes_;
};
