// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BatteryDisplay.h"

#include <gtest/gtest.h>

namespace {

int LitCount(const std::array<bool, 4>& lit)
{
    int count = 0;
    for (size_t i = 0; i < lit.size(); ++i) {
        if (lit[i]) {
            EXPECT_EQ(int(i), count) << "lit segments must start at 0 without gaps";
            ++count;
        }
    }
    return count;
}

TEST(BatteryDisplay, CurrentGenerationRawScaleBands)
{
    for (int code : {1, 2, 0, 18}) {
        EXPECT_EQ(HighestSegmentForLevel(0, code), 0);
        EXPECT_EQ(HighestSegmentForLevel(75, code), 0);
        EXPECT_EQ(HighestSegmentForLevel(76, code), 1);
        EXPECT_EQ(HighestSegmentForLevel(177, code), 1);
        EXPECT_EQ(HighestSegmentForLevel(178, code), 2);
        EXPECT_EQ(HighestSegmentForLevel(254, code), 2);
        EXPECT_EQ(HighestSegmentForLevel(255, code), 3);
    }
}

TEST(BatteryDisplay, EarlierGenerationPercentScale)
{
    for (int code : {4, 8}) {
        EXPECT_EQ(HighestSegmentForLevel(0, code), 0);
        EXPECT_EQ(HighestSegmentForLevel(24, code), 0);
        EXPECT_EQ(HighestSegmentForLevel(25, code), 1);
        EXPECT_EQ(HighestSegmentForLevel(50, code), 2);
        EXPECT_EQ(HighestSegmentForLevel(75, code), 3);
        // 100 and more count as 99: never a fifth segment.
        EXPECT_EQ(HighestSegmentForLevel(100, code), 3);
        EXPECT_EQ(HighestSegmentForLevel(200, code), 3);
    }
}

TEST(BatteryDisplay, NothingLitUntilSwitchedOnOrWhenTheStateIsUnknown)
{
    CBatteryDisplay display;
    EXPECT_EQ(LitCount(display.Refresh(0, 255, 1)), 0);
    display.SetSwitchedOn(true);
    EXPECT_EQ(LitCount(display.Refresh(0, 255, 1)), 4);
    EXPECT_EQ(LitCount(display.Refresh(0, 100, 1)), 2);
    EXPECT_EQ(LitCount(display.Refresh(2, 255, 1)), 0);
    EXPECT_EQ(LitCount(display.Refresh(-1, 255, 1)), 0);
}

TEST(BatteryDisplay, ChargingAnimatesThroughAllFourSteps)
{
    CBatteryDisplay display;
    display.SetSwitchedOn(true);
    std::vector<int> counts;
    for (int i = 0; i < 8; ++i)
        counts.push_back(LitCount(display.Refresh(1, 0, 1)));
    // The level does not matter while charging; the steps cycle 1..4 lit segments.
    EXPECT_EQ(counts, (std::vector<int>{2, 3, 4, 1, 2, 3, 4, 1}));
}

} // namespace
