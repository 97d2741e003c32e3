// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceFixture.h"

#include "device/BatteryStatus.h"
#include "device/Mouse.h"
#include "device/MousePicker.h"
#include "settings/IMouseProfile.h"

namespace {

void ReadEverything(IMouseDevice& device, CTovikEliteConfig& config)
{
    ASSERT_TRUE(device.ReadAll(&config));
    ASSERT_TRUE(device.Transfer(&config, TransferMode::Read, TransferFlags::All));
}

} // namespace

TEST_F(DeviceTest, EveryGroupWrittenIsReadBackByAFreshServer)
{
    Plug(0x0031);
    {
        CMousePicker picker;
        CTovikEliteConfig config;
        ReadEverything(picker, config);
        IMouseProfile* profile = config.GetProfile(0);
        profile->SetName(u"Main");
        profile->SetLinkedProgramPath(u"/opt/game/run");
        profile->SetAutoSwitch(true);
        profile->SetDpiOsd(false);
        profile->SetStageSeparate(2, true);
        profile->SetStageX(2, 2100);
        profile->SetStageY(2, 2300);
        profile->SelectStage(4);
        profile->SetCurrentSeparate(false);
        profile->SetCurrentDpi(3300);
        profile->SetButtonAssignment(MOUSE_BUTTON_11, MakeTemporarySensitivityAssignment(400, 400, 400, false));
        profile->SetLedColour(LED_SCROLL_WHEEL, 0x123456);
        profile->SetLedBrightness(LED_SCROLL_WHEEL, 55);
        profile->SetLedEffect(LED_SCROLL_WHEEL, LED_EFFECT_SPECTRUM_CYCLING);
        profile->SetLedState(LED_BATTERY_INDICATOR, false);
        IMouseProfile* added = config.CreateProfile(u"Travel");
        config.SetCurrentProfile(added);
        CMacro* macro = config.CreateMacro(u"Combo");
        macro->SetEvents({MacroEvent::Keystroke(0x2A, 0xA0, true, false), MacroEvent::Delay(15),
                          MacroEvent::Keystroke(0x2A, 0xA0, false, false)});
        config.SetPollingRate(POLLING_RATE_2);
        config.SetAccelerationOn(true);
        config.SetAccelerationLevel(3);
        config.SetBatteryWarningLevel(30);
        config.SetReducedBrightness(10);
        config.SetIdleTimeBeforeSleep(1200);
        config.SetSurfaceCalibration(true);
        config.SetAutomaticLiftOff(false);
        config.SetLiftOffRange(80);

        ASSERT_TRUE(picker.Transfer(&config, TransferMode::Write, TransferFlags::All));
        ASSERT_TRUE(Eventually([&] { return !picker.IsBusy(); }));
        ASSERT_EQ(picker.SelectedMouse()->LastWriteResult(), true);
    }

    emulator::UnregisterEmulatedDeviceServer();
    emulator::RegisterEmulatedDeviceServer();
    CMouse mouse(*FindSupportedDevice(0x0031));
    CTovikEliteConfig config;
    ReadEverything(mouse, config);

    ASSERT_EQ(config.GetProfileCount(), 2u);
    IMouseProfile* profile = config.GetProfile(0);
    EXPECT_EQ(profile->GetName(), u"Main");
    EXPECT_EQ(profile->GetLinkedProgramPath(), u"/opt/game/run");
    EXPECT_TRUE(profile->GetAutoSwitch());
    EXPECT_FALSE(profile->GetDpiOsd());
    EXPECT_TRUE(profile->GetStageSeparate(2));
    EXPECT_EQ(profile->GetStageX(2), 2100u);
    EXPECT_EQ(profile->GetStageY(2), 2300u);
    EXPECT_EQ(profile->GetStageDpi(1), 800u);
    EXPECT_EQ(profile->GetSelectedStage(), 4);
    EXPECT_EQ(profile->GetCurrentDpi(), 3300u);
    EXPECT_FALSE(profile->GetCurrentSeparate());
    const AssignmentRecord temporary = profile->GetButtonAssignment(MOUSE_BUTTON_11);
    EXPECT_EQ(temporary.kind, AssignmentKind::TemporarySensitivity);
    EXPECT_EQ(temporary.ReadWord(0), 400u);
    EXPECT_EQ(profile->GetButtonAssignment(MOUSE_BUTTON_LEFT).kind, AssignmentKind::Click);
    EXPECT_EQ(profile->GetLedColour(LED_SCROLL_WHEEL), 0x123456u);
    EXPECT_EQ(profile->GetLedBrightness(LED_SCROLL_WHEEL), 55u);
    EXPECT_EQ(profile->GetLedEffect(LED_SCROLL_WHEEL), LED_EFFECT_SPECTRUM_CYCLING);
    EXPECT_FALSE(profile->GetLedState(LED_BATTERY_INDICATOR));
    EXPECT_TRUE(profile->GetLedState(LED_SCROLL_WHEEL));
    EXPECT_EQ(config.GetProfile(1)->GetName(), u"Travel");
    EXPECT_EQ(config.GetCurrentProfile(), config.GetProfile(1));

    ASSERT_EQ(config.GetMacroCount(), 1u);
    EXPECT_EQ(config.GetMacro(0)->GetName(), u"Combo");
    ASSERT_EQ(config.GetMacro(0)->GetEvents().size(), 3u);
    EXPECT_EQ(config.GetMacro(0)->GetEvents()[1], MacroEvent::Delay(15));
    EXPECT_EQ(config.GetPollingRate(), POLLING_RATE_2);
    EXPECT_TRUE(config.GetAccelerationOn());
    EXPECT_EQ(config.GetAccelerationLevel(), 3u);
    EXPECT_EQ(config.GetBatteryWarningLevel(), 30u);
    EXPECT_EQ(config.GetReducedBrightness(), 10u);
    EXPECT_EQ(config.GetIdleTimeBeforeSleep(), 1200u);
    EXPECT_TRUE(config.GetSurfaceCalibration());
    EXPECT_FALSE(config.GetAutomaticLiftOff());
    EXPECT_EQ(config.GetLiftOffRange(), 80u);
}

TEST_F(DeviceTest, BackgroundBatteryRead)
{
    EXPECT_EQ(ProductIdForDeviceCode(1), 0x0031u);
    EXPECT_EQ(ProductIdForDeviceCode(4), 0x0013u);
    EXPECT_EQ(ProductIdForDeviceCode(8), 0x001Bu);
    EXPECT_EQ(ProductIdForDeviceCode(18), 0x0032u);
    for (int code : {1, 2, 4, 8})
        EXPECT_EQ(DeviceCodeForProductId(ProductIdForDeviceCode(code)), code);
    EXPECT_EQ(DeviceCodeForProductId(0), 0);
    EXPECT_EQ(DeviceCodeForProductId(0x0099), 0);
    EXPECT_FALSE(ReadBatteryStatus(1)); // nothing attached

    Plug(0x0031);
    emulator::DeviceImage image = Image(0x0031);
    image.batteryLevel = 90;
    image.chargingState = 2;
    Store(image);
    CTovikEliteConfig config;
    config.SetBatteryRange();
    std::optional<BatteryStatus> status;
    std::thread reader([&] { status = ReadBatteryStatus(1); });
    reader.join();
    ASSERT_TRUE(status);
    EXPECT_TRUE(ApplyBatteryStatus(*status, config));
    EXPECT_EQ(config.GetBatteryLevel(), 90u);
    EXPECT_EQ(config.GetChargingState(), 2);

    // A current-generation device whose level cannot be read stores nothing.
    emulator::FaultInjection::FailOperation("Battery.GetLevel");
    EXPECT_FALSE(ReadBatteryStatus(1));

    // The earlier generation keeps its stored level while not charging.
    Plug(0x0013);
    status = ReadBatteryStatus(4);
    ASSERT_TRUE(status);
    EXPECT_FALSE(status->storeLevel);
    EXPECT_EQ(status->chargingState, 0);
    config.SetBatteryLevel(77);
    ApplyBatteryStatus(*status, config);
    EXPECT_EQ(config.GetBatteryLevel(), 77u);
    emulator::FaultInjection::Reset();

    // While it charges it cannot measure: the window shows charging with the last
    // level it knew, not the unread value.
    emulator::DeviceImage legacy = Image(0x0013);
    legacy.chargingState = kChargingActive;
    Store(legacy);
    status = ReadBatteryStatus(4);
    ASSERT_TRUE(status);
    EXPECT_EQ(status->chargingState, 1);
    ApplyBatteryStatus(*status, config);
    EXPECT_EQ(config.GetBatteryLevel(), 77u);
    EXPECT_EQ(config.GetChargingState(), 1);

    std::optional<FirmwareVersion> firmware = ReadFirmwareVersion(0x0013);
    ASSERT_TRUE(firmware);
    EXPECT_EQ(firmware->major, Image(0x0013).firmware[0]);
    EXPECT_FALSE(ReadFirmwareVersion(0x0032));
}
