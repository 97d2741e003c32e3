// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Wakes a thread as soon as a device is plugged or unplugged in a device
// directory (inotify on the attachment files), or when asked to stop. Where the
// directory cannot be watched (it does not exist yet, or inotify is unavailable),
// a wait ends after a short interval instead, so changes are still noticed, and
// the next wait tries to watch again.
#include <atomic>
#include <chrono>
#include <filesystem>

namespace emulator {

class DirectoryWatch {
public:
    explicit DirectoryWatch(std::filesystem::path directory);
    ~DirectoryWatch();
    DirectoryWatch(const DirectoryWatch&) = delete;
    DirectoryWatch& operator=(const DirectoryWatch&) = delete;

    // Blocks until an attachment file may have changed (true) or Interrupt was
    // called (false, now and for every later wait).
    bool Wait();
    // From any thread.
    void Interrupt();
    // Whether changes arrive as they happen rather than by the interval.
    bool Watching() const { return watch_ >= 0; }

    static constexpr std::chrono::milliseconds kUnwatchedInterval{200};

private:
    void TryWatch();
    // Reads what inotify has queued; true when an attachment file or the
    // directory itself is among it.
    bool DrainEvents();

    std::filesystem::path directory_;
    int inotify_ = -1;
    int watch_ = -1;
    int interrupt_ = -1; // eventfd
    std::atomic<bool> interrupted_{false};
};

} // namespace emulator
