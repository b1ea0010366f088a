#include "shell/ScrollArithmetic.h"

#include "platform/Messages.h"

#include <gtest/gtest.h>

#include <random>

using shell::EnsureVisiblePosition;
using shell::ScrollAmount;
using shell::ScrollRange;

TEST(ScrollArithmetic, LineAndPageStepsStopAtBothEndsAndTheThumbGoesWhereItIsPut) {
    EXPECT_EQ(ScrollRange(300, 400), 0);
    EXPECT_EQ(ScrollRange(400, 400), 0);
    EXPECT_EQ(ScrollRange(700, 400), 300);

    // Range 300 in a 400-pixel view: a line is 30, a page 384.
    EXPECT_EQ(ScrollAmount(SB_LINEDOWN, 0, 0, 300, 400), 30);
    EXPECT_EQ(ScrollAmount(SB_LINEDOWN, 0, 290, 300, 400), 10);
    EXPECT_EQ(ScrollAmount(SB_LINEDOWN, 0, 300, 300, 400), std::nullopt);
    EXPECT_EQ(ScrollAmount(SB_LINEUP, 0, 0, 300, 400), std::nullopt);
    EXPECT_EQ(ScrollAmount(SB_LINEUP, 0, 20, 300, 400), -20);
    EXPECT_EQ(ScrollAmount(SB_PAGEDOWN, 0, 100, 300, 400), 200);
    EXPECT_EQ(ScrollAmount(SB_PAGEUP, 0, 100, 300, 400), -100);
    EXPECT_EQ(ScrollAmount(SB_THUMBPOSITION, 120, 100, 300, 400), 20);
    EXPECT_EQ(ScrollAmount(SB_THUMBTRACK, 0, 100, 300, 400), -100);
    EXPECT_EQ(ScrollAmount(SB_ENDSCROLL, 0, 100, 300, 400), std::nullopt);
    // Nothing to scroll: every line and page request does nothing.
    for (const int request : {SB_LINEUP, SB_LINEDOWN, SB_PAGEUP, SB_PAGEDOWN})
        EXPECT_EQ(ScrollAmount(request, 0, 0, 0, 400), std::nullopt);

    std::mt19937 random(15);
    for (int round = 0; round < 2000; ++round) {
        const int range = static_cast<int>(random() % 500);
        const int view = 17 + static_cast<int>(random() % 500);
        const int position = range == 0 ? 0 : static_cast<int>(random() % (range + 1));
        const int request = static_cast<int>(random() % 4);
        if (const auto d = ScrollAmount(request, 0, position, range, view)) {
            EXPECT_GE(position + *d, 0);
            EXPECT_LE(position + *d, range);
        }
    }
}

TEST(ScrollArithmetic, AControlOutOfViewComesInWithThirtyPixelsToSpareWithinTheMaximum) {
    const RECT client{0, 0, 240, 300};
    // Fully visible, or cut off only at the side: no scrolling.
    EXPECT_EQ(EnsureVisiblePosition(RECT{10, 0, 100, 300}, client, 50, 600, 60), std::nullopt);
    EXPECT_EQ(EnsureVisiblePosition(RECT{200, 40, 400, 60}, client, 50, 600, 60), std::nullopt);
    // Below: its bottom ends 30 pixels above the client's bottom.
    EXPECT_EQ(EnsureVisiblePosition(RECT{10, 320, 100, 340}, client, 50, 600, 60), 120);
    // Above: its top 30 pixels below the client's top; never above the content's top.
    EXPECT_EQ(EnsureVisiblePosition(RECT{10, -40, 100, -20}, client, 50, 600, 60), 0);
    EXPECT_EQ(EnsureVisiblePosition(RECT{10, -40, 100, -20}, client, 150, 600, 60), 80);
    // Never beyond the maximum less a page.
    EXPECT_EQ(EnsureVisiblePosition(RECT{10, 900, 100, 920}, client, 50, 600, 60), 540);
    // Taller than the view: its top wins.
    EXPECT_EQ(EnsureVisiblePosition(RECT{10, -10, 100, 400}, client, 100, 600, 60), 60);

    std::mt19937 random(16);
    for (int round = 0; round < 2000; ++round) {
        const int height = 100 + static_cast<int>(random() % 400);
        const RECT view{0, 0, 240, height};
        const int maximum = static_cast<int>(random() % 800);
        const int page = maximum / 10;
        const int position = static_cast<int>(random() % (maximum - page + 1));
        const int top = static_cast<int>(random() % 1200) - 400;
        const int controlHeight = 10 + static_cast<int>(random() % 40);
        const RECT control{4, top, 200, top + controlHeight};
        const auto target = EnsureVisiblePosition(control, view, position, maximum, page);
        if (top >= 0 && top + controlHeight <= height) {
            EXPECT_EQ(target, std::nullopt);
            continue;
        }
        ASSERT_TRUE(target.has_value());
        EXPECT_GE(*target, 0);
        EXPECT_LE(*target, maximum - page);
        // Where the target was not cut by an end, the control lands 30 pixels inside.
        const int moved = *target - position;
        if (*target > 0 && *target < maximum - page) {
            if (top < 0)
                EXPECT_EQ(top - moved, 30);
            else
                EXPECT_EQ(top + controlHeight - moved, height - 30);
        }
    }
}
