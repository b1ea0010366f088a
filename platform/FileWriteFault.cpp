#include "platform/FileWriteFault.h"
#include "platform/FileWriteFaultInternal.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <unistd.h>

namespace {

struct Faults {
    std::optional<std::uint64_t> writesLeft; // bytes still written before writes fail
    int writeCode = 0;
    int flushCode = 0;
};

Faults& faults() {
    static Faults f;
    return f;
}

} // namespace

namespace platform {

bool writeAllBytes(int fd, const std::uint8_t* data, std::size_t size) {
    Faults& f = faults();
    while (size > 0) {
        std::size_t allowed = size;
        if (f.writesLeft) {
            if (*f.writesLeft == 0) {
                errno = f.writeCode;
                return false;
            }
            allowed = static_cast<std::size_t>(std::min<std::uint64_t>(allowed, *f.writesLeft));
        }
        const ssize_t n = ::write(fd, data, allowed);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (f.writesLeft)
            *f.writesLeft -= static_cast<std::uint64_t>(n);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

bool flushToDisk(int fd) {
    if (faults().flushCode != 0) {
        errno = faults().flushCode;
        return false;
    }
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result == 0;
}

} // namespace platform

namespace platform::test {

void failFileWritesAfter(std::uint64_t bytes, int code) {
    faults().writesLeft = bytes;
    faults().writeCode = code;
}

void failFileFlushes(int code) {
    faults().flushCode = code;
}

void clearFileFaults() {
    faults() = Faults{};
}

} // namespace platform::test
