#include "editctl/LineTable.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <random>
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

// Edits scattered over a growing and shrinking table move the gap back and forth, grow and
// trim it; every start must read as in a plain array updated the slow way.
void replaceAtRandom(int initialLines, int steps, unsigned seed) {
    BlockAllocator allocator;
    LineTable table(allocator);
    std::vector<long long> model{0};
    std::vector<std::uint32_t> initial;
    for (int i = 1; i <= initialLines; ++i) {
        initial.push_back(static_cast<std::uint32_t>(2 * i));
        model.push_back(2 * i);
    }
    model.push_back(2 * initialLines);
    table.replace(1, 0, initial, 2 * initialLines);
    std::mt19937 random(seed);
    auto pick = [&random](int n) { return std::uniform_int_distribution<int>(0, n)(random); };
    for (int step = 0; step < steps; ++step) {
        const int count = static_cast<int>(model.size()) - 1;
        const int first = 1 + pick(count - 1);
        const int oldCount = pick(std::min(count - first, step % 50 == 0 ? count / 3 : 6));
        const long long low = model[static_cast<std::size_t>(first - 1)];
        const long long high = model[static_cast<std::size_t>(first + oldCount)];
        // New starts after `low`, and an edit moving everything behind by `delta`.
        const int added = pick(step % 70 == 0 ? count / 2 + 1200 : 6);
        std::vector<std::uint32_t> starts;
        long long at = low;
        for (int i = 0; i < added; ++i) {
            at += 1 + pick(3);
            starts.push_back(static_cast<std::uint32_t>(at));
        }
        const long long delta = std::max<long long>(at + 1 - high, pick(40) - 20);
        table.replace(first, oldCount, starts, static_cast<int>(delta));
        std::vector<long long> next(model.begin(), model.begin() + first);
        next.insert(next.end(), starts.begin(), starts.end());
        for (std::size_t i = static_cast<std::size_t>(first + oldCount); i < model.size(); ++i) {
            next.push_back(model[i] + delta);
        }
        model = std::move(next);
        ASSERT_TRUE(table.checkInvariants(static_cast<int>(model.back()))) << "step " << step;
        ASSERT_EQ(all(table), model) << "step " << step;
        // Lookups near the gap and far from it find what a plain search of the array finds.
        const std::vector<long long> truth(model.begin(), model.end() - 1);
        for (int probe = 0; probe < 8; ++probe) {
            const int last = static_cast<int>(truth.size()) - 1;
            const long long index = probe < 4
                                        ? model[static_cast<std::size_t>(pick(last))] + pick(2) - 1
                                        : pick(static_cast<int>(model.back()) + 2) - 1;
            const auto upper = std::upper_bound(truth.begin(), truth.end(), index);
            ASSERT_EQ(table.lineOf(index), std::max<long long>(upper - truth.begin() - 1, 0))
                << "step " << step << " index " << index;
            const auto lower = std::lower_bound(truth.begin(), truth.end(), index);
            ASSERT_EQ(table.firstLineAtOrAfter(index), lower - truth.begin())
                << "step " << step << " index " << index;
        }
        const auto lines = static_cast<int>(model.size());
        ASSERT_LE(table.capacity(), lines + 2 * std::max(256, lines / 16) + 1) << "step " << step;
    }
}

TEST(LineTableTest, RandomReplacementsMatchAPlainArray) {
    replaceAtRandom(0, 2000, 12);
    // Above 65536 entries the table lives in a mapped block and shrinks where it lies.
    replaceAtRandom(70000, 120, 13);
}

} // namespace
