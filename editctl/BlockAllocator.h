#pragma once
// The allocator behind every buffer of one edit control. Requests above 256 KiB are served
// from one of 16 anonymous memory mappings, so a large document never fragments the heap;
// the rest come from the heap. Failure is always reported by throwing COomEx, before anything
// the caller owns has changed.

#include <array>
#include <cstddef>
#include <optional>

namespace editctl {

class BlockAllocator {
public:
    static constexpr std::size_t kMappedThreshold = 262144;
    static constexpr int kSlotCount = 16;

    BlockAllocator() = default;
    ~BlockAllocator();
    BlockAllocator(const BlockAllocator&) = delete;
    BlockAllocator& operator=(const BlockAllocator&) = delete;

    // Returns `bytes` of storage (zero-filled when asked); throws COomEx when none is left.
    void* allocate(std::size_t bytes, bool zeroed = false);
    // Returns a block obtained from allocate() with the same byte count; null does nothing.
    void deallocate(void* block, std::size_t bytes) noexcept;

    // Shrinks a mapped block to `newBytes` where it lies, giving its tail pages back, so a large
    // array never has to be copied just to become smaller. False (nothing changed) for heap
    // blocks and for sizes that would not shrink.
    bool shrinkInPlace(void* block, std::size_t bytes, std::size_t newBytes) noexcept;
    // Enlarges a mapped block to `newBytes` without copying its contents (it may move; the new
    // address is returned). nullptr, nothing changed, for heap blocks and refused requests.
    void* growMapped(void* block, std::size_t bytes, std::size_t newBytes) noexcept;
    // Whether the block lives in one of the mapped slots.
    bool isMapped(const void* block) const noexcept;
    // Number of mapped slots currently holding a block.
    int mappedSlotsInUse() const noexcept;
    // Bytes currently handed out, mapped and heap together.
    std::size_t liveBytes() const noexcept { return liveBytes_; }

    // Makes every later request above `bytes` fail as if memory were exhausted (nullopt: none).
    // Lets tests drive the out-of-memory paths deterministically.
    void setFailureThreshold(std::optional<std::size_t> bytes) noexcept { failAbove_ = bytes; }

private:
    struct Slot {
        void* view = nullptr;
        std::size_t bytes = 0;
    };
    std::array<Slot, kSlotCount> slots_{};
    std::size_t liveBytes_ = 0;
    std::optional<std::size_t> failAbove_;
};

} // namespace editctl
