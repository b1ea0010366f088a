#include "editctl/BlockAllocator.h"
#include "editctl/Block.h"
#include "editctl/COomEx.h"

#include <gtest/gtest.h>

#include <vector>

using editctl::Block;
using editctl::BlockAllocator;

namespace {

constexpr std::size_t k300KiB = 300 * 1024;

TEST(BlockAllocatorTest, LargeBlocksUseMappedSlotsUntilAllSixteenAreTaken) {
    BlockAllocator allocator;
    std::vector<void*> blocks;
    for (int i = 0; i < BlockAllocator::kSlotCount; ++i) {
        void* block = allocator.allocate(k300KiB);
        EXPECT_TRUE(allocator.isMapped(block));
        static_cast<char*>(block)[k300KiB - 1] = 1; // the whole block is writable
        blocks.push_back(block);
    }
    EXPECT_EQ(allocator.mappedSlotsInUse(), 16);
    void* seventeenth = allocator.allocate(k300KiB);
    EXPECT_FALSE(allocator.isMapped(seventeenth)) << "falls back to the heap";
    EXPECT_EQ(allocator.liveBytes(), 17 * k300KiB);

    allocator.deallocate(blocks[3], k300KiB);
    EXPECT_EQ(allocator.mappedSlotsInUse(), 15);
    void* again = allocator.allocate(k300KiB);
    EXPECT_TRUE(allocator.isMapped(again)) << "a freed slot serves the next large request";
    allocator.deallocate(seventeenth, k300KiB);
    allocator.deallocate(again, k300KiB);
    blocks.erase(blocks.begin() + 3);
    for (void* block : blocks) {
        allocator.deallocate(block, k300KiB);
    }
    EXPECT_EQ(allocator.mappedSlotsInUse(), 0);
    EXPECT_EQ(allocator.liveBytes(), 0u);
}

TEST(BlockAllocatorTest, ThresholdIsExclusiveAndSmallBlocksStayOnTheHeap) {
    BlockAllocator allocator;
    Block<char> atThreshold(allocator, BlockAllocator::kMappedThreshold);
    Block<char> above(allocator, BlockAllocator::kMappedThreshold + 1);
    EXPECT_FALSE(allocator.isMapped(atThreshold.data()));
    EXPECT_TRUE(allocator.isMapped(above.data()));
    Block<char16_t> zeroed(allocator, 100, true);
    for (std::size_t i = 0; i < zeroed.capacity(); ++i) {
        ASSERT_EQ(zeroed[i], 0);
    }
    above.reset();
    EXPECT_EQ(allocator.mappedSlotsInUse(), 0);
    allocator.deallocate(nullptr, 10); // freeing nothing is harmless
}

TEST(BlockAllocatorTest, MappedBlocksShrinkWhereTheyLieAndHeapBlocksDoNot) {
    BlockAllocator allocator;
    Block<char> mapped(allocator, 4 * k300KiB);
    char* before = mapped.data();
    mapped[k300KiB - 1] = 7;
    ASSERT_TRUE(mapped.shrinkInPlace(k300KiB));
    EXPECT_EQ(mapped.data(), before) << "nothing moves";
    EXPECT_EQ(mapped.capacity(), k300KiB);
    EXPECT_EQ(mapped[k300KiB - 1], 7) << "what stays keeps its contents";
    EXPECT_EQ(allocator.liveBytes(), k300KiB);
    EXPECT_FALSE(mapped.shrinkInPlace(k300KiB)) << "the same size is no shrink";

    Block<char> heap(allocator, 1000);
    EXPECT_FALSE(heap.shrinkInPlace(10));
    EXPECT_EQ(heap.capacity(), 1000u);
    mapped.reset();
    heap.reset();
    EXPECT_EQ(allocator.liveBytes(), 0u) << "the shrunk size is what goes back";
}

TEST(BlockAllocatorTest, FailuresThrowWithTheRequestedSize) {
    BlockAllocator allocator;
    allocator.setFailureThreshold(1000);
    Block<char> fits(allocator, 1000);
    try {
        Block<char16_t> tooBig(allocator, 501);
        FAIL() << "expected COomEx";
    } catch (const COomEx& e) {
        EXPECT_EQ(e.requestedBytes(), 1002u);
    }
    EXPECT_EQ(allocator.liveBytes(), 1000u);
    // A count whose byte size overflows is refused too, not wrapped round.
    EXPECT_THROW(Block<std::uint32_t>(allocator, std::size_t{1} << 62), COomEx);
}

} // namespace
