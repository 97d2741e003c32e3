// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lock behind a write session, shared by every process that opens the device
// directory: flock on "0031.session". The connection holding a session has it
// exclusively; a changing call of any other connection has it shared for the
// length of the call, so it waits for a session to end and never lands between
// the session's calls. Closing the descriptor lets the lock go, and the kernel
// closes it when a holder dies, so a killed writer never leaves a device held.
#include <chrono>
#include <filesystem>

namespace emulator {

class SessionLock {
public:
    enum class Mode { Shared, Exclusive };
    enum class Outcome { Held, Busy, Unavailable };

    // Tries to take the lock until `timeout` has passed (zero: one try). Busy when
    // another holder kept it that long; Unavailable when the lock file cannot be
    // opened (the device directory is gone).
    SessionLock(const std::filesystem::path& path, Mode mode, std::chrono::milliseconds timeout);
    ~SessionLock();
    SessionLock(const SessionLock&) = delete;
    SessionLock& operator=(const SessionLock&) = delete;

    Outcome outcome() const { return outcome_; }
    bool held() const { return outcome_ == Outcome::Held; }

private:
    int fd_ = -1;
    Outcome outcome_ = Outcome::Unavailable;
};

} // namespace emulator
