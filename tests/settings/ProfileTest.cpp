// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/TovikEliteProfile.h"

#include <gtest/gtest.h>

namespace {

// A profile sized and given a range, then committed, so that each test sees only
// its own changes.
struct CleanProfile : ::testing::Test {
    CleanProfile()
    {
        profile.SetStageCount(5);
        profile.SetSensitivityRange(100, 6400, 100);
        profile.CommitAll();
    }
    CTovikEliteProfile profile{u"Test"};
};

TEST(ProfileStages, StageCountIsClampedAndResetsStagesAndSelection)
{
    CTovikEliteProfile profile;
    EXPECT_EQ(profile.GetStageCount(), 0u);
    EXPECT_TRUE(profile.SetStageCount(0));
    EXPECT_EQ(profile.GetStageCount(), 1u);
    EXPECT_TRUE(profile.SetStageCount(25));
    EXPECT_EQ(profile.GetStageCount(), 10u);
    EXPECT_EQ(profile.GetSelectedStage(), 1);

    profile.SetSensitivityRange(0, 10000, 100);
    profile.SetStageDpi(3, 1600);
    profile.SetStagesInUse(8);
    profile.SetStageCount(4);
    EXPECT_EQ(profile.GetStageDpi(3), 0u) << "stages start again at zero";
    EXPECT_EQ(profile.GetStagesInUse(), 4u) << "stages in use never exceed the stage count";
}

TEST_F(CleanProfile, SelectStageHandlesNumbersOutsideTheStages)
{
    profile.SelectStage(9);
    EXPECT_EQ(profile.GetSelectedStage(), 5);
    profile.SelectStage(0);
    EXPECT_EQ(profile.GetSelectedStage(), 0) << "no stage selected";
    profile.SelectStage(-7);
    EXPECT_EQ(profile.GetSelectedStage(), 0);
    profile.SelectStage(2);
    EXPECT_EQ(profile.GetSelectedStage(), 2);
    EXPECT_TRUE(profile.IsModified(CategoryId::SelectedStage));
}

TEST_F(CleanProfile, StageNumbersBeyondTheLastAddressTheLastAndValuesAreClamped)
{
    profile.SetStageDpi(12, 3200);
    EXPECT_EQ(profile.GetStageDpi(5), 3200u);
    profile.SetStageX(0, 1500);
    EXPECT_EQ(profile.GetStageX(1), 1500u) << "stage 0 addresses the first stage";

    profile.SetStageY(2, 50);
    EXPECT_EQ(profile.GetStageY(2), 100u);
    profile.SetStageDpi(2, 99999);
    EXPECT_EQ(profile.GetStageDpi(2), 6400u);

    EXPECT_TRUE(profile.IsListElementModified(CategoryList::Stages, 4));
    EXPECT_FALSE(profile.IsListElementModified(CategoryList::Stages, 2)) << "stage 3 untouched";
    EXPECT_TRUE(profile.IsListElementModified(CategoryList::Stages, 5)) << "out of range";
    EXPECT_TRUE(profile.IsListElementModified(CategoryList::Stages, -1));
}

TEST(ProfileStages, AProfileWithoutStagesIgnoresStageWritesAndReadsZero)
{
    CTovikEliteProfile profile;
    profile.SetSensitivityRange(0, 1000, 1);
    profile.SetStageDpi(1, 500);
    profile.SetStageSeparate(3, true);
    EXPECT_EQ(profile.GetStageDpi(1), 0u);
    EXPECT_FALSE(profile.GetStageSeparate(3));
    EXPECT_EQ(profile.GetSelectedStage(), 0);
}

TEST_F(CleanProfile, CurrentSensitivityIsTrackedAndTheSecondOneIsNot)
{
    profile.SetSecondDpi(2400);
    profile.SetSecondSeparate(true);
    profile.SetSecondX(77777);
    EXPECT_EQ(profile.GetSecondX(), 77777u) << "no clamping";
    EXPECT_FALSE(profile.IsAnyModified());

    profile.SetCurrentX(700);
    EXPECT_FALSE(profile.IsModified(CategoryId::CurrentSensitivity)) << "X is ignored while not separate";
    profile.SetCurrentSeparate(true);
    EXPECT_TRUE(profile.IsModified(CategoryId::CurrentSensitivity));
    EXPECT_TRUE(profile.IsAnyModified());
    profile.CommitAll();
    EXPECT_FALSE(profile.IsAnyModified());
}

TEST(ProfileAssignments, AllowedKindsDependOnTheButton)
{
    CTovikEliteProfile profile;
    EXPECT_FALSE(profile.SetButtonAssignment(MOUSE_BUTTON_WHEEL_UP, AssignmentRecord::OfKind(AssignmentKind::Click)));
    EXPECT_EQ(profile.GetButtonAssignment(MOUSE_BUTTON_WHEEL_UP).kind, AssignmentKind::Unset);
    EXPECT_TRUE(
        profile.SetButtonAssignment(MOUSE_BUTTON_4, AssignmentRecord::OfKind(AssignmentKind::TemporarySensitivity)));
    EXPECT_TRUE(profile.IsKindAllowed(AssignmentKind::ProfileByName, MOUSE_BUTTON_5));
    EXPECT_TRUE(profile.IsKindAllowed(AssignmentKind::MacroByName, MOUSE_BUTTON_WHEEL_DOWN));
    EXPECT_FALSE(profile.IsKindAllowed(AssignmentKind::LaunchProgramSecond, MOUSE_BUTTON_5));
    EXPECT_FALSE(profile.IsKindAllowed(AssignmentKind::Unset, MOUSE_BUTTON_LEFT));

    std::vector<int32_t> kinds{99};
    profile.GetAllowedKinds(kinds, MOUSE_BUTTON_WHEEL_DOWN);
    EXPECT_EQ(kinds, (std::vector<int32_t>{6, 13, 14, 53, 54, 8}));
    profile.GetAllowedKinds(kinds, MOUSE_BUTTON_LEFT);
    ASSERT_EQ(kinds.size(), 16u);
    EXPECT_EQ(kinds[5], AssignmentKind::TemporarySensitivity);

    EXPECT_FALSE(profile.SetKeyAssignment(30, AssignmentRecord::OfKind(AssignmentKind::Play)));
    EXPECT_EQ(profile.GetKeyAssignmentCount(), 0u);
}

TEST(ProfileAssignments, ReadingCreatesAnUnsetEntryAndWritingOneReportsModified)
{
    CTovikEliteProfile profile;
    EXPECT_TRUE(profile.IsButtonAssignmentModified(false, MOUSE_BUTTON_5)) << "no entry yet";
    EXPECT_EQ(profile.GetButtonAssignment(MOUSE_BUTTON_5).kind, AssignmentKind::Unset);
    EXPECT_FALSE(profile.IsButtonAssignmentModified(false, MOUSE_BUTTON_5)) << "entry created clean";
    EXPECT_TRUE(profile.IsButtonAssignmentModified(true, MOUSE_BUTTON_5));

    EXPECT_EQ(profile.GetKeyAssignment(30).kind, AssignmentKind::Unset);
    EXPECT_EQ(profile.GetKeyAssignmentCount(), 1u);
    EXPECT_FALSE(profile.IsListElementModified(CategoryList::KeyAssignments, 30));
    EXPECT_TRUE(profile.IsListElementModified(CategoryList::KeyAssignments, 31));

    profile.SetKeyAssignment(31, AssignmentRecord::OfKind(AssignmentKind::Menu));
    EXPECT_TRUE(profile.IsListElementModified(CategoryList::KeyAssignments, 31));
    EXPECT_TRUE(profile.IsModified(CategoryId::KeyAssignments));
    EXPECT_FALSE(profile.IsModified(CategoryId::ButtonAssignments));
}

TEST(ProfileAssignments, ClickDetectionHonoursTheKeyMapFlag)
{
    CTovikEliteProfile profile;
    EXPECT_FALSE(profile.HasClickAssignment());
    profile.SetKeyAssignment(30, AssignmentRecord::OfKind(AssignmentKind::Click));
    EXPECT_TRUE(profile.HasClickAssignment());
    profile.SetKeyMapFlag(false);
    EXPECT_FALSE(profile.HasClickAssignment());
    profile.SetButtonAssignment(MOUSE_BUTTON_RIGHT, AssignmentRecord::OfKind(AssignmentKind::Click));
    EXPECT_TRUE(profile.HasClickAssignment());
}

TEST(ProfileLeds, SettersCreateEntriesAndBrightnessIsCappedAtHundred)
{
    CTovikEliteProfile profile;
    EXPECT_FALSE(profile.GetLedState(LED_SCROLL_WHEEL));
    EXPECT_EQ(profile.GetLedBrightness(LED_SCROLL_WHEEL), 0u) << "no entry";

    profile.SetLedState(LED_SCROLL_WHEEL, true);
    EXPECT_EQ(profile.GetLedBrightness(LED_SCROLL_WHEEL), 100u) << "a new LED starts at full brightness";
    EXPECT_TRUE(profile.IsLedElementModified(CategoryId::LedState, LED_SCROLL_WHEEL));
    EXPECT_TRUE(profile.IsLedElementModified(CategoryId::LedBrightness, LED_SCROLL_WHEEL)) << "no element yet";

    profile.SetLedBrightness(LED_SCROLL_WHEEL, 250);
    EXPECT_EQ(profile.GetLedBrightness(LED_SCROLL_WHEEL), 100u);
    // A value never tracked is not known to be on the device, zero included.
    profile.SetLedColour(LED_CHARGING_DOCK, 0);
    EXPECT_TRUE(profile.IsLedElementModified(CategoryId::LedColour, LED_CHARGING_DOCK)) << "first zero";
    profile.SetLedEffect(LED_CHARGING_DOCK, LED_EFFECT_SPECTRUM_CYCLING);
    EXPECT_EQ(profile.GetLedEffect(LED_CHARGING_DOCK), LED_EFFECT_SPECTRUM_CYCLING);
    EXPECT_TRUE(profile.IsLedElementModified(CategoryId::LedEffect, LED_CHARGING_DOCK));
    EXPECT_TRUE(profile.IsLedElementModified(CategoryId::Stages, LED_CHARGING_DOCK)) << "not an LED map";

    profile.CommitAll();
    EXPECT_FALSE(profile.IsLedElementModified(CategoryId::LedState, LED_SCROLL_WHEEL));
    profile.SetLedColour(LED_CHARGING_DOCK, 0);
    EXPECT_FALSE(profile.IsLedElementModified(CategoryId::LedColour, LED_CHARGING_DOCK)) << "zero over committed zero";
}

TEST(ProfileIdentity, LinkedProgramIsTheFileNameOfThePathAndFlagsAreUntracked)
{
    CTovikEliteProfile profile;
    profile.CommitAll();
    profile.SetLinkedProgramPath(u"/opt/games/bin/shooter.x86_64");
    EXPECT_EQ(profile.GetLinkedProgram(), u"shooter.x86_64");
    profile.SetLinkedProgramPath(u"C:\\Games\\Race.exe");
    EXPECT_EQ(profile.GetLinkedProgram(), u"Race.exe");
    EXPECT_TRUE(profile.IsModified(CategoryId::LinkedProgram));
    EXPECT_FALSE(profile.HasStoredFile());

    profile.CommitAll();
    profile.SetAutoSwitch(true);
    profile.SetProfileOsd(false);
    EXPECT_FALSE(profile.IsAnyModified());
    profile.SetDpiOsd(true);
    EXPECT_TRUE(profile.IsModified(CategoryId::DpiOsd));
    EXPECT_TRUE(profile.IsModified(8)) << "an identifier no profile registers";
}

TEST_F(CleanProfile, CopiesCarryEverySettingAndReportCopiedAssignmentsModified)
{
    profile.SetGuid(GUID::Generate());
    profile.SetButtonAssignment(MOUSE_BUTTON_LEFT, AssignmentRecord::OfKind(AssignmentKind::Click));
    profile.SetKeyAssignment(30, AssignmentRecord::OfKind(AssignmentKind::Menu));
    profile.SetStageDpi(4, 4000);
    profile.SetStagesInUse(3);
    profile.SelectStage(4);
    profile.SetCurrentDpi(1800);
    profile.SetSecondDpi(900);
    profile.SetLedColour(LED_SCROLL_WHEEL, 0xFF0000);
    profile.SetAutoSwitch(true);
    profile.SetProfileOsd(false);
    profile.SetDeviceWord(0, 11);
    profile.SetDeviceWord(3, 33);
    profile.SetDeviceWord(6, 66);
    profile.CommitAll();

    CTovikEliteProfile copy(profile);
    EXPECT_EQ(copy.GetName(), u"Test");
    EXPECT_EQ(copy.GetGuid(), profile.GetGuid());
    EXPECT_EQ(copy.GetStageCount(), 5u);
    EXPECT_EQ(copy.GetStageDpi(4), 4000u);
    EXPECT_EQ(copy.GetStagesInUse(), 3u);
    EXPECT_EQ(copy.GetSelectedStage(), 4);
    EXPECT_EQ(copy.GetCurrentDpi(), 1800u);
    EXPECT_EQ(copy.GetSecondDpi(), 900u);
    EXPECT_EQ(copy.GetLedColour(LED_SCROLL_WHEEL), 0xFF0000u);
    EXPECT_TRUE(copy.GetAutoSwitch());
    EXPECT_FALSE(copy.GetProfileOsd());
    unsigned minimum = 0, maximum = 0, step = 0;
    copy.GetSensitivityRange(minimum, maximum, step);
    EXPECT_EQ(maximum, 6400u);

    EXPECT_EQ(copy.GetButtonAssignment(MOUSE_BUTTON_LEFT).kind, AssignmentKind::Click);
    EXPECT_TRUE(copy.IsButtonAssignmentModified(false, MOUSE_BUTTON_LEFT));
    EXPECT_TRUE(copy.IsListElementModified(CategoryList::KeyAssignments, 30));
    EXPECT_FALSE(profile.IsAnyModified()) << "the source is untouched";

    EXPECT_EQ(copy.GetDeviceWord(3), 33u);
    EXPECT_EQ(copy.GetDeviceWord(0), 0u);
    EXPECT_EQ(copy.GetDeviceWord(6), 0u);
    EXPECT_FALSE(copy.SetDeviceWord(IMouseProfile::kDeviceWordCount, 1));
    EXPECT_EQ(copy.GetDeviceWord(IMouseProfile::kDeviceWordCount), 0u);

    copy.CommitAll();
    EXPECT_FALSE(copy.IsAnyModified());
}

} // namespace
