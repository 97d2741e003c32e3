// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/DeviceJobs.h"

CDeviceJobs::CDeviceJobs() : thread_([this] { Main(); }) {}

CDeviceJobs::~CDeviceJobs()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    wake_.notify_all();
    thread_.join();
}

int CDeviceJobs::Pending() const
{
    std::lock_guard lock(mutex_);
    return static_cast<int>(jobs_.size()) + running_ + undelivered_->load();
}

void CDeviceJobs::Enqueue(std::function<void()> job)
{
    {
        std::lock_guard lock(mutex_);
        if (stopping_)
            return;
        jobs_.push_back(std::move(job));
    }
    wake_.notify_one();
}

void CDeviceJobs::Main()
{
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
        if (stopping_)
            return;
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        ++running_;
        lock.unlock();
        job();
        lock.lock();
        --running_;
    }
}
