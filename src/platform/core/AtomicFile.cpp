// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/AtomicFile.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::atomic<bool> stopBeforeRename{false};
std::atomic<unsigned> temporaryCounter{0};

std::string SystemError(const std::string& what, const std::filesystem::path& path)
{
    return what + " " + path.string() + ": " + std::strerror(errno);
}

bool WriteAll(int fd, std::string_view data)
{
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data.remove_prefix(size_t(n));
    }
    return true;
}

// The writer's process id in a temporary file's name "<file>.tmp.<pid>.<n>", or
// 0 when the name is not one.
pid_t TemporaryWriter(std::string_view name)
{
    const size_t mark = name.rfind(".tmp.");
    if (mark == std::string_view::npos || mark == 0)
        return 0;
    const std::string_view rest = name.substr(mark + 5);
    const size_t dot = rest.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot + 1 == rest.size())
        return 0;
    const std::string_view counter = rest.substr(dot + 1);
    if (counter.find_first_not_of("0123456789") != std::string_view::npos)
        return 0;
    long pid = 0;
    const auto [end, ec] = std::from_chars(rest.data(), rest.data() + dot, pid);
    if (ec != std::errc() || end != rest.data() + dot || pid <= 0)
        return 0;
    return pid_t(pid);
}

} // namespace

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path, size_t maxBytes, std::string& error)
{
    // Non-blocking open and a regular-file check, so a FIFO or device node
    // handed over as a file cannot stall the caller.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = SystemError("cannot open", path);
        return std::nullopt;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        error = path.string() + " is not a regular file";
        ::close(fd);
        return std::nullopt;
    }
    std::string data;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            error = SystemError("cannot read", path);
            ::close(fd);
            return std::nullopt;
        }
        if (n == 0)
            break;
        if (data.size() + size_t(n) > maxBytes) {
            error = path.string() + " is larger than " + std::to_string(maxBytes) + " bytes";
            ::close(fd);
            return std::nullopt;
        }
        data.append(buffer, size_t(n));
    }
    ::close(fd);
    return data;
}

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents, std::string& error)
{
    const std::filesystem::path directory = path.parent_path().empty() ? "." : path.parent_path();
    const std::filesystem::path temporary =
        directory / (path.filename().string() + ".tmp." + std::to_string(::getpid()) + "." +
                     std::to_string(temporaryCounter.fetch_add(1)));
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = SystemError("cannot create", temporary);
        return false;
    }
    if (!WriteAll(fd, contents) || ::fsync(fd) != 0) {
        error = SystemError("cannot write", temporary);
        ::close(fd);
        ::unlink(temporary.c_str());
        return false;
    }
    if (::close(fd) != 0) {
        error = SystemError("cannot close", temporary);
        ::unlink(temporary.c_str());
        return false;
    }
    if (stopBeforeRename.exchange(false)) {
        error = "stopped before renaming " + temporary.string();
        return false; // the temporary file stays, as after a crash
    }
    if (::rename(temporary.c_str(), path.c_str()) != 0) {
        error = SystemError("cannot rename to", path);
        ::unlink(temporary.c_str());
        return false;
    }
    // Make the rename itself durable.
    const int dirFd = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
    return true;
}

void StopNextWriteBeforeRename()
{
    stopBeforeRename = true;
}

size_t RemoveAbandonedTemporaries(const std::filesystem::path& directory)
{
    size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        const pid_t writer = TemporaryWriter(it->path().filename().string());
        // A writer that still runs may yet rename its file; only a gone one's is litter.
        if (writer == 0 || writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH)
            continue;
        std::error_code removeError;
        if (it->is_regular_file(removeError) && std::filesystem::remove(it->path(), removeError))
            ++removed;
    }
    return removed;
}
