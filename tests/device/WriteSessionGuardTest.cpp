// SPDX-License-Identifier: GPL-3.0-or-later
// The write-session guard lets go of the device on every way out of the write it
// covers: a write that succeeds, one that fails, one that returns early or is
// left by an exception. Its connection stays open here, so a session the guard
// forgot to end would still hold the device; another client's write is the
// oracle. A guard that was refused, or that finds its connection holding the
// device already, ends nobody's session.
#include "DeviceFixture.h"

#include "device/DeviceDescriptor.h"
#include "device/Mouse.h"
#include "device/ServerAccess.h"
#include "device/WriteSessionGuard.h"
#include "emulator/Operations.h"

#include <cstdlib>
#include <functional>
#include <stdexcept>

namespace {

constexpr uint32_t kMouse = 0x0031;

// One client with a connection of its own, kept open for the whole test. Its
// changes do not wait for another client's write: they fail as busy at once.
struct Client {
    Client()
    {
        setenv("ZEMKO_TOVIK_EMU_BUSY_WAIT_MS", "0", 1);
        CreateDeviceEnumerator(enumerator);
        unsetenv("ZEMKO_TOVIK_EMU_BUSY_WAIT_MS");
        device = FindDeviceByProduct(enumerator.Get(), kMouse);
        power = QueryAs<IDevicePower>(device);
        session = QueryAs<IDeviceWriteSession>(device);
    }
    ComPtr<IDeviceEnumerator> enumerator;
    ComPtr<IDeviceObject> device;
    ComPtr<IDevicePower> power;
    ComPtr<IDeviceWriteSession> session;
};

class WriteSessionGuardTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        Plug(kMouse);
        writer_ = std::make_unique<Client>();
        other_ = std::make_unique<Client>();
        ASSERT_TRUE(writer_->device && writer_->power && writer_->session);
        ASSERT_TRUE(other_->device && other_->power && other_->session);
        dimBefore_ = Image(kMouse).dimBrightness;
    }
    void TearDown() override
    {
        writer_.reset();
        other_.reset();
        DeviceTest::TearDown();
    }

    // Whether another client can take the device at once for a write of its own
    // (which it then makes and ends).
    bool OtherClientCanWrite()
    {
        if (other_->session->BeginWrite(0) != S_OK)
            return false;
        const bool written = other_->power->SetDimBrightness(++lastOtherValue_) == S_OK;
        EXPECT_EQ(other_->session->EndWrite(), S_OK);
        return written && Image(kMouse).dimBrightness == lastOtherValue_;
    }

    std::unique_ptr<Client> writer_;
    std::unique_ptr<Client> other_;
    uint32_t dimBefore_ = 0;
    uint32_t lastOtherValue_ = 10;
};

} // namespace

TEST_F(WriteSessionGuardTest, EveryWayOutOfAGrantedWriteLetsTheDeviceGo)
{
    // Each write runs under a guard and reports whether it changed the device.
    struct Case {
        const char* what;
        std::function<bool(IDevicePower&)> write;
        bool changed;
    };
    const Case cases[] = {
        {"a write that succeeds", [](IDevicePower& power) { return power.SetDimBrightness(55) == S_OK; }, true},
        {"a write the device refuses",
         [](IDevicePower& power) {
             emulator::FaultInjection::FailOperation(emulator::op::PowerSetDimBrightness);
             const bool written = power.SetDimBrightness(56) == S_OK;
             emulator::FaultInjection::AllowOperation(emulator::op::PowerSetDimBrightness);
             return written;
         },
         false},
        {"a write that returns early",
         [](IDevicePower& power) {
             uint32_t level = 0;
             if (SUCCEEDED(power.GetDimBrightness(&level)))
                 return false; // nothing worth writing
             return power.SetDimBrightness(57) == S_OK;
         },
         false},
        {"a write left by an exception",
         [](IDevicePower& power) -> bool {
             EXPECT_EQ(power.SetDimBrightness(58), S_OK);
             throw std::runtime_error("the caller gave up");
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const uint32_t before = Image(kMouse).dimBrightness;
        bool wrote = false;
        try {
            const CWriteSessionGuard guard(writer_->device.Get(), std::chrono::milliseconds(0));
            ASSERT_TRUE(guard);
            // While it is held nobody else writes.
            EXPECT_EQ(other_->session->BeginWrite(0), E_DEVICE_BUSY);
            EXPECT_EQ(other_->power->SetDimBrightness(before + 1), E_DEVICE_BUSY);
            wrote = c.write(*writer_->power);
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(wrote || Image(kMouse).dimBrightness != before, c.changed);
        // The writer's connection is still open, and yet the device is free.
        EXPECT_TRUE(OtherClientCanWrite());
        // So is it for the next guard of the same connection.
        const CWriteSessionGuard next(writer_->device.Get(), std::chrono::milliseconds(0));
        EXPECT_TRUE(next);
    }
    EXPECT_TRUE(OtherClientCanWrite());
}

TEST_F(WriteSessionGuardTest, ARefusedGuardEndsNoSessionAndTheNextOneIsGrantedOnceTheDeviceIsFree)
{
    ASSERT_EQ(other_->session->BeginWrite(0), S_OK);
    {
        const CWriteSessionGuard refused(writer_->device.Get(), std::chrono::milliseconds(20));
        EXPECT_FALSE(refused);
        EXPECT_EQ(refused.Refusal(), E_DEVICE_BUSY);
    }
    // The holder still holds the device: the writer's changes wait and give up.
    EXPECT_EQ(writer_->power->SetDimBrightness(dimBefore_ + 1), E_DEVICE_BUSY);
    EXPECT_EQ(other_->session->BeginWrite(0), S_FALSE) << "the holder's session was ended by the refused guard";
    EXPECT_EQ(other_->session->EndWrite(), S_OK);

    {
        const CWriteSessionGuard granted(writer_->device.Get(), std::chrono::milliseconds(20));
        EXPECT_TRUE(granted);
        EXPECT_EQ(writer_->power->SetDimBrightness(dimBefore_ + 1), S_OK);
    }
    EXPECT_TRUE(OtherClientCanWrite());
}

TEST_F(WriteSessionGuardTest, AGuardInsideAnotherOfTheSameConnectionLeavesTheDeviceToTheOuterOne)
{
    {
        const CWriteSessionGuard outer(writer_->device.Get(), std::chrono::milliseconds(0));
        ASSERT_TRUE(outer);
        {
            const CWriteSessionGuard inner(writer_->device.Get(), std::chrono::milliseconds(0));
            EXPECT_TRUE(inner);
        }
        // The outer write goes on holding the device.
        EXPECT_EQ(other_->session->BeginWrite(0), E_DEVICE_BUSY);
        EXPECT_EQ(writer_->power->SetDimBrightness(dimBefore_ + 1), S_OK);
    }
    EXPECT_TRUE(OtherClientCanWrite());
}

TEST_F(WriteSessionGuardTest, NoDeviceOrAGoneDeviceIsRefusedAndHoldsNothing)
{
    {
        const CWriteSessionGuard none(nullptr, std::chrono::milliseconds(0));
        EXPECT_FALSE(none);
        EXPECT_EQ(none.Refusal(), E_POINTER);
    }
    Unplug(kMouse);
    {
        const CWriteSessionGuard gone(writer_->device.Get(), std::chrono::milliseconds(0));
        EXPECT_FALSE(gone);
        EXPECT_EQ(gone.Refusal(), E_DEVICE_NOT_CONNECTED);
    }
    Plug(kMouse);
    other_ = std::make_unique<Client>();
    EXPECT_TRUE(OtherClientCanWrite());
}

// The device layer's own writes: once a write's result is known the device is
// free, although the writer still pauses before it counts as idle and keeps its
// connection until then. A session held over the pause would make every other
// client (the tray switching profiles) wait for it.
TEST_F(WriteSessionGuardTest, TheMouseLetsTheDeviceGoAsSoonAsItsWriteIsOverWhateverItsOutcome)
{
    DeviceTiming timing = GetDeviceTiming();
    timing.afterWrite = std::chrono::minutes(10); // ended by the mouse's destruction
    SetDeviceTiming(timing);
    struct Case {
        const char* what;
        std::function<void()> fault;
        bool written;
    };
    const Case cases[] = {
        {"written", [] {}, true},
        {"a change refused midway", [] { emulator::FaultInjection::FailOperation(emulator::op::PowerSetSleepTimeout); },
         false},
        // The two calls before it open the device; the write gives up at once.
        {"its first call refused", [] { emulator::FaultInjection::FailNthCall(3); }, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CMouse mouse(*FindSupportedDevice(kMouse));
        CTovikEliteConfig config;
        ASSERT_TRUE(mouse.ReadAll(&config));
        ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Read, TransferFlags::All));
        config.SetIdleTimeBeforeSleep(config.GetIdleTimeBeforeSleep() == 300 ? 600 : 300);
        config.SetReducedBrightness(Image(kMouse).dimBrightness == 40 ? 80 : 40);
        emulator::FaultInjection::ResetCounters();
        c.fault();
        ASSERT_TRUE(mouse.Transfer(&config, TransferMode::Write, TransferFlags::Power));
        ASSERT_TRUE(Eventually([&] { return mouse.LastWriteResult().has_value(); }));
        EXPECT_EQ(mouse.LastWriteResult(), c.written);
        EXPECT_TRUE(mouse.IsBusy()) << "the pause after the write is over already";
        emulator::FaultInjection::Reset();
        EXPECT_TRUE(OtherClientCanWrite());
    }
    SetDeviceTiming(DeviceTiming{});
}
