// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceFixture.h"

#include "device/DeviceDescriptor.h"
#include "device/Mouse.h"
#include "platform/core/AtomicFile.h"
#include "settings/IMouseProfile.h"

namespace {

class MouseFailureTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        Plug(0x0031);
        emulator::DeviceImage image = Image(0x0031);
        emulator::MacroImage macro;
        macro.id = GUID::Generate();
        macro.name = u"Burst";
        macro.events = {{kMacroEventDelay, 0, 0, 10}};
        image.macros.push_back(macro);
        Store(image);
        original_ = FileBytes();
    }

    std::string FileBytes()
    {
        std::string error;
        return ReadWholeFile(directory().ImagePath(0x0031), size_t(1) << 24, error).value_or("");
    }
    void Restore()
    {
        std::string error;
        ASSERT_TRUE(WriteFileAtomically(directory().ImagePath(0x0031), original_, error)) << error;
        Plug(0x0031);
    }

    static bool FullRead(CMouse& mouse, CTovikEliteConfig& config)
    {
        const bool all = mouse.ReadAll(&config);
        const bool selected = mouse.Transfer(&config, TransferMode::Read, TransferFlags::All);
        return all && selected;
    }

    // One change in every group a write covers.
    static void ChangeEverything(CTovikEliteConfig& config)
    {
        IMouseProfile* profile = config.GetProfile(0);
        profile->SetStageDpi(1, 900);
        profile->SetButtonAssignment(MOUSE_BUTTON_5, AssignmentRecord::OfKind(AssignmentKind::DoubleClick));
        config.SetPollingRate(POLLING_RATE_0);
        config.SetReducedBrightness(44);
        config.SetAccelerationLevel(9);
        config.SetAutomaticLiftOff(false);
        config.GetMacro(0)->SetEvents({MacroEvent::Delay(77)});
    }

    // Whether the device holds every change of ChangeEverything.
    bool HoldsEverything()
    {
        const emulator::DeviceImage image = Image(0x0031);
        return image.profiles[0].stages[0].x == 900 && image.profiles[0].buttons.at(ButtonBit(5)).bytes[12] == 11 &&
               image.reportInterval == 8 && image.dimBrightness == 44 && image.accelerationLevel == 9 &&
               image.liftOffMode == 2 && image.macros.size() == 1 && image.macros[0].events.size() == 1 &&
               image.macros[0].events[0].milliseconds == 77;
    }

    std::string original_;
};

} // namespace

TEST_F(MouseFailureTest, AFailedCallAnywhereInAReadNeverChangesTheDevice)
{
    CMouse reference(*FindSupportedDevice(0x0031));
    CTovikEliteConfig expected;
    ASSERT_TRUE(FullRead(reference, expected));
    const uint64_t calls = emulator::FaultInjection::TotalCalls();
    ASSERT_GT(calls, 20u);

    for (uint64_t n = 1; n <= calls + 1; ++n) {
        SCOPED_TRACE(n);
        emulator::FaultInjection::Reset();
        emulator::FaultInjection::FailNthCall(n);
        CMouse mouse(*FindSupportedDevice(0x0031));
        CTovikEliteConfig config;
        const bool ok = FullRead(mouse, config);
        emulator::FaultInjection::Reset();
        EXPECT_FALSE(mouse.IsBusy());
        EXPECT_EQ(FileBytes(), original_);
        if (n > calls) {
            EXPECT_TRUE(ok);
        }
        if (ok) {
            // A read that reports success read everything.
            ASSERT_EQ(config.GetProfileCount(), expected.GetProfileCount());
            EXPECT_EQ(config.GetProfile(0)->GetGuid(), expected.GetProfile(0)->GetGuid());
            EXPECT_EQ(config.GetStageDpi(5, config.GetProfile(0)), expected.GetStageDpi(5, expected.GetProfile(0)));
            EXPECT_EQ(config.GetMacroCount(), 1u);
            EXPECT_EQ(config.GetPollingRate(), expected.GetPollingRate());
        }
    }
}

TEST_F(MouseFailureTest, AFailedCallAnywhereInAWriteLosesNothing)
{
    uint64_t calls = 0;
    {
        CMouse mouse(*FindSupportedDevice(0x0031));
        CTovikEliteConfig config;
        ASSERT_TRUE(FullRead(mouse, config));
        ChangeEverything(config);
        emulator::FaultInjection::ResetCounters();
        ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Write, TransferFlags::All));
        ASSERT_TRUE(Eventually([&] { return !mouse.IsBusy(); }));
        ASSERT_EQ(mouse.LastWriteResult(), true);
        calls = emulator::FaultInjection::TotalCalls();
        ASSERT_TRUE(HoldsEverything());
    }

    for (uint64_t n = 1; n <= calls; ++n) {
        SCOPED_TRACE(n);
        Restore();
        CMouse mouse(*FindSupportedDevice(0x0031));
        CTovikEliteConfig config;
        ASSERT_TRUE(FullRead(mouse, config));
        ChangeEverything(config);
        emulator::FaultInjection::Reset();
        emulator::FaultInjection::FailNthCall(n);
        if (!mouse.Transfer(&config, TransferMode::Write, TransferFlags::All))
            continue; // the call that failed was the one that finds the device
        ASSERT_TRUE(Eventually([&] { return !mouse.IsBusy(); }));
        const bool ok = mouse.LastWriteResult().value_or(true);
        emulator::FaultInjection::Reset();
        // Only a light may fail without failing the write, and none changed here.
        if (ok) {
            EXPECT_TRUE(HoldsEverything());
        }
        // Whatever did not reach the device is still pending, so a second write
        // completes the job.
        ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Write, TransferFlags::All));
        ASSERT_TRUE(Eventually([&] { return !mouse.IsBusy(); }));
        EXPECT_EQ(mouse.LastWriteResult(), true);
        EXPECT_TRUE(HoldsEverything());
        EXPECT_FALSE(config.IsAnyModified());
    }
}

TEST_F(MouseFailureTest, UnplugMidWrite)
{
    CMouse mouse(*FindSupportedDevice(0x0031));
    CTovikEliteConfig config;
    ASSERT_TRUE(FullRead(mouse, config));
    ChangeEverything(config);
    emulator::FaultInjection::UnplugAfterCalls(6);
    ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Write, TransferFlags::All));
    ASSERT_TRUE(Eventually([&] { return !mouse.IsBusy(); }));
    EXPECT_EQ(mouse.LastWriteResult(), false);
    EXPECT_TRUE(config.IsAnyModified());
    // The device is gone: nothing opens until it is back.
    EXPECT_FALSE(mouse.Transfer(&config, TransferMode::Write, TransferFlags::All));
    EXPECT_FALSE(mouse.IsPresent());
    emulator::FaultInjection::Reset();
    Plug(0x0031);
    ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Write, TransferFlags::All));
    ASSERT_TRUE(Eventually([&] { return !mouse.IsBusy(); }));
    EXPECT_EQ(mouse.LastWriteResult(), true);
    EXPECT_TRUE(HoldsEverything());
}
