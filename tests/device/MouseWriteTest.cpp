// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceFixture.h"

#include "device/DeviceDescriptor.h"
#include "device/DeviceText.h"
#include "device/Mouse.h"
#include "settings/IMouseProfile.h"

#include <algorithm>

namespace {

using Counts = std::map<std::string, uint64_t>;

// The change calls of `after` that `baseline` (a write with nothing modified) does
// not make.
Counts Beyond(const Counts& after, const Counts& baseline)
{
    Counts extra;
    for (const auto& [name, count] : after) {
        auto it = baseline.find(name);
        const uint64_t base = it == baseline.end() ? 0 : it->second;
        if (count > base)
            extra[name] = count - base;
    }
    return extra;
}

class MouseWriteTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        Plug(0x0031);
        emulator::DeviceImage image = Image(0x0031);
        emulator::ProfileImage second = image.profiles.front();
        second.id = GUID::Generate();
        second.name = u"Second";
        image.profiles.push_back(second);
        emulator::MacroImage macro;
        macro.id = GUID::Generate();
        macro.name = u"Burst";
        macro.events = {{kMacroEventMouseButton, MacroButtonCode(1, true), 0, 0},
                        {kMacroEventMouseButton, MacroButtonCode(1, false), 0, 0}};
        image.macros.push_back(macro);
        Store(image);
        mouse_ = std::make_unique<CMouse>(*FindSupportedDevice(0x0031));
        ASSERT_TRUE(mouse_->ReadAll(&config_));
        ASSERT_TRUE(mouse_->Transfer(&config_, TransferMode::Read, TransferFlags::All));
        ASSERT_FALSE(config_.IsAnyModified());
        ASSERT_TRUE(Write());
        baseline_ = Changes();
        emulator::FaultInjection::ResetCounters();
    }

    // Starts a write and waits for its completion step; its result.
    bool Write(uint16_t flags = TransferFlags::All)
    {
        emulator::FaultInjection::ResetCounters();
        if (!mouse_->Transfer(&config_, TransferMode::Write, flags))
            return false;
        EXPECT_TRUE(Eventually([&] { return !mouse_->IsBusy(); }));
        return mouse_->LastWriteResult().value_or(false);
    }

    IMouseProfile* Profile(size_t index) { return config_.GetProfile(index); }

    std::unique_ptr<CMouse> mouse_;
    CTovikEliteConfig config_;
    Counts baseline_;
};

} // namespace

TEST_F(MouseWriteTest, NothingModifiedChangesNothingOnTheDevice)
{
    // The device holds every name, program and option the profiles state, and the
    // active profile: sending any of them again would change nothing.
    EXPECT_TRUE(baseline_.empty()) << ::testing::PrintToString(baseline_);
    ASSERT_TRUE(Write());
    EXPECT_TRUE(Changes().empty()) << ::testing::PrintToString(Changes());
    // Each profile is still looked up and its name read on every write.
    EXPECT_EQ(Calls("Profiles.GetById"), 2u);
    EXPECT_EQ(Calls("Profile.GetName"), 2u);
}

TEST_F(MouseWriteTest, AProfileSwitchMadeOnTheDeviceMeanwhileSurvivesAnApply)
{
    // Another program (the tray, a profile button) switches the device to the second profile.
    emulator::DeviceImage image = Image(0x0031);
    image.activeProfile = Profile(1)->GetGuid();
    Store(image);

    Profile(0)->SetStageDpi(3, 2500);
    ASSERT_TRUE(Write());
    EXPECT_EQ(Calls("Profiles.Activate"), 0u);
    EXPECT_EQ(Image(0x0031).activeProfile, Profile(1)->GetGuid());

    // The user's own choice does reach the device, once.
    for (IMouseProfile* chosen : {Profile(1), Profile(0)}) {
        config_.SetCurrentProfile(chosen);
        ASSERT_TRUE(config_.IsModified(CategoryId::ActiveProfile));
        ASSERT_TRUE(Write());
        EXPECT_EQ(Calls("Profiles.Activate"), 1u);
        EXPECT_EQ(Image(0x0031).activeProfile, chosen->GetGuid());
        ASSERT_TRUE(Write());
        EXPECT_EQ(Calls("Profiles.Activate"), 0u);
    }
}

TEST_F(MouseWriteTest, AnotherDeviceObjectOrAFailedActivationActivatesAgain)
{
    // A device object that has not read this device does not know its active profile.
    CMouse other(*FindSupportedDevice(0x0031));
    emulator::DeviceImage image = Image(0x0031);
    image.activeProfile = Profile(1)->GetGuid();
    Store(image);
    emulator::FaultInjection::ResetCounters();
    ASSERT_TRUE(other.Transfer(&config_, TransferMode::Write, TransferFlags::All));
    ASSERT_TRUE(Eventually([&] { return !other.IsBusy(); }));
    EXPECT_EQ(other.LastWriteResult(), true);
    EXPECT_EQ(Calls("Profiles.Activate"), 1u);
    EXPECT_EQ(Image(0x0031).activeProfile, Profile(0)->GetGuid());

    // A choice that did not reach the device is tried again on the next write.
    config_.SetCurrentProfile(Profile(1));
    emulator::FaultInjection::FailOperation("Profiles.Activate");
    EXPECT_FALSE(Write());
    emulator::FaultInjection::Reset();
    ASSERT_TRUE(Write());
    EXPECT_EQ(Calls("Profiles.Activate"), 1u);
    EXPECT_EQ(Image(0x0031).activeProfile, Profile(1)->GetGuid());
}

TEST_F(MouseWriteTest, EachChangedIdentityReachesTheDeviceAndOnlyOnce)
{
    struct Case {
        const char* what;
        std::function<void()> change;
        Counts expected;
        std::function<bool(const emulator::ProfileImage&)> onDevice;
    };
    const std::vector<Case> cases = {
        {"name",
         [&] { Profile(1)->SetName(u"Renamed"); },
         {{"Profile.SetName", 1}},
         [](const emulator::ProfileImage& p) { return p.name == u"Renamed"; }},
        {"program",
         [&] { ASSERT_TRUE(Profile(1)->SetLinkedProgramPath(u"/usr/bin/game")); },
         {{"Properties.Set", 4}},
         [](const emulator::ProfileImage& p) { return p.programPath == u"/usr/bin/game"; }},
        // The same file name in another folder is another program.
        {"folder of the program",
         [&] { ASSERT_TRUE(Profile(1)->SetLinkedProgramPath(u"/opt/game")); },
         {{"Properties.Set", 4}},
         [](const emulator::ProfileImage& p) { return p.programPath == u"/opt/game"; }},
        {"auto switch",
         [&] { Profile(1)->SetAutoSwitch(!Profile(1)->GetAutoSwitch()); },
         {{"Properties.Set", 4}},
         [&](const emulator::ProfileImage& p) { return ((p.options & 1) != 0) == Profile(1)->GetAutoSwitch(); }},
        {"sensitivity display",
         [&] { Profile(1)->SetDpiOsd(!Profile(1)->GetDpiOsd()); },
         {{"Properties.Set", 4}},
         [&](const emulator::ProfileImage& p) { return ((p.options & 2) != 0) == Profile(1)->GetDpiOsd(); }},
        {"profile display",
         [&] { Profile(1)->SetProfileOsd(!Profile(1)->GetProfileOsd()); },
         {{"Properties.Set", 4}},
         [&](const emulator::ProfileImage& p) { return ((p.options & 4) != 0) == Profile(1)->GetProfileOsd(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        ASSERT_TRUE(Write());
        EXPECT_EQ(Changes(), c.expected);
        EXPECT_TRUE(c.onDevice(Image(0x0031).profiles[1]));
        ASSERT_TRUE(Write());
        EXPECT_TRUE(Changes().empty()) << ::testing::PrintToString(Changes());
    }
}

TEST_F(MouseWriteTest, PropertiesThatDidNotReachTheDeviceAreSentAgain)
{
    ASSERT_TRUE(Profile(0)->SetLinkedProgramPath(u"/usr/bin/editor"));
    Profile(0)->SetAutoSwitch(true);
    emulator::FaultInjection::FailOperation("Properties.Set");
    EXPECT_FALSE(Write());
    emulator::FaultInjection::Reset();
    ASSERT_TRUE(Write());
    EXPECT_EQ(Calls("Properties.Set"), 4u);
    const emulator::DeviceImage image = Image(0x0031);
    EXPECT_EQ(image.profiles[0].programPath, u"/usr/bin/editor");
    EXPECT_EQ(image.profiles[0].options & 1, 1);
}

TEST_F(MouseWriteTest, EachChangeSendsOnlyItsGroup)
{
    struct Case {
        const char* what;
        std::function<void()> change;
        Counts expected;
    };
    const std::vector<Case> cases = {
        {"stage", [&] { Profile(0)->SetStageDpi(3, 2500); }, {{"Sensitivity.SetStages", 1}}},
        {"selected stage", [&] { Profile(1)->SelectStage(4); }, {{"Sensitivity.SetStage", 1}}},
        {"button",
         [&] { Profile(1)->SetButtonAssignment(MOUSE_BUTTON_4, AssignmentRecord::OfKind(AssignmentKind::Forward)); },
         {{"Buttons.Set", 1}}},
        {"led colour", [&] { Profile(0)->SetLedColour(LED_SCROLL_WHEEL, 0x0000FF); }, {{"Light.SetColour", 1}}},
        {"polling rate", [&] { config_.SetPollingRate(POLLING_RATE_0); }, {{"ReportInterval.Set", 1}}},
        {"power", [&] { config_.SetIdleTimeBeforeSleep(900); }, {{"Power.SetSleepTimeout", 1}}},
        {"acceleration", [&] { config_.SetAccelerationOn(true); }, {{"Acceleration.TurnOn", 1}}},
        {"calibration", [&] { config_.SetLiftOffRange(60); }, {{"Calibration.SetLiftOff", 1}}},
        {"macro", [&] { config_.GetMacro(0)->Events().push_back(MacroEvent::Delay(20)); }, {{"Macro.SetEvents", 1}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        c.change();
        ASSERT_TRUE(config_.IsAnyModified());
        ASSERT_TRUE(Write());
        EXPECT_EQ(Beyond(Changes(), baseline_), c.expected);
        EXPECT_FALSE(config_.IsAnyModified());
    }

    const emulator::DeviceImage image = Image(0x0031);
    EXPECT_EQ(image.profiles[0].stages[2].x, 2500u);
    EXPECT_EQ(image.profiles[1].currentStage, 4u);
    EXPECT_EQ(image.profiles[1].buttons.at(ButtonBit(4)).bytes[12], 4); // forward
    EXPECT_EQ(image.profiles[0].lights[0].colour, 0x0000FFu);
    EXPECT_EQ(image.reportInterval, 8u);
    EXPECT_EQ(image.sleepTimeout, 900u);
    EXPECT_TRUE(image.accelerationOn);
    EXPECT_EQ(image.liftOff, 60u);
    ASSERT_EQ(image.macros[0].events.size(), 3u);
    EXPECT_EQ(image.macros[0].events[2].milliseconds, 20u);
}

TEST_F(MouseWriteTest, FlagsSelectTheGroups)
{
    Profile(0)->SetStageDpi(1, 1000);
    config_.SetIdleTimeBeforeSleep(30);
    // Battery is read only: a write of it alone sends nothing.
    ASSERT_TRUE(Write(TransferFlags::Battery));
    EXPECT_TRUE(Changes().empty());
    ASSERT_TRUE(Write(TransferFlags::Power));
    EXPECT_EQ(Changes(), (Counts{{"Power.SetSleepTimeout", 1}}));
    EXPECT_TRUE(Profile(0)->IsAnyModified());
    EXPECT_EQ(Image(0x0031).profiles[0].stages[0].x, 800u);
}

TEST_F(MouseWriteTest, NewProfilesAndMacrosAreCreatedOnTheDevice)
{
    IMouseProfile* added = config_.CreateProfile(u"Added");
    config_.SetCurrentProfile(added);
    CMacro* macro = config_.CreateMacro(u"Typed");
    macro->SetEvents({MacroEvent::Keystroke(0x1E, 'A', true, false), MacroEvent::Keystroke(0x1E, 'A', false, false)});
    config_.DeleteMacro(config_.FindMacroByName(u"Burst"));
    ASSERT_TRUE(Write());

    const emulator::DeviceImage image = Image(0x0031);
    ASSERT_EQ(image.profiles.size(), 3u);
    EXPECT_EQ(image.profiles[2].name, u"Added");
    EXPECT_FALSE(added->GetGuid().IsNull());
    EXPECT_EQ(image.profiles[2].id, added->GetGuid());
    EXPECT_EQ(image.activeProfile, added->GetGuid());
    ASSERT_EQ(image.macros.size(), 1u);
    EXPECT_EQ(image.macros[0].name, u"Typed");
    EXPECT_EQ(image.macros[0].id, macro->GetGuid());
    ASSERT_EQ(image.macros[0].events.size(), 2u);
    EXPECT_EQ(image.macros[0].events[1].flags, kMacroKeyRelease);
    EXPECT_EQ(Calls("Macros.Delete"), 1u);
}

TEST_F(MouseWriteTest, AnUnknownPollingRateFailsTheWriteButPowerIsStillSent)
{
    config_.SetPollingRate(static_cast<tPollingRate>(3));
    config_.SetIdleTimeBeforeSleep(450);
    config_.SetLiftOffRange(70);
    config_.GetMacro(0)->SetName(u"Renamed");
    IMouseProfile* second = Profile(1);
    config_.SetCurrentProfile(second);
    EXPECT_FALSE(Write());
    const emulator::DeviceImage image = Image(0x0031);
    EXPECT_EQ(image.sleepTimeout, 450u);
    EXPECT_EQ(image.liftOff, 20u);
    // Macros go before the profiles, so the rename is ahead of the failure.
    EXPECT_EQ(image.macros[0].name, u"Renamed");
    EXPECT_EQ(image.activeProfile, Profile(0)->GetGuid());
    EXPECT_EQ(Calls("ReportInterval.Set"), 0u);
    // Nothing that failed to reach the device is forgotten.
    EXPECT_TRUE(config_.IsModified(CategoryId::LiftOffRange));
    EXPECT_TRUE(config_.IsModified(CategoryId::PollingRate));
}

TEST_F(MouseWriteTest, ProgressReachesEachListenerOnceInOrder)
{
    SetDeviceTextTranslator([](std::u16string_view key) {
        return key == u"$Profile:" ? std::u16string(u"Profile: ") : std::u16string(key);
    });
    RecordingWindow first;
    RecordingWindow second;
    mouse_->AddProgressListener(&first);
    mouse_->AddProgressListener(&second);
    mouse_->AddProgressListener(&first);
    EXPECT_EQ(mouse_->GetProgressMessenger()->Listeners().size(), 2u);
    ASSERT_TRUE(Write());
    SetDeviceTextTranslator(nullptr);

    const std::vector<LPARAM> perProfile = {10, 30, 60, 90, 100};
    std::vector<LPARAM> expected = perProfile;
    expected.insert(expected.end(), perProfile.begin(), perProfile.end());
    EXPECT_EQ(first.Percentages(), expected);
    EXPECT_EQ(second.Percentages(), expected);
    EXPECT_EQ(first.Texts(), (std::vector<std::u16string>{u"Profile: PROFILE01", u"Profile: Second"}));
    for (const auto& message : first.Messages())
        EXPECT_EQ(message.wParam, reinterpret_cast<WPARAM>(mouse_->GetProgressMessenger()));
    // The text goes before the percentages of its profile.
    EXPECT_EQ(first.Messages().front().msg, WM_DEVICE_PROGRESS_TEXT);

    mouse_->RemoveProgressListener(&first);
    ASSERT_TRUE(Write());
    EXPECT_EQ(first.Percentages().size(), expected.size());
    EXPECT_EQ(second.Percentages().size(), 2 * expected.size());
}

TEST_F(MouseWriteTest, OneWriteAtATime)
{
    RecordingWindow window;
    std::atomic<int> secondStarted{-1};
    std::atomic<int> readDuringWrite{-1};
    window.onMessage = [&](const RecordingWindow::Message& message) {
        if (message.msg == WM_DEVICE_PROGRESS && message.lParam == 30 && secondStarted.load() < 0) {
            secondStarted.store(mouse_->Transfer(&config_, TransferMode::Write, TransferFlags::All) ? 1 : 0);
            readDuringWrite.store(mouse_->Transfer(&config_, TransferMode::Read, TransferFlags::All) ? 1 : 0);
        }
    };
    mouse_->AddProgressListener(&window);
    Profile(0)->SetStageDpi(2, 1600);
    ASSERT_TRUE(mouse_->Transfer(&config_, TransferMode::Write, TransferFlags::All));
    EXPECT_TRUE(mouse_->IsBusy());
    ASSERT_TRUE(Eventually([&] { return !mouse_->IsBusy(); }));
    EXPECT_EQ(secondStarted.load(), 0);
    EXPECT_EQ(readDuringWrite.load(), 0);
    EXPECT_EQ(mouse_->LastWriteResult(), true);
    mouse_->RemoveProgressListener(&window);
    // After the first has completed, a new one starts.
    EXPECT_TRUE(Write());
}

TEST_F(MouseWriteTest, DestructionEndsThePauseAfterAWrite)
{
    // A pause this long would outlast any test run unless destruction ends it.
    DeviceTiming timing = GetDeviceTiming();
    timing.afterWrite = std::chrono::minutes(10);
    SetDeviceTiming(timing);
    Profile(0)->SetStageDpi(2, 1700);
    ASSERT_TRUE(mouse_->Transfer(&config_, TransferMode::Write, TransferFlags::All));
    ASSERT_TRUE(Eventually([&] { return mouse_->LastWriteResult().has_value(); }));
    EXPECT_TRUE(mouse_->IsBusy());
    mouse_.reset();
    EXPECT_EQ(Image(0x0031).profiles[0].stages[1].x, 1700u);
}

TEST_F(MouseWriteTest, AFailingLightIsSkippedButStaysPendingAndTheWriteSaysSo)
{
    Profile(0)->SetLedColour(LED_SCROLL_WHEEL, 0x010203);
    Profile(0)->SetLedBrightness(LED_BATTERY_INDICATOR, 30);
    emulator::FaultInjection::FailOperation("Light.SetColour");
    EXPECT_FALSE(Write());
    emulator::DeviceImage image = Image(0x0031);
    EXPECT_NE(image.profiles[0].lights[0].colour, 0x010203u);
    EXPECT_EQ(image.profiles[0].lights[1].brightness, 30u);
    EXPECT_TRUE(Profile(0)->IsLedElementModified(CategoryId::LedColour, LED_SCROLL_WHEEL));

    emulator::FaultInjection::Reset();
    EXPECT_TRUE(Write());
    image = Image(0x0031);
    EXPECT_EQ(image.profiles[0].lights[0].colour, 0x010203u);
    EXPECT_FALSE(Profile(0)->IsAnyModified());
}

TEST_F(MouseWriteTest, AMacroNamedInAnAssignmentIsSentByItsIdentity)
{
    AssignmentRecord byName = AssignmentRecord::OfKind(AssignmentKind::MacroByName);
    ASSERT_TRUE(byName.WriteName(u"burst")); // names match ignoring case
    byName.WritePlayMode(MacroPlayMode::Multiple);
    ASSERT_TRUE(Profile(0)->SetButtonAssignment(MOUSE_BUTTON_5, byName));
    ASSERT_TRUE(Write());
    const emulator::DeviceImage image = Image(0x0031);
    const ButtonRecord& record = image.profiles[0].buttons.at(ButtonBit(5));
    EXPECT_EQ(record.bytes[8], 8);
    EXPECT_EQ(GUID::FromBytes(record.bytes + 12), config_.GetMacro(0)->GetGuid());
    EXPECT_EQ(record.bytes[28], 2);
}

TEST_F(DeviceTest, TheEarlierGenerationIgnoresItsSensitivityResult)
{
    Plug(0x0013);
    CMouse mouse(*FindSupportedDevice(0x0013));
    CTovikEliteConfig config;
    ASSERT_TRUE(mouse.ReadAll(&config));
    ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Read, TransferFlags::All));
    config.GetProfile(0)->SetStageDpi(1, 1000);
    config.GetProfile(0)->SetButtonAssignment(MOUSE_BUTTON_4, AssignmentRecord::OfKind(AssignmentKind::Forward));
    emulator::FaultInjection::FailOperation("Sensitivity.SetStages");
    ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Write, TransferFlags::All));
    ASSERT_TRUE(Eventually([&] { return !mouse.IsBusy(); }));
    EXPECT_EQ(mouse.LastWriteResult(), true);
    EXPECT_EQ(Image(0x0013).profiles[0].buttons.at(ButtonBit(4)).bytes[12], 4);
}

TEST_F(MouseWriteTest, AProfileNamedInAnAssignmentIsSwitchedToByItsIdentity)
{
    IMouseProfile* added = config_.CreateProfile(u"Added");
    const struct {
        const char* what;
        const char16_t* name;
        IMouseProfile* target;
        tMouseButton button;
        uint32_t number;
    } cases[] = {
        {"a profile this very write creates, after the one holding the button", u"Added", added, MOUSE_BUTTON_4, 4},
        {"a profile the device has, named ignoring case", u"second", Profile(1), MOUSE_BUTTON_5, 5},
    };
    for (const auto& c : cases) {
        AssignmentRecord byName = AssignmentRecord::OfKind(AssignmentKind::ProfileByName);
        ASSERT_TRUE(byName.WriteName(c.name));
        ASSERT_TRUE(Profile(0)->SetButtonAssignment(c.button, byName));
    }
    ASSERT_TRUE(Write());

    const emulator::DeviceImage image = Image(0x0031);
    CTovikEliteConfig fresh;
    CMouse reader(*FindSupportedDevice(0x0031));
    ASSERT_TRUE(reader.ReadAll(&fresh));
    ASSERT_TRUE(reader.Transfer(&fresh, TransferMode::Read, TransferFlags::All));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_FALSE(c.target->GetGuid().IsNull());
        const ButtonRecord& record = image.profiles[0].buttons.at(ButtonBit(c.number));
        EXPECT_EQ(record.bytes[8], 3) << "not a profile switch";
        EXPECT_EQ(record.bytes[12], 3) << "not a switch to a named profile";
        EXPECT_EQ(GUID::FromBytes(record.bytes + 16), c.target->GetGuid());
        // The model now follows the profile by identity, as a fresh read does.
        AssignmentRecord byId = AssignmentRecord::OfKind(AssignmentKind::ProfileById);
        byId.WriteGuid(c.target->GetGuid());
        EXPECT_EQ(Profile(0)->GetButtonAssignment(c.button), byId);
        EXPECT_EQ(fresh.GetProfile(0)->GetButtonAssignment(c.button), byId);
    }
    EXPECT_FALSE(config_.IsAnyModified());
}

TEST_F(MouseWriteTest, AProfileNamedByNoProfileFailsTheWriteAndStaysPendingUntilItExists)
{
    const ButtonRecord before = Image(0x0031).profiles[0].buttons.at(ButtonBit(5));
    AssignmentRecord byName = AssignmentRecord::OfKind(AssignmentKind::ProfileByName);
    ASSERT_TRUE(byName.WriteName(u"Missing"));
    ASSERT_TRUE(Profile(0)->SetButtonAssignment(MOUSE_BUTTON_5, byName));

    EXPECT_FALSE(Write());
    emulator::DeviceImage image = Image(0x0031);
    const ButtonRecord& kept = image.profiles[0].buttons.at(ButtonBit(5));
    EXPECT_TRUE(std::equal(std::begin(kept.bytes), std::end(kept.bytes), std::begin(before.bytes)))
        << "the button was overwritten with a record naming nothing";
    EXPECT_TRUE(Profile(0)->IsButtonAssignmentModified(false, MOUSE_BUTTON_5));
    EXPECT_EQ(Profile(0)->GetButtonAssignment(MOUSE_BUTTON_5), byName);

    IMouseProfile* missing = config_.CreateProfile(u"Missing");
    EXPECT_TRUE(Write());
    image = Image(0x0031);
    EXPECT_EQ(GUID::FromBytes(image.profiles[0].buttons.at(ButtonBit(5)).bytes + 16), missing->GetGuid());
    EXPECT_FALSE(config_.IsAnyModified());
}
