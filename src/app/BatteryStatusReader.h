// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reads the battery status on a thread of its own, one read at a time. The read
// touches only the device server; its result is collected and stored into the
// configuration by the GUI thread, which owns the configuration.
#include "device/BatteryStatus.h"

#include <atomic>
#include <mutex>
#include <optional>
#include <thread>

class CBatteryStatusReader {
public:
    CBatteryStatusReader() = default;
    ~CBatteryStatusReader();
    CBatteryStatusReader(const CBatteryStatusReader&) = delete;
    CBatteryStatusReader& operator=(const CBatteryStatusReader&) = delete;

    // False while an earlier read runs (or its result has not been collected).
    bool Start(int deviceCode);
    bool IsRunning() const { return started_ && !finished_.load(); }
    // A read was started and its result has not been collected yet.
    bool HasThread() const { return started_; }

    // Blocks until a running read has finished (used before a screenshot, so the
    // picture shows the battery as read).
    void WaitUntilFinished();

    // When the read has finished: ends the thread and hands over what was read
    // (an empty inner optional when nothing could be read). Nothing while it runs.
    std::optional<std::optional<BatteryStatus>> Collect();

private:
    std::thread thread_;
    std::atomic<bool> finished_{false};
    bool started_ = false; // touched by the owning thread only
    std::mutex mutex_;
    std::optional<BatteryStatus> result_;
};
