#include "platform/AnonymousMemory.h"

#include <sys/mman.h>
#include <unistd.h>

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

bool shrinkAnonymousMemory(void* address, std::size_t bytes, std::size_t newBytes) {
    if (address == nullptr || newBytes == 0 || newBytes > bytes) {
        return false;
    }
    const auto page = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
    const std::size_t keep = (newBytes + page - 1) / page * page;
    const std::size_t mapped = (bytes + page - 1) / page * page;
    if (keep < mapped && munmap(static_cast<char*>(address) + keep, mapped - keep) != 0) {
        return false;
    }
    return true;
}

void* growAnonymousMemory(void* address, std::size_t bytes, std::size_t newBytes) {
    if (address == nullptr || newBytes < bytes) {
        return nullptr;
    }
    void* moved = mremap(address, bytes, newBytes, MREMAP_MAYMOVE);
    return moved == MAP_FAILED ? nullptr : moved;
}

} // namespace platform
