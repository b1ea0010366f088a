#include "platform/LocalMemory.h"

#include "platform/Clipboard.h"
#include "platform/TestHooks.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace {

// Each block starts with its size, so the clipboard can read a block without trusting a
// terminator to be there.
struct alignas(std::max_align_t) BlockHeader {
    std::size_t bytes;
};

std::size_t failAbove = SIZE_MAX;

BlockHeader* headerOf(HLOCAL block) {
    return reinterpret_cast<BlockHeader*>(static_cast<char*>(block) - sizeof(BlockHeader));
}

} // namespace

namespace platform {

std::size_t localSize(HLOCAL block) {
    return block != nullptr ? headerOf(block)->bytes : 0;
}

namespace test {

void failLocalAllocAbove(std::size_t bytes) {
    failAbove = bytes;
}

} // namespace test

} // namespace platform

HLOCAL LocalAlloc(UINT flags, std::size_t bytes) {
    if (bytes > static_cast<std::size_t>(PTRDIFF_MAX) - sizeof(BlockHeader) || bytes > failAbove)
        return nullptr;
    void* raw = (flags & LMEM_ZEROINIT) ? std::calloc(1, sizeof(BlockHeader) + bytes)
                                        : std::malloc(sizeof(BlockHeader) + bytes);
    if (raw == nullptr)
        return nullptr;
    auto* header = new (raw) BlockHeader{bytes};
    return reinterpret_cast<char*>(header) + sizeof(BlockHeader);
}

HLOCAL LocalFree(HLOCAL block) {
    if (block != nullptr)
        std::free(headerOf(block));
    return nullptr;
}
