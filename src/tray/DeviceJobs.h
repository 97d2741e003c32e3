// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs device calls one after another on a thread of its own and hands each
// result to the GUI thread, so the tray never waits for the device. Results for
// The context object must outlive this object (make it a member of the context);
// the destructor waits for the call that runs and drops the queued ones.
#include <QObject>

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

class CDeviceJobs {
public:
    CDeviceJobs();
    ~CDeviceJobs();
    CDeviceJobs(const CDeviceJobs&) = delete;
    CDeviceJobs& operator=(const CDeviceJobs&) = delete;

    // `work` runs on the device thread; `done` then runs on `context`'s thread.
    template <typename Result>
    void Run(QObject* context, std::function<Result()> work, std::function<void(Result)> done)
    {
        Enqueue([context, work = std::move(work), done = std::move(done)] {
            auto result = std::make_shared<Result>(work());
            QMetaObject::invokeMethod(
                context, [done, result] { done(std::move(*result)); }, Qt::QueuedConnection);
        });
    }

    // Jobs queued or running.
    int Pending() const;

private:
    void Enqueue(std::function<void()> job);
    void Main();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    int running_ = 0;
    bool stopping_ = false;
    std::thread thread_;
};
