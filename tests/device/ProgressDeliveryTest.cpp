// SPDX-License-Identifier: GPL-3.0-or-later
// Progress sent from the device worker to windows of another thread, with that
// thread detaching windows or tearing the device down meanwhile. The windows here
// behave like the real ones: a send from another thread waits in a queue until
// the window's thread delivers it, and a window's pending sends end with 0 when it
// is destroyed. Run under ThreadSanitizer, these tests show any use of a freed window.
#include "DeviceFixture.h"

#include "device/DeviceDescriptor.h"
#include "device/Mouse.h"
#include "device/ProgressMessenger.h"
#include "platform/core/MessageWait.h"
#include "settings/IMouseProfile.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>

namespace {

// The message queue of the test's own thread, which plays the GUI thread.
class OwnerThreadQueue {
public:
    static OwnerThreadQueue& Instance()
    {
        static OwnerThreadQueue queue;
        return queue;
    }

    void MakeCurrentThreadTheOwner() { owner_.store(std::this_thread::get_id()); }
    bool OnOwnerThread() const { return std::this_thread::get_id() == owner_.load(); }

    // From another thread: queues the call and waits until it is delivered, or
    // dropped with its window.
    LRESULT SendAndWait(IMessageTarget* window, const std::function<LRESULT()>& call)
    {
        auto request = std::make_shared<Request>(Request{window, call});
        std::unique_lock lock(mutex_);
        queue_.push_back(request);
        done_.wait(lock, [&] { return request->done; });
        return request->result;
    }

    // On the owner thread: delivers every queued call; false on any other thread.
    static bool Deliver()
    {
        OwnerThreadQueue& self = Instance();
        if (!self.OnOwnerThread())
            return false;
        std::deque<std::shared_ptr<Request>> taken;
        {
            std::lock_guard lock(self.mutex_);
            taken.swap(self.queue_);
        }
        for (const auto& request : taken) {
            const LRESULT result = request->call();
            std::lock_guard lock(self.mutex_);
            request->result = result;
            request->done = true;
        }
        self.done_.notify_all();
        return true;
    }

    // A destroyed window's queued calls end unanswered, with 0.
    void Drop(const IMessageTarget* window)
    {
        {
            std::lock_guard lock(mutex_);
            std::erase_if(queue_, [&](const std::shared_ptr<Request>& request) {
                if (request->window != window)
                    return false;
                request->done = true;
                return true;
            });
        }
        done_.notify_all();
    }

    size_t Pending(const IMessageTarget* window)
    {
        std::lock_guard lock(mutex_);
        return size_t(std::count_if(queue_.begin(), queue_.end(), [&](const std::shared_ptr<Request>& request) {
            return request->window == window;
        }));
    }

private:
    struct Request {
        IMessageTarget* window;
        std::function<LRESULT()> call;
        bool done = false;
        LRESULT result = 0;
    };

    std::atomic<std::thread::id> owner_;
    std::mutex mutex_;
    std::condition_variable done_;
    std::deque<std::shared_ptr<Request>> queue_;
};

class OwnerThreadWindow : public IMessageTarget {
public:
    ~OwnerThreadWindow() override { queue_->Drop(this); }

    LRESULT SendMessage(UINT msg, WPARAM, LPARAM) override
    {
        // The window's own member is read here, as a real window reads its own state:
        // a send to a freed window is a use after free.
        OwnerThreadQueue* queue = queue_;
        if (queue->OnOwnerThread())
            return Handle(msg);
        return queue->SendAndWait(this, [this, msg] { return Handle(msg); });
    }
    bool PostMessage(UINT, WPARAM, LPARAM) override { return false; }

    std::atomic<int> progress{0};

private:
    LRESULT Handle(UINT msg)
    {
        if (msg == WM_DEVICE_PROGRESS)
            progress.fetch_add(1);
        return 0;
    }

    OwnerThreadQueue* queue_ = &OwnerThreadQueue::Instance();
};

// Delivers queued sends until `condition` holds; false after ten seconds.
bool DeliverUntil(const std::function<bool()>& condition)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        OwnerThreadQueue::Deliver();
        std::this_thread::yield();
    }
    return true;
}

class ProgressDeliveryTest : public DeviceTest {
protected:
    void SetUp() override
    {
        DeviceTest::SetUp();
        OwnerThreadQueue::Instance().MakeCurrentThreadTheOwner();
        SetMessagePump(&OwnerThreadQueue::Deliver);
    }
    void TearDown() override
    {
        SetMessagePump(nullptr);
        DeviceTest::TearDown();
    }
};

} // namespace

TEST_F(ProgressDeliveryTest, WindowsDetachedWhileAWorkerSendsAreNeverReachedAfterwards)
{
    CProgressMessenger messenger;
    std::atomic<bool> stop{false};
    std::thread worker([&] {
        for (int percent = 0; !stop.load(); percent = (percent + 1) % 101) {
            messenger.SendProgress(percent);
            std::this_thread::yield();
        }
    });
    for (int round = 0; round < 300; ++round) {
        SCOPED_TRACE(round);
        auto window = std::make_unique<OwnerThreadWindow>();
        messenger.AddListener(window.get());
        ASSERT_TRUE(DeliverUntil([&] { return window->progress.load() > 0; }));
        messenger.RemoveListener(window.get());
        EXPECT_EQ(OwnerThreadQueue::Instance().Pending(window.get()), 0u) << "a send outlived the removal";
        window.reset();
    }
    stop.store(true);
    worker.join();
}

// The write's worker waits for the owner thread to take its progress while that
// thread destroys the device: the destruction delivers it and ends.
TEST_F(ProgressDeliveryTest, DestroyingTheDeviceWhileItsWorkerWaitsForThisThreadEnds)
{
    Plug(0x0031);
    auto mouse = std::make_unique<CMouse>(*FindSupportedDevice(0x0031));
    CTovikEliteConfig config;
    ASSERT_TRUE(mouse->ReadAll(&config));
    ASSERT_TRUE(mouse->Transfer(&config, TransferMode::Read, TransferFlags::All));
    OwnerThreadWindow window;
    mouse->AddProgressListener(&window);
    config.GetProfile(0)->SetStageDpi(1, 1600);
    ASSERT_TRUE(mouse->Transfer(&config, TransferMode::Write, TransferFlags::All));
    ASSERT_TRUE(Eventually([&] { return OwnerThreadQueue::Instance().Pending(&window) > 0; }));
    mouse.reset();
    EXPECT_GT(window.progress.load(), 0);
    EXPECT_EQ(Image(0x0031).profiles[0].stages[0].x, 1600u);
}
