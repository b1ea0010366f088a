#include "EditTestSupport.h"

#include "editctl/ScrollMetrics.h"

#include <gtest/gtest.h>

using editctl::computeScrollMetrics;
using editctl::test::makeState;

namespace {

std::u16string lines(int count) {
    std::u16string text;
    for (int i = 0; i < count; ++i) {
        text += u"line\r";
    }
    return text;
}

TEST(ScrollMetricsTest, VerticalRangeCoversTheLinesBelowTheView) {
    auto state = makeState(lines(20), 200); // 21 lines, 160 px high: 10 visible
    state->firstVisibleLine = 15;
    const auto metrics = computeScrollMetrics(*state);
    EXPECT_EQ(metrics.maxFirstLine, 11);
    EXPECT_EQ(metrics.firstVisibleLine, 11) << "clamped to the maximum";
    EXPECT_EQ(metrics.vertical.max, 20);
    EXPECT_EQ(metrics.vertical.page, 10);
    EXPECT_EQ(metrics.vertical.pos, 11);

    auto fits = makeState(lines(3), 200);
    fits->firstVisibleLine = 2;
    const auto small = computeScrollMetrics(*fits);
    EXPECT_EQ(small.firstVisibleLine, 0);
    EXPECT_EQ(small.vertical.max, 1);
    EXPECT_EQ(small.vertical.page, 0);
}

TEST(ScrollMetricsTest, HorizontalRangeFollowsTheWidestLine) {
    // Without wrap, 100 characters of 8 px in a 202 px client with 1 px margins.
    auto state = makeState(std::u16string(100, u'x'), 200, false);
    ASSERT_EQ(state->layout.widestLine, 800);
    state->horizontalPosition = 90;
    const auto metrics = computeScrollMetrics(*state);
    EXPECT_EQ(metrics.horizontal.max, 802 / 8);
    EXPECT_EQ(metrics.horizontal.page, 202 / 8);
    EXPECT_EQ(metrics.maxHorizontalPosition, 100 - 25 + 1);
    EXPECT_EQ(metrics.horizontalPosition, 76);

    // When everything fits, the bar stays shown without wrap and disappears with it.
    EXPECT_EQ(computeScrollMetrics(*makeState(u"short", 200, false)).horizontal.max, 1);
    EXPECT_EQ(computeScrollMetrics(*makeState(u"short", 200, true)).horizontal.max, 0);
}

} // namespace
