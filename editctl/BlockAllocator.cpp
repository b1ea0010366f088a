#include "editctl/BlockAllocator.h"

#include "editctl/COomEx.h"
#include "platform/AnonymousMemory.h"

#include <cstdlib>
#include <cstring>

namespace editctl {

BlockAllocator::~BlockAllocator() {
    for (Slot& slot : slots_) {
        platform::unmapAnonymousMemory(slot.view, slot.bytes);
    }
}

void* BlockAllocator::allocate(std::size_t bytes, bool zeroed) {
    if (failAbove_ && bytes > *failAbove_) {
        throw COomEx(bytes);
    }
    if (bytes > kMappedThreshold) {
        for (Slot& slot : slots_) {
            if (slot.view != nullptr) {
                continue;
            }
            // A slot whose mapping the system refuses is skipped; the heap is the last resort.
            void* view = platform::mapAnonymousMemory(bytes);
            if (view == nullptr) {
                continue;
            }
            slot.view = view;
            slot.bytes = bytes;
            liveBytes_ += bytes;
            return view; // fresh mappings are already zero-filled
        }
    }
    void* block =
        zeroed ? std::calloc(bytes == 0 ? 1 : bytes, 1) : std::malloc(bytes == 0 ? 1 : bytes);
    if (block == nullptr) {
        throw COomEx(bytes);
    }
    liveBytes_ += bytes;
    return block;
}

void BlockAllocator::deallocate(void* block, std::size_t bytes) noexcept {
    if (block == nullptr) {
        return;
    }
    liveBytes_ -= bytes;
    for (Slot& slot : slots_) {
        if (slot.view == block) {
            platform::unmapAnonymousMemory(slot.view, slot.bytes);
            slot = Slot{};
            return;
        }
    }
    std::free(block);
}

bool BlockAllocator::shrinkInPlace(void* block, std::size_t bytes, std::size_t newBytes) noexcept {
    if (block == nullptr || newBytes == 0 || newBytes >= bytes) {
        return false;
    }
    for (Slot& slot : slots_) {
        if (slot.view == block) {
            if (!platform::shrinkAnonymousMemory(slot.view, slot.bytes, newBytes)) {
                return false;
            }
            slot.bytes = newBytes;
            liveBytes_ -= bytes - newBytes;
            return true;
        }
    }
    return false;
}

void* BlockAllocator::growMapped(void* block, std::size_t bytes, std::size_t newBytes) noexcept {
    if (block == nullptr || newBytes < bytes || (failAbove_ && newBytes > *failAbove_)) {
        return nullptr;
    }
    for (Slot& slot : slots_) {
        if (slot.view == block) {
            void* moved = platform::growAnonymousMemory(slot.view, slot.bytes, newBytes);
            if (moved == nullptr) {
                return nullptr;
            }
            slot.view = moved;
            slot.bytes = newBytes;
            liveBytes_ += newBytes - bytes;
            return moved;
        }
    }
    return nullptr;
}

bool BlockAllocator::isMapped(const void* block) const noexcept {
    if (block == nullptr) {
        return false;
    }
    for (const Slot& slot : slots_) {
        if (slot.view == block) {
            return true;
        }
    }
    return false;
}

int BlockAllocator::mappedSlotsInUse() const noexcept {
    int used = 0;
    for (const Slot& slot : slots_) {
        used += slot.view != nullptr ? 1 : 0;
    }
    return used;
}

} // namespace editctl
