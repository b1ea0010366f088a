#include "platform/AnonymousMemory.h"

#include <sys/mman.h>

namespace platform {

void* mapAnonymousMemory(std::size_t bytes) {
    if (bytes == 0) {
        return nullptr;
    }
    void* address =
        mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    return address == MAP_FAILED ? nullptr : address;
}

void unmapAnonymousMemory(void* address, std::size_t bytes) {
    if (address != nullptr) {
        munmap(address, bytes);
    }
}

} // namespace platform
