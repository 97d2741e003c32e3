// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/MessageWait.h"

#include <atomic>
#include <chrono>

namespace {

std::atomic<MessagePump> installedPump{nullptr};

// How long one wait lasts before queued messages are looked at again. Senders
// do not signal the waiter's condition, so the waiter looks on its own.
constexpr std::chrono::milliseconds kPumpSlice{2};

} // namespace

void SetMessagePump(MessagePump pump)
{
    installedPump.store(pump);
}

void WaitServicingMessages(std::unique_lock<std::mutex>& lock, std::condition_variable& cv,
                           const std::function<bool()>& done)
{
    const MessagePump pump = installedPump.load();
    while (!done()) {
        lock.unlock();
        const bool hasWindows = pump && pump();
        lock.lock();
        if (!hasWindows) {
            cv.wait(lock, done);
            return;
        }
        cv.wait_for(lock, kPumpSlice, done);
    }
}
