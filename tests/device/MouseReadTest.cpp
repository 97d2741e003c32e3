// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceFixture.h"

#include "device/DeviceDescriptor.h"
#include "device/Mouse.h"
#include "emulator/Products.h"
#include "settings/IMouseProfile.h"

namespace {

using emulator::DeviceImage;

ButtonRecord MacroButton(const GUID& macro, uint8_t deviceMode, uint8_t repeat)
{
    ButtonRecord record;
    record.bytes[0] = 1;
    record.bytes[8] = 8;
    const auto bytes = macro.ToBytes();
    std::copy(bytes.begin(), bytes.end(), record.bytes + 12);
    record.bytes[28] = deviceMode;
    record.bytes[29] = repeat;
    return record;
}

// A current-generation image with something other than the factory value in
// every group the read covers.
DeviceImage Customise(DeviceImage image)
{
    emulator::ProfileImage second = image.profiles.front();
    second.id = GUID::Generate();
    second.name = u"Shooter";
    second.programPath = u"/usr/bin/game";
    second.options = kOptionAutoSwitch | kOptionProfileOsd;
    second.stages = {{400, 400}, {900, 1200}, {3200, 3200}};
    second.stagesInUse = 2;
    second.separateStages = StageBit(2);
    second.currentStage = 2;
    second.sensitivity = {700, 900};
    second.lights[0].colour = 0x00FF00;
    second.lights[0].brightness = 40;
    second.lights[0].effect = 5;
    second.lights[1].on = false;

    emulator::MacroImage macro;
    macro.id = GUID::Generate();
    macro.name = u"Reload";
    macro.events = {{kMacroEventKeystroke, 0x13, 0, 0},
                    {kMacroEventDelay, 0, 0, 35},
                    {kMacroEventKeystroke, 0x13, kMacroKeyRelease, 0},
                    {kMacroEventMouseButton, MacroButtonCode(2, true), 0, 0}};
    second.buttons[ButtonBit(4)] = MacroButton(macro.id, 4, 3);
    image.profiles.push_back(second);
    image.activeProfile = second.id;
    image.macros.push_back(macro);
    image.reportInterval = 1;
    image.accelerationOn = true;
    image.accelerationLevel = 7;
    image.calibrationOn = true;
    image.liftOffMode = 2;
    image.liftOff = 35;
    image.batteryWarning = 51; // 20 %
    image.dimBrightness = 90;
    image.sleepTimeout = 300;
    image.batteryLevel = 111;
    image.chargingState = 1;
    image.firmware[0] = 3;
    image.firmware[1] = 7;
    return image;
}

} // namespace

TEST_F(DeviceTest, ReadFillsTheConfigurationAsTheDeviceHoldsIt)
{
    Plug(0x0031);
    Store(Customise(Image(0x0031)));
    const DeviceImage image = Image(0x0031);

    CMouse mouse(*FindSupportedDevice(0x0031));
    CTovikEliteConfig config;
    ASSERT_TRUE(mouse.ReadAll(&config));
    ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Read, TransferFlags::All));
    EXPECT_TRUE(WasDeviceReadDone());

    ASSERT_EQ(config.GetProfileCount(), 2u);
    IMouseProfile* shooter = config.GetProfile(1);
    EXPECT_EQ(shooter->GetName(), u"Shooter");
    EXPECT_EQ(shooter->GetGuid(), image.profiles[1].id);
    EXPECT_EQ(config.GetCurrentProfile(), shooter);
    EXPECT_EQ(shooter->GetLinkedProgramPath(), u"/usr/bin/game");
    EXPECT_TRUE(shooter->GetAutoSwitch());
    EXPECT_FALSE(shooter->GetDpiOsd());
    EXPECT_TRUE(shooter->GetProfileOsd());

    EXPECT_EQ(shooter->GetStageCount(), 3u);
    EXPECT_EQ(shooter->GetStagesInUse(), 2u);
    EXPECT_EQ(shooter->GetStageDpi(1), 400u);
    EXPECT_TRUE(shooter->GetStageSeparate(2));
    EXPECT_EQ(shooter->GetStageX(2), 900u);
    EXPECT_EQ(shooter->GetStageY(2), 1200u);
    EXPECT_EQ(shooter->GetSelectedStage(), 2);
    EXPECT_TRUE(shooter->GetCurrentSeparate());
    EXPECT_EQ(shooter->GetCurrentX(), 700u);
    EXPECT_EQ(shooter->GetCurrentY(), 900u);

    const AssignmentRecord macroButton = shooter->GetButtonAssignment(MOUSE_BUTTON_4);
    EXPECT_EQ(macroButton.kind, AssignmentKind::MacroById);
    EXPECT_EQ(macroButton.ReadGuid(), image.macros[0].id);
    EXPECT_EQ(macroButton.ReadPlayMode(), MacroPlayMode::WhilePressed);
    EXPECT_EQ(macroButton.ReadRepeatCount(), 3);
    EXPECT_EQ(shooter->GetButtonAssignment(MOUSE_BUTTON_RIGHT).kind, AssignmentKind::Menu);
    EXPECT_EQ(shooter->GetButtonAssignment(MOUSE_BUTTON_10).kind, AssignmentKind::SensitivityStageUp);

    EXPECT_EQ(shooter->GetLedColour(LED_SCROLL_WHEEL), 0x00FF00u);
    EXPECT_EQ(shooter->GetLedBrightness(LED_SCROLL_WHEEL), 40u);
    EXPECT_EQ(shooter->GetLedEffect(LED_SCROLL_WHEEL), LED_EFFECT_SPECTRUM_CYCLING);
    EXPECT_FALSE(shooter->GetLedState(LED_BATTERY_INDICATOR));

    ASSERT_EQ(config.GetMacroCount(), 1u);
    const CMacro* macro = config.GetMacro(0);
    EXPECT_EQ(macro->GetName(), u"Reload");
    ASSERT_EQ(macro->GetEvents().size(), 4u);
    EXPECT_EQ(macro->GetEvents()[0].ScanCode(), 0x13);
    EXPECT_TRUE(macro->GetEvents()[0].IsPress());
    EXPECT_FALSE(macro->GetEvents()[2].IsPress());
    EXPECT_EQ(macro->GetEvents()[1], MacroEvent::Delay(35));
    EXPECT_EQ(macro->GetEvents()[3], MacroEvent::MouseButton(2, true));

    EXPECT_EQ(config.GetPollingRate(), POLLING_RATE_2);
    EXPECT_EQ(config.GetSupportedPollingRateCount(), 3u);
    EXPECT_TRUE(config.GetAccelerationOn());
    EXPECT_EQ(config.GetAccelerationLevel(), 7u);
    EXPECT_TRUE(config.GetSurfaceCalibration());
    EXPECT_FALSE(config.GetAutomaticLiftOff());
    EXPECT_EQ(config.GetLiftOffRange(), 35u);
    EXPECT_EQ(config.GetBatteryWarningLevel(), 20u);
    EXPECT_EQ(config.GetReducedBrightness(), 90u);
    EXPECT_EQ(config.GetIdleTimeBeforeSleep(), 300u);
    EXPECT_EQ(config.GetBatteryLevel(), 111u);
    EXPECT_EQ(config.GetChargingState(), 1);

    std::u16string firmware;
    mouse.GetFirmwareVersion(firmware);
    EXPECT_EQ(firmware, u"3.07");
    // What was read is not pending for the next write.
    EXPECT_FALSE(config.IsAnyModified());
}

TEST_F(DeviceTest, TheDescriptorDecidesWhichGroupsAreRead)
{
    Plug(0x0013);
    CMouse legacy(*FindSupportedDevice(0x0013));
    CTovikEliteConfig config;
    ASSERT_TRUE(legacy.ReadAll(&config));
    emulator::FaultInjection::ResetCounters();
    ASSERT_TRUE(legacy.Transfer(&config, TransferMode::Read, TransferFlags::All));
    EXPECT_EQ(Calls("Calibration.IsOn"), 0u);
    EXPECT_EQ(Calls("Power.GetBatteryWarning"), 0u);
    EXPECT_GT(Calls("Battery.GetLevel"), 0u);

    // Without the profile feature nothing of the profiles is touched.
    const FeatureId noProfiles[] = {Feature::ReportInterval, Feature::Battery};
    const DeviceDescriptor bare{0x0013, noProfiles, std::size(noProfiles), u"bare"};
    CMouse mouse(bare);
    CTovikEliteConfig other;
    emulator::FaultInjection::ResetCounters();
    ASSERT_TRUE(mouse.ReadAll(&other));
    ASSERT_TRUE(mouse.Transfer(&other, TransferMode::Read, TransferFlags::All));
    EXPECT_EQ(other.GetProfileCount(), 0u);
    EXPECT_EQ(Calls("Profiles.Get"), 0u);
    EXPECT_EQ(Calls("Profiles.GetActive"), 0u);
    EXPECT_EQ(other.GetPollingRate(), POLLING_RATE_1);
}

TEST_F(DeviceTest, OpenRules)
{
    Plug(0x0031);
    const DeviceDescriptor none{0, nullptr, 0, u"none"};
    CMouse nothing(none);
    CTovikEliteConfig config;
    EXPECT_FALSE(nothing.ReadAll(&config));
    EXPECT_FALSE(nothing.IsPresent());
    EXPECT_EQ(emulator::FaultInjection::TotalCalls(), 0u);

    // A device that is not attached, and an unknown transfer mode.
    CMouse dock(*FindSupportedDevice(0x0032));
    EXPECT_FALSE(dock.ReadAll(&config));
    EXPECT_FALSE(dock.IsPresent());
    CMouse mouse(*FindSupportedDevice(0x0031));
    emulator::FaultInjection::ResetCounters();
    EXPECT_FALSE(mouse.Transfer(&config, 2, TransferFlags::All));
    EXPECT_EQ(emulator::FaultInjection::TotalCalls(), 0u);
    EXPECT_FALSE(mouse.IsBusy());

    // No device server at all.
    emulator::UnregisterEmulatedDeviceServer();
    EXPECT_FALSE(mouse.ReadAll(&config));
    emulator::RegisterEmulatedDeviceServer();
    EXPECT_TRUE(mouse.ReadAll(&config));
    EXPECT_TRUE(mouse.IsPresent());
}

TEST_F(DeviceTest, SingleItemOperations)
{
    Plug(0x0031);
    Store(Customise(Image(0x0031)));
    CMouse mouse(*FindSupportedDevice(0x0031));
    CTovikEliteConfig config;
    ASSERT_TRUE(mouse.ReadAll(&config));
    ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Read, TransferFlags::All));
    EXPECT_EQ(mouse.GetDeviceProfileCount(), 2);
    EXPECT_TRUE(mouse.QueryState());
    EXPECT_TRUE(mouse.Probe(0));
    EXPECT_TRUE(mouse.HasDeviceProfile(config.GetProfile(0)));
    EXPECT_TRUE(mouse.HasDeviceMacro(config.GetMacro(0)));

    const std::u16string profileFile = (temp_ / "shooter.zmp").u16string();
    const std::u16string macroFile = (temp_ / "reload.zmm").u16string();
    ASSERT_TRUE(mouse.ExportProfile(profileFile, config.GetProfile(1)));
    ASSERT_TRUE(mouse.ExportMacro(macroFile, config.GetMacro(0)));

    CMacro unsaved;
    EXPECT_FALSE(mouse.ExportMacro(macroFile, &unsaved)); // no device id
    EXPECT_FALSE(mouse.HasDeviceMacro(&unsaved));

    ASSERT_TRUE(mouse.ImportProfile(profileFile, &config));
    ASSERT_EQ(config.GetProfileCount(), 3u);
    IMouseProfile* imported = config.GetProfile(2);
    EXPECT_EQ(imported->GetName(), u"Shooter");
    EXPECT_NE(imported->GetGuid(), config.GetProfile(1)->GetGuid());
    EXPECT_EQ(imported->GetStageY(2), 1200u);
    EXPECT_EQ(imported->GetButtonAssignment(MOUSE_BUTTON_4).kind, AssignmentKind::MacroById);
    EXPECT_EQ(mouse.GetDeviceProfileCount(), 3);

    config.DeleteMacro(config.GetMacro(0));
    ASSERT_TRUE(mouse.ImportMacro(macroFile, &config));
    ASSERT_EQ(config.GetMacroCount(), 1u);
    EXPECT_EQ(config.GetMacro(0)->GetEvents().size(), 4u);

    // A bad file changes nothing.
    std::ofstream(temp_ / "bad.zmp") << "not a profile";
    EXPECT_FALSE(mouse.ImportProfile((temp_ / "bad.zmp").u16string(), &config));
    EXPECT_FALSE(mouse.ImportMacro((temp_ / "bad.zmp").u16string(), &config));
    EXPECT_EQ(config.GetProfileCount(), 3u);
    EXPECT_EQ(config.GetMacroCount(), 1u);

    Unplug(0x0031);
    EXPECT_FALSE(mouse.QueryState());
    EXPECT_FALSE(mouse.Probe(1));
    EXPECT_EQ(mouse.GetDeviceProfileCount(), 0);
    EXPECT_FALSE(mouse.RefreshFirmwareVersion());
}
