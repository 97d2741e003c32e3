// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/DirectoryWatch.h"

#include <cerrno>
#include <cstdint>
#include <poll.h>
#include <string_view>
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace emulator {

namespace {

constexpr uint32_t kWatchMask =
    IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_CLOSE_WRITE | IN_DELETE_SELF | IN_MOVE_SELF;

bool IsAttachmentFile(std::string_view name)
{
    return name.ends_with(".attached");
}

} // namespace

DirectoryWatch::DirectoryWatch(std::filesystem::path directory) : directory_(std::move(directory))
{
    inotify_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    interrupt_ = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    TryWatch();
}

DirectoryWatch::~DirectoryWatch()
{
    if (inotify_ >= 0)
        close(inotify_);
    if (interrupt_ >= 0)
        close(interrupt_);
}

void DirectoryWatch::TryWatch()
{
    if (inotify_ < 0 || watch_ >= 0)
        return;
    watch_ = inotify_add_watch(inotify_, directory_.c_str(), kWatchMask | IN_ONLYDIR);
}

bool DirectoryWatch::DrainEvents()
{
    bool relevant = false;
    alignas(inotify_event) char buffer[4096];
    for (;;) {
        const ssize_t n = read(inotify_, buffer, sizeof buffer);
        if (n <= 0)
            break;
        for (ssize_t offset = 0; offset + ssize_t(sizeof(inotify_event)) <= n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            offset += ssize_t(sizeof(inotify_event) + event->len);
            if (event->mask & (IN_IGNORED | IN_DELETE_SELF | IN_MOVE_SELF)) {
                // The directory went away or moved: watch it again once it is back.
                if (event->mask & IN_IGNORED)
                    watch_ = -1;
                relevant = true;
            } else if (event->mask & IN_Q_OVERFLOW) {
                relevant = true;
            } else if (event->len > 0 && IsAttachmentFile(std::string_view(event->name))) {
                relevant = true;
            }
        }
    }
    return relevant;
}

bool DirectoryWatch::Wait()
{
    for (;;) {
        if (interrupted_.load())
            return false;
        TryWatch();
        pollfd fds[2] = {};
        nfds_t count = 0;
        if (interrupt_ >= 0)
            fds[count++] = {interrupt_, POLLIN, 0};
        const nfds_t inotifyIndex = count;
        if (inotify_ >= 0)
            fds[count++] = {inotify_, POLLIN, 0};
        // Without a watch or a way to be woken, look again after the interval.
        const bool wokenAtOnce = Watching() && interrupt_ >= 0;
        const int ready = poll(fds, count, wokenAtOnce ? -1 : int(kUnwatchedInterval.count()));
        if (interrupted_.load())
            return false;
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            return true; // cannot wait: let the caller look, as after an interval
        }
        if (ready == 0)
            return true;
        if (inotify_ >= 0 && (fds[inotifyIndex].revents & POLLIN) && DrainEvents())
            return true;
        if (!Watching())
            return true; // lost the watch: look now, then watch again
    }
}

void DirectoryWatch::Interrupt()
{
    interrupted_.store(true);
    if (interrupt_ >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] const ssize_t written = write(interrupt_, &one, sizeof one);
    }
}

} // namespace emulator
