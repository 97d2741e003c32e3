// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/SessionLock.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace emulator {

SessionLock::SessionLock(const std::filesystem::path& path, Mode mode, std::chrono::milliseconds timeout)
{
    // Never through a planted link; a read-only directory still lets an existing
    // lock file be locked (flock needs no write access).
    constexpr int kFlags = O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK;
    fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0600);
    if (fd_ < 0 && (errno == EACCES || errno == EROFS))
        fd_ = ::open(path.c_str(), O_RDONLY | kFlags);
    if (fd_ < 0)
        return;
    struct stat status {};
    if (::fstat(fd_, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        return;
    }
    const int operation = (mode == Mode::Exclusive ? LOCK_EX : LOCK_SH) | LOCK_NB;
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    // flock has no timed wait: poll, starting fast (most sessions are short) and
    // backing off so that a long write is not hammered.
    std::chrono::milliseconds pause(1);
    for (;;) {
        if (::flock(fd_, operation) == 0) {
            outcome_ = Outcome::Held;
            return;
        }
        if (errno != EWOULDBLOCK && errno != EINTR)
            break;
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) {
            outcome_ = Outcome::Busy;
            break;
        }
        std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    ::close(fd_);
    fd_ = -1;
}

SessionLock::~SessionLock()
{
    if (fd_ >= 0)
        ::close(fd_); // closing releases the flock
}

} // namespace emulator
