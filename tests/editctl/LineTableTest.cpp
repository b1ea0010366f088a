#include "editctl/LineTable.h"

#include <gtest/gtest.h>

#include <vector>

using editctl::BlockAllocator;
using editctl::LineTable;

namespace {

// A table of the given starts with `length` as the sentinel.
void fill(LineTable& table, const std::vector<std::uint32_t>& starts, std::uint32_t length) {
    table.beginRebuild();
    for (std::size_t i = 1; i < starts.size(); ++i) {
        table.appendStart(starts[i], 0, length);
    }
    table.finishRebuild(length);
}

std::vector<long long> all(const LineTable& table) {
    std::vector<long long> starts;
    for (int i = 0; i <= table.count(); ++i) {
        starts.push_back(table.start(i));
    }
    return starts;
}

TEST(LineTableTest, EmptyTextIsOneEmptyLine) {
    BlockAllocator allocator;
    LineTable table(allocator);
    EXPECT_EQ(table.count(), 1);
    EXPECT_EQ(all(table), (std::vector<long long>{0, 0}));
    EXPECT_EQ(table.lineOf(0), 0);
    EXPECT_EQ(table.start(-1), -1);
    EXPECT_TRUE(table.checkInvariants(0));
}

TEST(LineTableTest, LineOfBisectsWithTheStartBelongingToItsLine) {
    BlockAllocator allocator;
    LineTable table(allocator);
    // "abc\r" "de\r" "" : lines start at 0, 4, 7 (the last one empty), sentinel 7.
    fill(table, {0, 4, 7}, 7);
    ASSERT_TRUE(table.checkInvariants(7));
    EXPECT_EQ(table.lineOf(0), 0);
    EXPECT_EQ(table.lineOf(3), 0);
    EXPECT_EQ(table.lineOf(4), 1);
    EXPECT_EQ(table.lineOf(6), 1);
    EXPECT_EQ(table.lineOf(7), 2);
    EXPECT_EQ(table.lineOf(100), 2) << "past the end gives the last line";
    EXPECT_EQ(table.lineOf(-5), 0);
    EXPECT_EQ(table.firstLineAtOrAfter(5), 2);
    EXPECT_EQ(table.firstLineAtOrAfter(8), 3);
}

TEST(LineTableTest, PendingShiftMovesLaterStartsUntilApplied) {
    BlockAllocator allocator;
    LineTable table(allocator);
    fill(table, {0, 10, 20, 30, 40}, 45);
    // Line 1 re-broken into two lines after 3 characters were typed in it.
    const std::vector<std::uint32_t> produced{10, 16};
    table.replace(1, 1, produced, 3);
    EXPECT_EQ(table.shiftLine(), 3);
    EXPECT_EQ(table.shift(), 3);
    EXPECT_EQ(all(table), (std::vector<long long>{0, 10, 16, 23, 33, 43, 48}));
    EXPECT_EQ(table.lineOf(23), 3);
    EXPECT_EQ(table.lineOf(22), 2);
    ASSERT_TRUE(table.checkInvariants(48));

    // Typing on: the next relaid region ends at the same place, the shift accumulates.
    const std::vector<std::uint32_t> again{10, 17};
    table.replace(1, 2, again, 1);
    EXPECT_EQ(table.shiftLine(), 3);
    EXPECT_EQ(table.shift(), 4);
    EXPECT_EQ(all(table), (std::vector<long long>{0, 10, 17, 24, 34, 44, 49}));

    table.applyShift();
    EXPECT_EQ(table.shift(), 0);
    EXPECT_EQ(table.shiftLine(), 0);
    EXPECT_EQ(all(table), (std::vector<long long>{0, 10, 17, 24, 34, 44, 49}));
    EXPECT_TRUE(table.checkInvariants(49));
}

TEST(LineTableTest, EditsBeforeOrAfterTheShiftedRegionKeepTrueStarts) {
    BlockAllocator allocator;
    LineTable table(allocator);
    fill(table, {0, 10, 20, 30, 40, 50}, 60);
    table.replace(4, 1, std::vector<std::uint32_t>{40}, 5); // shift 5 from line 5
    // An edit further up, in front of the shifted region, with a different delta.
    table.replace(1, 1, std::vector<std::uint32_t>{10}, -2);
    EXPECT_EQ(all(table), (std::vector<long long>{0, 10, 18, 28, 38, 53, 63}));
    ASSERT_TRUE(table.checkInvariants(63));
    // An edit behind it settles the earlier part of the shift for real.
    table.replace(4, 1, std::vector<std::uint32_t>{38, 45}, 1);
    EXPECT_EQ(all(table), (std::vector<long long>{0, 10, 18, 28, 38, 45, 54, 64}));
    EXPECT_TRUE(table.checkInvariants(64));
}

TEST(LineTableTest, GrowsAndShrinksWithSlack) {
    BlockAllocator allocator;
    LineTable table(allocator);
    std::vector<std::uint32_t> many;
    for (std::uint32_t i = 1; i <= 600; ++i) {
        many.push_back(i * 2);
    }
    table.replace(1, 0, many, 1200);
    EXPECT_EQ(table.count(), 601);
    EXPECT_GE(table.capacity(), 602);
    ASSERT_TRUE(table.checkInvariants(1200));
    table.replace(1, 600, {}, -1198);
    EXPECT_EQ(table.count(), 1);
    EXPECT_EQ(table.capacity(), 1 + 257);
    EXPECT_TRUE(table.checkInvariants(2));
}

} // namespace
