// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/com/HResult.h"
#include "settings/Generation.h"
#include "settings/TovikEliteConfig.h"

#include <gtest/gtest.h>

namespace {

// The generation flag is process-wide: every test states the one it needs and
// leaves it as it found it.
class GenerationScope {
public:
    explicit GenerationScope(bool current) : previous_(IsCurrentGeneration()) { SetCurrentGeneration(current); }
    ~GenerationScope() { SetCurrentGeneration(previous_); }

private:
    bool previous_;
};

std::vector<unsigned> StageValues(IMouseConfig& config, IMouseProfile* profile)
{
    std::vector<unsigned> values;
    for (unsigned stage = 1; stage <= config.GetStageCount(profile); ++stage)
        values.push_back(config.GetStageDpi(stage, profile));
    return values;
}

TEST(ConfigDefaults, NewProfilesGetTheFactorySettingsOfTheChosenGeneration)
{
    CTovikEliteConfig config;
    IMouseProfile* earlier = nullptr;
    {
        GenerationScope generation(false);
        earlier = config.CreateProfile(u"Old");
    }
    GenerationScope generation(true);
    IMouseProfile* current = config.CreateProfile(u"New");

    EXPECT_EQ(StageValues(config, earlier), (std::vector<unsigned>{800, 1200, 1800, 4000, 5600}));
    EXPECT_EQ(StageValues(config, current), (std::vector<unsigned>{800, 1800, 4000, 5600, 6400}));
    EXPECT_EQ(config.GetSelectedStage(earlier), 3);
    EXPECT_EQ(config.GetSelectedStage(current), 2);
    unsigned minimum = 0, maximum = 0, step = 0;
    config.GetSensitivityRange(minimum, maximum, step, earlier);
    EXPECT_EQ(maximum, 5600u);
    EXPECT_EQ(minimum, 100u);

    EXPECT_EQ(config.GetStagesInUse(current), 5u);
    EXPECT_EQ(config.GetCurrentDpi(current), 1800u);
    EXPECT_EQ(config.GetSecondDpi(current), 1800u);
    EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_WHEEL_UP, current).kind, AssignmentKind::ScrollUp);
    EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_11, current).kind, AssignmentKind::SensitivityStageDown);
    EXPECT_TRUE(config.GetLedState(LED_CHARGING_DOCK, current));
    EXPECT_EQ(config.GetLedColour(LED_SCROLL_WHEEL, current), 0xFF0000u);
    EXPECT_TRUE(config.GetDpiOsd(current));
    EXPECT_EQ(config.GetLiftOffRange(), 20u);
    EXPECT_TRUE(config.GetAutomaticLiftOff());
    EXPECT_EQ(config.GetPollingRate(), POLLING_RATE_1);
    EXPECT_EQ(config.GetReducedBrightness(), 158u);
    EXPECT_EQ(config.GetIdleTimeBeforeSleep(), 60u);
    EXPECT_EQ(config.GetAccelerationLevel(), 0u) << "clamped into the still empty range";
    EXPECT_EQ(config.GetBatteryWarningLevel(), 1u) << "clamped into the initial range 0..1";
    EXPECT_EQ(config.GetCurrentProfile(), nullptr) << "creating does not make current";
}

TEST(ConfigDefaults, ResetWithoutAProfileTouchesOnlyDeviceWideValues)
{
    GenerationScope generation(true);
    CTovikEliteConfig config;
    IMouseProfile* profile = config.CreateProfile(u"P");
    config.SetCurrentProfile(profile);
    config.SetStageDpi(1, 3000);
    config.SetButtonAssignment(MOUSE_BUTTON_4, AssignmentRecord::OfKind(AssignmentKind::DoubleClick));
    config.SetLedState(LED_SCROLL_WHEEL, false);
    config.SetProfileOsd(false);
    config.SetValue16Range(1, 10);
    config.SetPollingRate(POLLING_RATE_2);

    config.ResetToDefaults(nullptr);
    EXPECT_EQ(config.GetStageDpi(1), 3000u);
    EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_4).kind, AssignmentKind::DoubleClick);
    EXPECT_FALSE(config.GetLedState(LED_SCROLL_WHEEL));
    EXPECT_TRUE(config.GetProfileOsd());
    EXPECT_EQ(config.GetPollingRate(), POLLING_RATE_1);
    EXPECT_EQ(config.GetAccelerationLevel(), 5u);
}

TEST(ConfigDefaults, ResettingAProfileCopiesTheCurrentProfilesDisplayFlagToAll)
{
    CTovikEliteConfig config;
    IMouseProfile* first = config.CreateProfile(u"A");
    IMouseProfile* second = config.CreateProfile(u"B");
    config.SetCurrentProfile(first);
    config.SetProfileOsd(false, first);
    config.ResetToDefaults(second);
    EXPECT_FALSE(config.GetProfileOsd(second));

    config.SetCurrentProfile(nullptr);
    config.ResetToDefaults(second); // no current profile: nothing to copy, no crash
    EXPECT_FALSE(config.GetProfileOsd(second));
}

TEST(ConfigProfiles, RenameReplacesTheObjectAndMovesTheCurrentPointer)
{
    CTovikEliteConfig config;
    config.CreateProfile(u"First");
    IMouseProfile* old = config.CreateProfile(u"Second");
    config.CreateProfile(u"Third");
    config.SetCurrentProfile(old);
    config.CommitAll();
    GUID guid = GUID::Generate();
    old->SetGuid(guid);

    EXPECT_EQ(config.RenameProfile(old, u"Second"), nullptr) << "same name";
    IMouseProfile* renamed = config.RenameProfile(nullptr, u"second");
    ASSERT_NE(renamed, nullptr) << "a change of case is a rename";
    EXPECT_EQ(config.GetProfile(1), renamed);
    EXPECT_EQ(config.GetProfileCount(), 3u);
    EXPECT_EQ(config.GetCurrentProfile(), renamed);
    EXPECT_EQ(renamed->GetName(), u"second");
    EXPECT_EQ(renamed->GetGuid(), guid);
    EXPECT_EQ(renamed->GetStageCount(), 5u);
    EXPECT_TRUE(config.IsModified(CategoryId::ActiveProfile));
    EXPECT_TRUE(renamed->IsButtonAssignmentModified(false, MOUSE_BUTTON_LEFT)) << "sent again in full";

    CTovikEliteProfile stranger(u"Elsewhere");
    EXPECT_EQ(config.RenameProfile(&stranger, u"Other"), nullptr);
    EXPECT_EQ(stranger.GetName(), u"Elsewhere") << "a profile not in the list is left alone";
}

TEST(ConfigProfiles, CopyAsAppendsACopyWithoutIdentityUnlessTheNameIsTheSame)
{
    CTovikEliteConfig config;
    IMouseProfile* source = config.CreateProfile(u"Base");
    source->SetGuid(GUID::Generate());
    config.SetStageDpi(2, 2500, source);

    EXPECT_EQ(config.CopyProfileAs(source, u"Base"), nullptr);
    IMouseProfile* copy = config.CopyProfileAs(source, u"BASE");
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(config.GetProfileCount(), 2u);
    EXPECT_EQ(config.GetProfile(1), copy);
    EXPECT_TRUE(copy->GetGuid().IsNull());
    EXPECT_EQ(copy->GetName(), u"BASE");
    EXPECT_EQ(config.GetStageDpi(2, copy), 2500u);

    IMouseProfile* plain = config.AddCopyOfProfile(source);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->GetGuid(), source->GetGuid());
    EXPECT_EQ(config.AddCopyOfProfile(nullptr), nullptr);
    EXPECT_EQ(config.FindProfileByName(u"base"), source);
    EXPECT_EQ(config.FindProfileByGuid(source->GetGuid()), source);
}

TEST(ConfigProfiles, MissingNamesAreReportedAsErrors)
{
    CTovikEliteConfig config;
    IMouseProfile* profile = config.CreateProfile(u"P");
    try {
        config.RenameProfile(profile, nullptr);
        FAIL() << "no error for a null name";
    } catch (const ComError& error) {
        EXPECT_EQ(error.code(), E_FAIL);
    }
    EXPECT_THROW(config.CopyProfileAs(profile, nullptr), ComError);
    EXPECT_EQ(config.GetProfileCount(), 1u);
    EXPECT_EQ(config.GetProfile(0), profile);
}

TEST(ConfigProfiles, DeleteClearsTheCurrentProfileAndIgnoresForeignPointers)
{
    CTovikEliteConfig config;
    IMouseProfile* keep = config.CreateProfile(u"Keep");
    IMouseProfile* gone = config.CreateProfile(u"Gone");
    config.SetCurrentProfile(gone);
    config.CommitAll();

    CTovikEliteProfile stranger;
    config.DeleteProfile(&stranger);
    config.DeleteProfile(nullptr);
    config.SetCurrentProfile(&stranger);
    EXPECT_EQ(config.GetProfileCount(), 2u);
    EXPECT_EQ(config.GetCurrentProfile(), gone);

    config.DeleteProfile(gone);
    EXPECT_EQ(config.GetProfileCount(), 1u);
    EXPECT_EQ(config.GetProfile(0), keep);
    EXPECT_EQ(config.GetCurrentProfile(), nullptr);
    EXPECT_TRUE(config.IsModified(CategoryId::ActiveProfile));
    EXPECT_EQ(config.GetCurrentDpi(), 0u) << "no profile to act on";
    config.SetCurrentDpi(500); // ignored, no crash

    config.SetCurrentProfile(keep);
    config.DeleteAllProfiles();
    EXPECT_EQ(config.GetProfileCount(), 0u);
    EXPECT_EQ(config.GetProfile(0), nullptr);
    EXPECT_EQ(config.GetCurrentProfile(), nullptr) << "no dangling current profile";
    unsigned minimum = 9, maximum = 9, step = 9;
    EXPECT_FALSE(config.GetSensitivityRange(minimum, maximum, step));
    EXPECT_EQ(maximum, 0u);
}

TEST(ConfigProfiles, AppendedProfilesAreEmptyAndLeaveDeviceWideValuesAlone)
{
    CTovikEliteConfig config;
    config.SetPollingRate(POLLING_RATE_2);
    IMouseProfile* profile = config.AppendProfile(u"From device");
    EXPECT_EQ(config.GetProfile(0), profile);
    EXPECT_EQ(profile->GetName(), u"From device");
    EXPECT_EQ(profile->GetStageCount(), 0u);
    EXPECT_EQ(config.GetButtonAssignment(MOUSE_BUTTON_LEFT, profile).kind, AssignmentKind::Unset);
    EXPECT_EQ(config.GetPollingRate(), POLLING_RATE_2);
}

TEST(ConfigValues, ValuesAreClampedIntoTheirRanges)
{
    CTovikEliteConfig config;
    config.SetReducedBrightness(300);
    EXPECT_EQ(config.GetReducedBrightness(), 255u);
    config.SetReducedBrightness(5);
    EXPECT_EQ(config.GetReducedBrightness(), 5u);

    config.SetBatteryWarningLevel(7);
    EXPECT_EQ(config.GetBatteryWarningLevel(), 1u);
    config.SetBatteryLevel(200);
    EXPECT_EQ(config.GetBatteryLevel(), 1u);
    config.SetBatteryRange();
    config.SetBatteryWarningLevel(7);
    EXPECT_EQ(config.GetBatteryWarningLevel(), 7u);
    config.SetBatteryLevel(300);
    EXPECT_EQ(config.GetBatteryLevel(), 255u);

    config.SetValue16Range(1, 10);
    config.SetAccelerationLevel(0);
    EXPECT_EQ(config.GetAccelerationLevel(), 1u);
    config.SetAccelerationLevel(11);
    EXPECT_EQ(config.GetAccelerationLevel(), 10u);

    config.SetLiftOffRange(150);
    EXPECT_EQ(config.GetLiftOffRange(), 100u);
    config.SetValue30Range(50, 20); // inverted range still gives a definite answer
    config.SetLiftOffRange(30);
    EXPECT_EQ(config.GetLiftOffRange(), 50u);

    EXPECT_EQ(config.GetChargingState(), -1);
    EXPECT_EQ(config.GetPollingRate(), POLLING_RATE_UNKNOWN);
}

TEST(ConfigValues, UntouchedPowerValuesAreNotReportedModified)
{
    CTovikEliteConfig config;
    EXPECT_EQ(config.GetReducedBrightness(), 100u);
    EXPECT_EQ(config.GetIdleTimeBeforeSleep(), 1u);
    EXPECT_FALSE(config.IsAnyModified());
    config.SetIdleTimeBeforeSleep(120);
    EXPECT_TRUE(config.IsModified(CategoryId::IdleTimeBeforeSleep));
    EXPECT_FALSE(config.IsModified(CategoryId::ReducedBrightness));
    EXPECT_TRUE(config.IsModified(22)) << "not registered";
    config.CommitAll();
    EXPECT_FALSE(config.IsAnyModified());
}

TEST(ConfigValues, SupportedPollingRatesKeepAtMostFive)
{
    CTovikEliteConfig config;
    config.SetSupportedPollingRates({125, 250, 500, 1000, 2000, 4000, 8000});
    EXPECT_EQ(config.GetSupportedPollingRateCount(), 5u);
    EXPECT_EQ(config.GetSupportedPollingRate(4), 2000u);
    EXPECT_FALSE(config.GetSupportedPollingRate(5).has_value());
    config.SetSupportedPollingRates({1000, 500});
    EXPECT_EQ(config.GetSupportedPollingRateCount(), 2u);
    EXPECT_EQ(config.GetSupportedPollingRate(0), 1000u);
}

TEST(ConfigValues, AuxiliaryAssignmentsAcceptOnlyTheirKindAndAlwaysReportModified)
{
    CTovikEliteConfig config;
    EXPECT_FALSE(config.SetAuxiliaryAssignment(3, AssignmentRecord::OfKind(AssignmentKind::Click)));
    EXPECT_EQ(config.GetAuxiliaryAssignmentCount(), 0u);

    AssignmentRecord record = AssignmentRecord::OfKind(AssignmentKind::Auxiliary);
    record.WriteWord(0, 42);
    EXPECT_TRUE(config.SetAuxiliaryAssignment(9, record));
    EXPECT_EQ(config.GetAuxiliaryAssignment(9), record);
    EXPECT_TRUE(config.IsModified(CategoryId::AuxiliaryAssignments));
    config.CommitAll();
    EXPECT_TRUE(config.SetAuxiliaryAssignment(9, record));
    EXPECT_TRUE(config.IsModified(CategoryId::AuxiliaryAssignments)) << "same record, still sent";

    EXPECT_EQ(config.GetAuxiliaryAssignment(2).kind, AssignmentKind::Unset);
    EXPECT_EQ(config.GetAuxiliaryAssignmentCount(), 2u);
    EXPECT_EQ(config.GetAuxiliaryAssignmentKey(0), 2);
    EXPECT_EQ(config.GetAuxiliaryAssignmentKey(1), 9);
    EXPECT_EQ(config.GetAuxiliaryAssignmentKey(2), 0);
}

TEST(ConfigValues, CounterRecordsRefuseIndexesOutOfRange)
{
    CTovikEliteConfig config;
    uint32_t a = 7, b = 7, c = 7;
    EXPECT_FALSE(config.SetCounterFirst(0, 1));
    EXPECT_FALSE(config.GetCounterSecondThird(0, b, c));
    config.AddCounter(1, 2, 3);
    EXPECT_TRUE(config.SetCounterSecondThird(0, 20, 30));
    EXPECT_TRUE(config.GetCounterFirst(0, a));
    EXPECT_TRUE(config.GetCounterSecondThird(0, b, c));
    EXPECT_EQ(a, 1u);
    EXPECT_EQ(b, 20u);
    EXPECT_EQ(c, 30u);
    config.ClearCounters();
    EXPECT_EQ(config.GetCounterCount(), 0u);
}

TEST(ConfigMacros, NamesAreUniqueIgnoringCaseAndLimitedInLength)
{
    CTovikEliteConfig config;
    CMacro* macro = config.CreateMacro(u"Burst");
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(config.CreateMacro(u"BURST"), nullptr);
    EXPECT_EQ(config.CreateMacro(std::u16string(256, u'x')), nullptr);
    EXPECT_NE(config.CreateMacro(std::u16string(255, u'x')), nullptr);
    EXPECT_EQ(config.GetMacroCount(), 2u);
    EXPECT_EQ(config.FindMacroByName(u"burst"), macro);
    EXPECT_EQ(config.FindMacroByGuid(GUID_NULL), macro);
    EXPECT_TRUE(macro->GetEvents().empty());
}

TEST(ConfigMacros, EditingALiveMacroIsTrackedByPositionUntilCommitOrDeletion)
{
    CTovikEliteConfig config;
    CMacro* first = config.CreateMacro(u"One");
    CMacro* second = config.CreateMacro(u"Two");
    EXPECT_FALSE(config.IsListElementModified(CategoryList::Macros, 1)) << "a new macro starts clean";

    second->Events().push_back(MacroEvent::Delay(5));
    EXPECT_TRUE(config.IsListElementModified(CategoryList::Macros, 1));
    EXPECT_TRUE(config.IsModified(CategoryId::Macros));
    EXPECT_TRUE(config.IsListElementModified(CategoryList::Macros, 2)) << "out of range";
    EXPECT_TRUE(config.IsListElementModified(7, 0)) << "not a list";

    config.DeleteMacro(first);
    EXPECT_EQ(config.GetMacroCount(), 1u);
    EXPECT_EQ(config.GetMacro(0), second);
    EXPECT_TRUE(config.IsListElementModified(CategoryList::Macros, 0)) << "positions follow the list";
    config.CommitAll();
    EXPECT_FALSE(config.IsListElementModified(CategoryList::Macros, 0));

    CMacro stranger;
    config.DeleteMacro(&stranger);
    config.DeleteMacro(nullptr);
    EXPECT_EQ(config.GetMacroCount(), 1u);
}

TEST(ConfigApps, EntriesAreUniqueIgnoringCaseAndTrackedWithCase)
{
    CTovikEliteConfig config;
    CZmApp* app = config.CreateApp(u"Browser");
    ASSERT_NE(app, nullptr);
    EXPECT_EQ(config.CreateApp(u"browser"), nullptr);
    EXPECT_EQ(config.FindAppByName(u"BROWSER"), app);
    app->SetName(u"browser");
    EXPECT_TRUE(config.IsListElementModified(CategoryList::Apps, 0));
    config.CommitAll();
    EXPECT_FALSE(config.IsListElementModified(CategoryList::Apps, 0));
    GUID guid = GUID::Generate();
    app->SetGuid(guid);
    EXPECT_EQ(config.FindAppByGuid(guid), app);
    config.DeleteApp(app);
    EXPECT_EQ(config.GetAppCount(), 0u);
    EXPECT_EQ(config.GetApp(0), nullptr);
}

TEST(ConfigTracking, AnyModifiedLooksAtTheGivenProfileOrAtEverything)
{
    CTovikEliteConfig config;
    IMouseProfile* first = config.CreateProfile(u"A");
    IMouseProfile* second = config.CreateProfile(u"B");
    config.CommitAll();
    first->CommitAll();
    second->CommitAll();
    config.SetCurrentProfile(first);
    config.CommitAll();
    EXPECT_FALSE(config.IsAnyModified());

    config.SetCurrentDpi(3200, second);
    EXPECT_TRUE(config.IsAnyModified());
    EXPECT_TRUE(config.IsAnyModified(second));
    EXPECT_FALSE(config.IsAnyModified(first));
    config.CommitAll();
    EXPECT_TRUE(config.IsAnyModified()) << "profiles are committed on their own";
    second->CommitAll();
    EXPECT_FALSE(config.IsAnyModified());
}

} // namespace
