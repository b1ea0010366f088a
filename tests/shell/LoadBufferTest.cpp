#include "shell/LoadBuffer.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <string>

using shell::LoadBuffer;

// Appends of any size keep every unit in order; the room grows in whole steps and never
// holds more than a step beyond what a growth needed.
TEST(LoadBuffer, KeepsEveryAppendedUnitWhileGrowingInWholeSteps) {
    std::mt19937 random(15);
    for (int round = 0; round < 50; ++round) {
        const std::size_t step = std::uniform_int_distribution<std::size_t>(1, 9)(random);
        LoadBuffer buffer(step);
        std::u16string expected;
        for (int append = 0; append < 30; ++append) {
            std::u16string units(std::uniform_int_distribution<std::size_t>(0, 25)(random), u'\0');
            for (char16_t& unit : units)
                unit = static_cast<char16_t>(random());
            const std::size_t before = buffer.capacity();
            ASSERT_TRUE(buffer.append(units));
            expected += units;
            ASSERT_EQ(buffer.text(), expected);
            EXPECT_EQ(buffer.capacity() % step, 0u);
            if (buffer.capacity() != before)
                EXPECT_LE(buffer.capacity() - expected.size(), step);
        }
        EXPECT_FALSE(buffer.failed());
    }
}

TEST(LoadBuffer, RoomThatCannotBeHadRaisesTheErrorFlag) {
    // No system maps this much.
    LoadBuffer huge(std::numeric_limits<std::size_t>::max() / 4);
    EXPECT_TRUE(huge.failed());
    EXPECT_FALSE(huge.append(u"x"));
    EXPECT_EQ(huge.text(), u"");
}
