// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppTestSupport.h"

#include "device/DeviceDescriptor.h"
#include "device/Mouse.h"
#include "platform/SkinWindow.h"
#include "platform/core/Messages.h"
#include "settings/IMouseProfile.h"
#include "settings/TovikEliteConfig.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

// Counts the progress it is sent.
class ProgressCounter : public CSkinWindow {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_DEVICE_PROGRESS)
            received.fetch_add(1);
        return CSkinWindow::WindowProc(msg, wParam, lParam);
    }
    std::atomic<int> received{0};
};

// Waits without letting the GUI thread take any event; false after the bound.
bool WaitWithoutEvents(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::yield();
    }
    return true;
}

class DeviceTeardownTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        Plug(0x0031);
        mouse_ = std::make_unique<CMouse>(*FindSupportedDevice(0x0031));
        ASSERT_TRUE(mouse_->ReadAll(&config_));
        ASSERT_TRUE(mouse_->Transfer(&config_, TransferMode::Read, TransferFlags::All));
    }

    std::unique_ptr<CMouse> mouse_;
    CTovikEliteConfig config_;
};

} // namespace

// The write's worker is blocked sending progress to a window of the GUI thread
// when that thread destroys the device: the destruction must take the message
// and let the worker finish instead of waiting for it forever.
TEST_F(DeviceTeardownTest, DestroyingTheDeviceWhileItsWriteSendsToTheGuiThreadEnds)
{
    ProgressCounter window;
    mouse_->AddProgressListener(&window);
    config_.GetProfile(0)->SetStageDpi(1, 1800);
    ASSERT_TRUE(mouse_->Transfer(&config_, TransferMode::Write, TransferFlags::All));
    ASSERT_TRUE(WaitWithoutEvents([&] { return window.QueuedSends() > 0; }))
        << "the write sent no progress to the window";
    mouse_.reset();
    EXPECT_GT(window.received.load(), 0);
    EXPECT_EQ(window.QueuedSends(), 0);
    EXPECT_EQ(Image(0x0031).profiles[0].stages[0].x, 1800u);
}

// The window goes first, while the write still sends to it; the device then goes.
TEST_F(DeviceTeardownTest, RemovingTheWindowDuringAWriteThenDestroyingTheDeviceEnds)
{
    auto window = std::make_unique<ProgressCounter>();
    mouse_->AddProgressListener(window.get());
    config_.GetProfile(0)->SetStageDpi(1, 2200);
    ASSERT_TRUE(mouse_->Transfer(&config_, TransferMode::Write, TransferFlags::All));
    ASSERT_TRUE(WaitWithoutEvents([&] { return window->QueuedSends() > 0; }));
    mouse_->RemoveProgressListener(window.get());
    EXPECT_EQ(window->QueuedSends(), 0);
    window.reset();
    mouse_.reset();
    EXPECT_EQ(Image(0x0031).profiles[0].stages[0].x, 2200u);
}
