// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs device calls one after another on a thread of its own and hands each
// result to the GUI thread, so the tray never waits for the device. The
// destructor waits for the call that runs and drops the queued ones; a result
// whose context is gone is dropped by Qt.
#include <QObject>

#include <atomic>
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
        Enqueue([undelivered = undelivered_, context, work = std::move(work), done = std::move(done)] {
            auto result = std::make_shared<Result>(work());
            // Counted from before the job ends until its result is handed over, so
            // that no one sees the device calls done while the result is on its way.
            undelivered->fetch_add(1);
            QMetaObject::invokeMethod(
                context,
                [undelivered, done, result] {
                    done(std::move(*result));
                    undelivered->fetch_sub(1);
                },
                Qt::QueuedConnection);
        });
    }

    // Jobs queued, running, or whose result has not been handed over yet.
    int Pending() const;

private:
    void Enqueue(std::function<void()> job);
    void Main();

    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::function<void()>> jobs_;
    int running_ = 0;
    std::shared_ptr<std::atomic<int>> undelivered_ = std::make_shared<std::atomic<int>>(0);
    bool stopping_ = false;
    std::thread thread_;
};
