// SPDX-License-Identifier: GPL-3.0-or-later
// The stages of the active profile into the stages popup's set and back.
#include "app/PerformanceStages.h"
#include "settings/TovikEliteConfig.h"

#include <gtest/gtest.h>

namespace {

class PerformanceStagesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        profile_ = config_.CreateProfile(u"Profile 1");
        config_.SetCurrentProfile(profile_);
        config_.SetSensitivityRange(100, 12000, 100);
    }
    void UseStages(std::initializer_list<unsigned> values, unsigned inUse, int selected)
    {
        config_.SetStageCount(unsigned(values.size()));
        unsigned stage = 1;
        for (unsigned value : values) {
            config_.SetStageDpi(stage, value);
            config_.SetStageX(stage, value);
            config_.SetStageY(stage, value);
            ++stage;
        }
        config_.SetStagesInUse(inUse);
        config_.SelectStage(selected);
    }

    CTovikEliteConfig config_;
    IMouseProfile* profile_ = nullptr;
};

TEST_F(PerformanceStagesTest, StagesArePaddedToFiveWithTheGenerationsDefaults)
{
    UseStages({1000, 2000, 3000}, 2, 2);
    struct Case {
        bool currentGeneration;
        int fourth, fifth;
    };
    for (const Case c : {Case{true, 5600, 6400}, Case{false, 4000, 5600}}) {
        SCOPED_TRACE(c.currentGeneration);
        const StageSet set = StageSetFromProfile(config_, c.currentGeneration);
        EXPECT_EQ(set.min, 100);
        EXPECT_EQ(set.max, 12000);
        EXPECT_EQ(set.step, 100);
        EXPECT_EQ(set.count, 2);
        EXPECT_EQ(set.current, 2);
        ASSERT_EQ(set.entries.size(), 5u);
        EXPECT_EQ(set.entries[2].value, 3000);
        EXPECT_FALSE(set.entries[2].enabled);
        EXPECT_TRUE(set.entries[1].current);
        EXPECT_EQ(set.entries[3].value, c.fourth);
        EXPECT_EQ(set.entries[3].y, c.fourth);
        EXPECT_EQ(set.entries[4].x, c.fifth);
        EXPECT_FALSE(set.entries[4].current || set.entries[4].enabled || set.entries[4].separate);
    }
}

// The profile setters put a stage beyond the last one into the last one, so padding
// stages must never reach them as such.
TEST_F(PerformanceStagesTest, PaddingStagesDoNotOverwriteTheLastStageAndStagesInUseAreKept)
{
    UseStages({1000, 2000, 3000}, 3, 1);
    StageSet set = StageSetFromProfile(config_, true);
    StoreStageSet(config_, set);
    EXPECT_EQ(config_.GetStageCount(), 3u);
    EXPECT_EQ(config_.GetStageDpi(3), 3000u) << "the padding overwrote the last stage";

    // Five in use: the profile grows to hold the stages the user turned on.
    set.count = 5;
    set.current = 5;
    set.entries[4].value = set.entries[4].x = 7000;
    set.entries[4].y = 7600;
    set.entries[4].separate = true;
    StoreStageSet(config_, set);
    EXPECT_EQ(config_.GetStageCount(), 5u);
    EXPECT_EQ(config_.GetStagesInUse(), 5u);
    EXPECT_EQ(config_.GetStageDpi(1), 1000u);
    EXPECT_EQ(config_.GetStageDpi(3), 3000u);
    EXPECT_EQ(config_.GetStageDpi(4), 5600u);
    EXPECT_EQ(config_.GetSelectedStage(), 5);
    EXPECT_EQ(config_.GetCurrentX(), 7000u);
    EXPECT_EQ(config_.GetCurrentY(), 7600u);
    EXPECT_TRUE(config_.GetCurrentSeparate());
    EXPECT_TRUE(config_.GetStageSeparate(5));
}

TEST_F(PerformanceStagesTest, ACurrentStageAboveTheCountFallsBackToTheLastInUse)
{
    UseStages({1000, 2000, 3000, 4000, 5000}, 5, 5);
    StageSet set = StageSetFromProfile(config_, true);
    set.count = 2; // as a caller might hand back without the popup's fall-back
    StoreStageSet(config_, set);
    EXPECT_EQ(config_.GetStagesInUse(), 2u);
    EXPECT_EQ(config_.GetSelectedStage(), 2);
    EXPECT_EQ(config_.GetCurrentDpi(), 2000u);
}

} // namespace
