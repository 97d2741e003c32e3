// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceFixture.h"

#include "device/DeviceChoice.h"
#include "device/Mouse.h"
#include "device/MousePicker.h"
#include "device/NullMouse.h"
#include "settings/IMouseProfile.h"
#include "skin/keyboard/KeyHash.h"

namespace {

class PickerTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        picker_.SetChangeCallback(
            [this](CMouse* mouse, void* userData) {
                EXPECT_EQ(userData, this);
                changes_.push_back(mouse ? mouse->GetProductId() : -1);
            },
            this);
    }

    CMousePicker picker_;
    CTovikEliteConfig config_;
    std::vector<int> changes_; // product ids reported, -1 for none
};

} // namespace

TEST_F(PickerTest, PrefersTheMouseAndKeepsItsChoice)
{
    Plug(0x0032);
    Plug(0x0031);
    ASSERT_TRUE(picker_.ReadAll(&config_));
    EXPECT_EQ(picker_.GetProductId(), 0x0031);
    EXPECT_EQ(picker_.GetDisplayName(), u"Zemko Tovik Elite Wireless Mouse");
    EXPECT_EQ(changes_, std::vector<int>{0x0031});

    // A transfer with the same device attached goes through to it.
    ASSERT_TRUE(picker_.Transfer(&config_, TransferMode::Read, TransferFlags::All));
    EXPECT_EQ(changes_.size(), 1u);
    EXPECT_TRUE(picker_.IsPresent());
}

TEST_F(PickerTest, OnlyAnEarlierGenerationDock)
{
    Plug(0x001B);
    ASSERT_TRUE(picker_.Enumerate());
    ASSERT_NE(picker_.Selected(), nullptr);
    EXPECT_EQ(picker_.Selected()->productId, 0x001Bu);
    EXPECT_EQ(picker_.Selected(), &SupportedDevices()[3]);
}

TEST_F(PickerTest, ASwappedDeviceIsReadAndReportedInsteadOfWritten)
{
    Plug(0x0031);
    ASSERT_TRUE(picker_.ReadAll(&config_));
    RecordingWindow window;
    picker_.AddProgressListener(&window);
    config_.GetProfile(0)->SetStageDpi(1, 1000);

    Unplug(0x0031);
    Plug(0x0013);
    emulator::FaultInjection::ResetCounters();
    EXPECT_FALSE(picker_.Transfer(&config_, TransferMode::Write, TransferFlags::All));
    EXPECT_EQ(changes_, (std::vector<int>{0x0031, 0x0013}));
    EXPECT_EQ(picker_.GetProductId(), 0x0013);
    EXPECT_TRUE(Changes().empty()); // nothing was written
    EXPECT_EQ(Image(0x0013).profiles[0].stages[0].x, 800u);
    // The window registered for progress stays registered with the new mouse.
    ASSERT_NE(picker_.GetProgressMessenger(), nullptr);
    EXPECT_EQ(picker_.GetProgressMessenger()->Listeners(), std::vector<HWND>{&window});

    Unplug(0x0013);
    EXPECT_FALSE(picker_.Transfer(&config_, TransferMode::Read, TransferFlags::All));
    EXPECT_EQ(changes_.back(), -1);
    EXPECT_EQ(picker_.Selected(), nullptr);
    EXPECT_EQ(picker_.GetProductId(), 0);
    EXPECT_FALSE(picker_.IsBusy());
    EXPECT_FALSE(picker_.HasDeviceProfile(config_.GetProfile(0)));
}

TEST_F(PickerTest, NothingAttachedFallsBackToTheNullMouse)
{
    EXPECT_FALSE(picker_.ReadAll(&config_));
    EXPECT_TRUE(changes_.empty());

    CNullMouse null;
    RecordingWindow window;
    null.AddProgressListener(&window);
    ASSERT_TRUE(null.ReadAll(&config_));
    ASSERT_EQ(config_.GetProfileCount(), 1u);
    IMouseProfile* profile = config_.GetProfile(0);
    EXPECT_EQ(profile->GetName(), u"PROFILE01");
    EXPECT_EQ(profile->GetGuid(), CNullMouse::kDefaultProfileId);
    EXPECT_EQ(profile->GetStageCount(), 5u);
    EXPECT_EQ(profile->GetStageDpi(4), 4000u);
    EXPECT_EQ(profile->GetSelectedStage(), 3);
    unsigned minimum = 0, maximum = 0, step = 0;
    profile->GetSensitivityRange(minimum, maximum, step);
    EXPECT_EQ(maximum, 5600u);
    EXPECT_EQ(profile->GetButtonAssignment(MOUSE_BUTTON_4).kind, AssignmentKind::Backward);
    EXPECT_EQ(profile->GetButtonAssignment(MOUSE_BUTTON_WHEEL_DOWN).kind, AssignmentKind::ScrollDown);

    ASSERT_EQ(null.KeyNameHashes().size(), 108u);
    EXPECT_EQ(null.KeyNameHashes().front(), HashKeyName(u"a A"));
    EXPECT_EQ(null.KeyNameHashes().back(), HashKeyName(u"Right GUI"));
    null.DiscardCache();
    EXPECT_TRUE(null.KeyNameHashes().empty());

    EXPECT_FALSE(null.Transfer(&config_, TransferMode::Write, TransferFlags::All));
    EXPECT_EQ(window.Percentages(), std::vector<LPARAM>{0});
    std::u16string version;
    EXPECT_TRUE(null.GetFirmwareVersion(version));
    EXPECT_EQ(version, u"1.00");
    EXPECT_EQ(null.GetProductId(), 0);
    EXPECT_EQ(null.GetDisplayName(), u"NullMouse");
    EXPECT_EQ(null.GetDeviceProfileCount(), 20);
    EXPECT_TRUE(null.Probe(1));
    EXPECT_FALSE(null.Probe(0));
    EXPECT_TRUE(null.IsPresent());
    EXPECT_FALSE(null.IsBusy());
}

TEST_F(PickerTest, StartUpChoosesThePickerOnlyWhenAMouseCanBeRead)
{
    std::unique_ptr<IMouseDevice> device = ChooseDevice(&config_);
    EXPECT_EQ(device->GetProductId(), 0);
    EXPECT_EQ(device->GetDisplayName(), u"NullMouse");
    EXPECT_EQ(config_.GetProfile(0)->GetName(), u"PROFILE01");

    Plug(0x0013);
    std::vector<int> reported;
    device = ChooseDevice(
        &config_, [&](CMouse* mouse, void*) { reported.push_back(mouse ? mouse->GetProductId() : -1); }, this);
    EXPECT_EQ(device->GetProductId(), 0x0013);
    EXPECT_EQ(reported, std::vector<int>{0x0013});
    EXPECT_NE(config_.GetProfile(0)->GetGuid(), CNullMouse::kDefaultProfileId);
}
