// SPDX-License-Identifier: GPL-3.0-or-later
// A write holds the device: another client's change made meanwhile waits for the
// write and lands after it, or is refused as busy when it cannot wait so long,
// while reads go on; a write finds a device someone else holds; and a holder
// that dies lets the device go.
#include "DeviceFixture.h"

#include "device/DeviceDescriptor.h"
#include "device/Mouse.h"
#include "device/ServerAccess.h"
#include "platform/com/ComRuntime.h"
#include "settings/IMouseProfile.h"

#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

constexpr uint32_t kMouse = 0x0031;

// Another client with a connection of its own; its changing calls wait up to
// `busyWait` for someone else's write.
struct OtherClient {
    explicit OtherClient(std::chrono::milliseconds busyWait = std::chrono::milliseconds(0))
    {
        setenv("ZEMKO_TOVIK_EMU_BUSY_WAIT_MS", std::to_string(busyWait.count()).c_str(), 1);
        CreateDeviceEnumerator(enumerator);
        unsetenv("ZEMKO_TOVIK_EMU_BUSY_WAIT_MS");
        device = FindDeviceByProduct(enumerator.Get(), kMouse);
        power = QueryAs<IDevicePower>(device);
        session = QueryAs<IDeviceWriteSession>(device);
    }
    uint32_t DimBrightness() const
    {
        uint32_t value = 0;
        EXPECT_TRUE(power && SUCCEEDED(power->GetDimBrightness(&value)));
        return value;
    }

    ComPtr<IDeviceEnumerator> enumerator;
    ComPtr<IDeviceObject> device;
    ComPtr<IDevicePower> power;
    ComPtr<IDeviceWriteSession> session;
};

class WriteSessionTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        Plug(kMouse);
        mouse_ = std::make_unique<CMouse>(*FindSupportedDevice(kMouse));
        ASSERT_TRUE(mouse_->ReadAll(&config_));
        ASSERT_TRUE(mouse_->Transfer(&config_, TransferMode::Read, TransferFlags::All));
        dimBefore_ = Image(kMouse).dimBrightness;
        config_.SetIdleTimeBeforeSleep(config_.GetIdleTimeBeforeSleep() == 300 ? 600 : 300);
        // A changed profile is written with progress messages, which let a test
        // act while the write is under way.
        IMouseProfile* profile = config_.GetProfile(0);
        ASSERT_NE(profile, nullptr);
        profile->SetStageDpi(2, profile->GetStageDpi(2) == 1600 ? 1800 : 1600);
    }

    // Writes with `during` run on the worker while the write is under way (at
    // its first progress message); the write's result.
    bool WriteWith(const std::function<void()>& during)
    {
        RecordingWindow window;
        bool ran = false;
        window.onMessage = [&](const RecordingWindow::Message& message) {
            if (message.msg == WM_DEVICE_PROGRESS && !ran) {
                ran = true;
                during();
            }
        };
        mouse_->AddProgressListener(&window);
        const bool started = mouse_->Transfer(&config_, TransferMode::Write, TransferFlags::All);
        EXPECT_TRUE(started);
        EXPECT_TRUE(Eventually([&] { return !mouse_->IsBusy(); }));
        mouse_->RemoveProgressListener(&window);
        EXPECT_TRUE(ran);
        return started && mouse_->LastWriteResult().value_or(false);
    }

    std::unique_ptr<CMouse> mouse_;
    CTovikEliteConfig config_;
    uint32_t dimBefore_ = 0;
};

} // namespace

TEST_F(WriteSessionTest, ChangeFromAnotherClientDuringAWriteWaitsAndLandsAfterIt)
{
    // Both change the same setting: the write late in its course, the other
    // client early. Whoever lands last wins.
    const uint32_t written = dimBefore_ == 40 ? 80 : 40;
    const uint32_t otherValue = written + 1;
    config_.SetReducedBrightness(written);
    HRESULT otherResult = E_UNEXPECTED;
    std::thread other;
    bool unchangedDuringWrite = false;
    ASSERT_TRUE(WriteWith([&] {
        other = std::thread([&] {
            OtherClient client(std::chrono::minutes(1));
            otherResult = client.power->SetDimBrightness(otherValue);
        });
        // Once its call has reached the server it waits there for this write.
        ASSERT_TRUE(Eventually([] { return emulator::FaultInjection::CallCount("Power.SetDimBrightness") == 1; }));
        unchangedDuringWrite = Image(kMouse).dimBrightness == dimBefore_;
    }));
    other.join();
    EXPECT_TRUE(unchangedDuringWrite);
    EXPECT_EQ(otherResult, S_OK);
    const emulator::DeviceImage image = Image(kMouse);
    EXPECT_EQ(image.dimBrightness, otherValue);
    EXPECT_EQ(image.sleepTimeout, config_.GetIdleTimeBeforeSleep());
}

TEST_F(WriteSessionTest, ChangeThatCannotWaitIsRefusedAsBusyWhileReadsGoOn)
{
    ASSERT_TRUE(WriteWith([&] {
        OtherClient client;
        EXPECT_EQ(client.power->SetDimBrightness(dimBefore_ + 1), E_DEVICE_BUSY);
        EXPECT_EQ(client.DimBrightness(), dimBefore_);
        ASSERT_TRUE(client.session);
        EXPECT_EQ(client.session->BeginWrite(0), E_DEVICE_BUSY);
    }));
    EXPECT_EQ(Image(kMouse).dimBrightness, dimBefore_);
    OtherClient after;
    EXPECT_EQ(after.power->SetDimBrightness(dimBefore_ + 1), S_OK);
}

TEST_F(WriteSessionTest, WriteFindsTheDeviceHeldFailsWithoutChangesAndSucceedsOnceItIsFree)
{
    DeviceTiming timing = GetDeviceTiming();
    timing.writeSessionWait = std::chrono::milliseconds(20);
    SetDeviceTiming(timing);
    const uint32_t sleepBefore = Image(kMouse).sleepTimeout;

    OtherClient holder;
    ASSERT_EQ(holder.session->BeginWrite(0), S_OK);
    emulator::FaultInjection::ResetCounters();
    ASSERT_TRUE(mouse_->Transfer(&config_, TransferMode::Write, TransferFlags::Power));
    ASSERT_TRUE(Eventually([&] { return !mouse_->IsBusy(); }));
    EXPECT_EQ(mouse_->LastWriteResult(), false);
    EXPECT_TRUE(Changes().empty());
    EXPECT_EQ(Image(kMouse).sleepTimeout, sleepBefore);

    EXPECT_EQ(holder.session->EndWrite(), S_OK);
    ASSERT_TRUE(mouse_->Transfer(&config_, TransferMode::Write, TransferFlags::Power));
    ASSERT_TRUE(Eventually([&] { return !mouse_->IsBusy(); }));
    EXPECT_EQ(mouse_->LastWriteResult(), true);
    EXPECT_EQ(Image(kMouse).sleepTimeout, config_.GetIdleTimeBeforeSleep());
}

TEST_F(WriteSessionTest, SessionEndsWithItsConnectionAndOnlyForItsOwnDevice)
{
    {
        OtherClient holder;
        ASSERT_EQ(holder.session->BeginWrite(0), S_OK);
        EXPECT_EQ(holder.session->BeginWrite(0), S_FALSE); // held already
        // The holder's own calls go through, whichever of its objects makes them.
        EXPECT_EQ(holder.power->SetDimBrightness(dimBefore_ + 1), S_OK);
        EXPECT_EQ(OtherClient().power->SetDimBrightness(dimBefore_ + 2), E_DEVICE_BUSY);
        holder.session.Reset(); // the session object goes; the connection keeps the session
        EXPECT_EQ(OtherClient().power->SetDimBrightness(dimBefore_ + 2), E_DEVICE_BUSY);
    } // the connection closes without EndWrite
    EXPECT_EQ(OtherClient().power->SetDimBrightness(dimBefore_ + 2), S_OK);

    // A connection to a device that was unplugged (and plugged again) holds nothing.
    OtherClient stale;
    Unplug(kMouse);
    Plug(kMouse);
    EXPECT_EQ(stale.session->BeginWrite(0), E_DEVICE_NOT_CONNECTED);
    EXPECT_EQ(stale.session->EndWrite(), S_FALSE);
    EXPECT_EQ(OtherClient().power->SetDimBrightness(dimBefore_), S_OK);
}

TEST_F(WriteSessionTest, HolderThatIsKilledLetsTheDeviceGo)
{
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(ready[0]);
        OtherClient holder;
        const char held = holder.session && holder.session->BeginWrite(0) == S_OK ? '1' : '0';
        if (write(ready[1], &held, 1) != 1)
            _exit(1);
        for (;;)
            pause(); // holds the device until it is killed
    }
    close(ready[1]);
    char held = 0;
    const ssize_t got = read(ready[0], &held, 1);
    close(ready[0]);
    ASSERT_EQ(got, 1);
    EXPECT_EQ(held, '1');
    EXPECT_EQ(OtherClient().power->SetDimBrightness(dimBefore_ + 1), E_DEVICE_BUSY);

    ASSERT_EQ(kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(OtherClient().power->SetDimBrightness(dimBefore_ + 1), S_OK);
    EXPECT_EQ(Image(kMouse).dimBrightness, dimBefore_ + 1);
}
