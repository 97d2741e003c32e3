// SPDX-License-Identifier: GPL-3.0-or-later
// Message delivery to skinned windows: direct sends, queued posts, sends from other
// threads while the GUI thread waits in a local loop, and windows that go away
// while messages for them are still queued.
#include "platform/HelperThread.h"
#include "platform/SkinWindow.h"

#include <QCoreApplication>
#include <QTest>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <thread>
#include <vector>

namespace {

struct Delivery {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    std::thread::id thread;
};

// Records every message; answers wParam + lParam so a test can tell results apart.
class DeliveryLogWindow : public CSkinWindow {
public:
    explicit DeliveryLogWindow(std::shared_ptr<std::vector<Delivery>> log = std::make_shared<std::vector<Delivery>>())
        : log(std::move(log))
    {
    }
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        log->push_back({msg, wParam, lParam, std::this_thread::get_id()});
        if (onMessage)
            onMessage(msg);
        return LRESULT(wParam) + lParam;
    }
    std::shared_ptr<std::vector<Delivery>> log;
    std::function<void(UINT)> onMessage;
};

TEST(SkinWindowMessages, SendOnTheSameThreadIsHandledAtOnceAndPostsWaitForTheLoop)
{
    DeliveryLogWindow window;
    EXPECT_EQ(::SendMessage(&window, WM_USER + 5, 40, 2), 42);
    ASSERT_EQ(window.log->size(), 1u);

    EXPECT_TRUE(::PostMessage(&window, WM_SLIDER_RELEASED, 7, 256));
    EXPECT_TRUE(::PostMessage(&window, WM_SLIDER_CHANGING, 8, 256));
    EXPECT_EQ(window.log->size(), 1u) << "a posted message must not be handled before the loop runs";
    QCoreApplication::sendPostedEvents(&window);
    ASSERT_EQ(window.log->size(), 3u);
    EXPECT_EQ((*window.log)[1].msg, WM_SLIDER_RELEASED);
    EXPECT_EQ((*window.log)[2].msg, WM_SLIDER_CHANGING);
    EXPECT_EQ((*window.log)[2].wParam, 8u);
}

TEST(SkinWindowMessages, NullWindowAnswersZeroAndCannotBePostedTo)
{
    EXPECT_EQ(::SendMessage(nullptr, WM_USER, 1, 2), 0);
    EXPECT_FALSE(::PostMessage(nullptr, WM_USER, 1, 2));
}

TEST(SkinWindowMessages, SendFromWorkerBlocksUntilHandledOnTheGuiThreadDuringALocalLoop)
{
    DeliveryLogWindow window;
    const auto guiThread = std::this_thread::get_id();
    std::vector<LRESULT> results;
    std::atomic<int> handledBeforeReturn{-1};

    // The GUI thread waits in a local loop while the work runs on a helper thread,
    // as a device read does; the progress sends must get through.
    RunOnHelperThread([&] {
        for (int percent = 10; percent <= 100; percent += 30) {
            results.push_back(::SendMessage(&window, WM_DEVICE_PROGRESS, 1000, percent));
        }
        handledBeforeReturn = int(window.log->size());
    });

    EXPECT_EQ(results, (std::vector<LRESULT>{1010, 1040, 1070, 1100}));
    EXPECT_EQ(handledBeforeReturn.load(), 4) << "each send must have been handled when it returned";
    for (const auto& delivery : *window.log)
        EXPECT_EQ(delivery.thread, guiThread);
}

TEST(SkinWindowMessages, PostFromWorkerArrivesOnTheGuiThread)
{
    DeliveryLogWindow window;
    std::thread worker([&] { EXPECT_TRUE(::PostMessage(&window, WM_PROGRESS_SHOW, 0, 0)); });
    worker.join();
    QTRY_COMPARE(window.log->size(), size_t(1));
    EXPECT_EQ(window.log->front().msg, WM_PROGRESS_SHOW);
    EXPECT_EQ(window.log->front().thread, std::this_thread::get_id());
}

TEST(SkinWindowMessages, PostedMessageToADestroyedWindowIsDroppedQuietly)
{
    auto log = std::make_shared<std::vector<Delivery>>();
    auto* window = new DeliveryLogWindow(log);
    ::PostMessage(window, WM_USER + 1, 0, 0);
    delete window;
    QCoreApplication::processEvents();
    EXPECT_TRUE(log->empty());
}

TEST(SkinWindowMessages, SenderIsReleasedWithZeroWhenTheWindowGoesAwayBeforeHandlingIt)
{
    auto log = std::make_shared<std::vector<Delivery>>();
    auto* window = new DeliveryLogWindow(log);
    LRESULT result = -1;
    std::thread worker([&] { result = ::SendMessage(window, WM_DEVICE_PROGRESS, 5, 5); });
    // Wait (without handling events) until the send is queued, then destroy the window.
    while (window->QueuedSends() == 0)
        std::this_thread::yield();
    delete window;
    worker.join();
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(log->empty());
}

TEST(SkinWindowMessages, WindowDestroyingItselfWhileHandlingASendStillAnswersTheSender)
{
    auto log = std::make_shared<std::vector<Delivery>>();
    auto* window = new DeliveryLogWindow(log);
    window->onMessage = [window](UINT msg) {
        if (msg == WM_CLOSE)
            delete window;
    };
    LRESULT result = -1;
    RunOnHelperThread([&] { result = ::SendMessage(window, WM_CLOSE, 3, 4); });
    EXPECT_EQ(result, 7);
    ASSERT_EQ(log->size(), 1u);
}

// A control that tells its parent it is going away, from its destructor.
class NotifyingChild : public CSkinWindow {
public:
    NotifyingChild(QWidget* parent, LRESULT& answer) : CSkinWindow(parent), answer_(answer) {}
    ~NotifyingChild() override { answer_ = ::SendMessage(GetParentWindow(), WM_USER + 9, 1, 1); }

private:
    LRESULT& answer_;
};

TEST(SkinWindowMessages, ChildNotifyingItsParentDuringDestructionGetsZeroInsteadOfACrash)
{
    auto log = std::make_shared<std::vector<Delivery>>();
    LRESULT childAnswer = -1;
    {
        DeliveryLogWindow parent(log);
        new NotifyingChild(&parent, childAnswer);
    }
    EXPECT_EQ(childAnswer, 0);
    EXPECT_TRUE(log->empty()) << "a window being destroyed must not run its procedure";
}

TEST(SkinWindowMessages, GetParentWindowSkipsPlainWidgets)
{
    DeliveryLogWindow top;
    auto* plain = new QWidget(&top);
    auto* control = new DeliveryLogWindow();
    control->setParent(plain);
    EXPECT_EQ(control->GetParentWindow(), &top);
    EXPECT_EQ(top.GetParentWindow(), nullptr);
}

} // namespace
