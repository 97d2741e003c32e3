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

// The decimal text of a positive number exactly as std::to_string writes it
// (no sign, no leading zero), or 0.
long CanonicalNumber(std::string_view text)
{
    if (text.empty() || text.size() > 18 || text.front() == '0' ||
        text.find_first_not_of("0123456789") != std::string_view::npos)
        return 0;
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size() ? value : 0;
}

// The writer's process id in a temporary file's name "<file>.tmp.<pid>.<n>" for
// one of `targets`, or 0 when the name is not exactly such a name.
pid_t TemporaryWriter(std::string_view name, const std::set<std::string>& targets)
{
    const size_t mark = name.rfind(".tmp.");
    if (mark == std::string_view::npos || !targets.count(std::string(name.substr(0, mark))))
        return 0;
    const std::string_view rest = name.substr(mark + 5);
    const size_t dot = rest.find('.');
    if (dot == std::string_view::npos)
        return 0;
    const long pid = CanonicalNumber(rest.substr(0, dot));
    const std::string_view counter = rest.substr(dot + 1);
    if (pid <= 0 || (counter != "0" && CanonicalNumber(counter) <= 0))
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

bool WriteFileAtomically(const std::filesystem::path& path, std::string_view contents, std::string& error,
                         NewFileAccess access)
{
    const std::filesystem::path directory = path.parent_path().empty() ? "." : path.parent_path();
    const std::filesystem::path temporary =
        directory / (path.filename().string() + ".tmp." + std::to_string(::getpid()) + "." +
                     std::to_string(temporaryCounter.fetch_add(1)));
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW,
                          access == NewFileAccess::Private ? 0600 : 0644);
    if (fd < 0) {
        error = SystemError("cannot create", temporary);
        return false;
    }
    // A file that is replaced keeps who may read it: the user chose that, not us.
    struct stat existing {};
    if (::lstat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        if (::fchown(fd, existing.st_uid, existing.st_gid) != 0)
            (void)::fchown(fd, ::geteuid(), existing.st_gid); // the group alone, where we belong to it
        if (::fchmod(fd, existing.st_mode & 0777) != 0) {
            error = SystemError("cannot set the permissions of", temporary);
            ::close(fd);
            ::unlink(temporary.c_str());
            return false;
        }
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

size_t RemoveAbandonedTemporaries(const std::filesystem::path& directory, const std::set<std::string>& targets)
{
    size_t removed = 0;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        const pid_t writer = TemporaryWriter(it->path().filename().string(), targets);
        // A writer that still runs may yet rename its file; only a gone one's is litter.
        if (writer == 0 || writer == ::getpid() || ::kill(writer, 0) == 0 || errno != ESRCH)
            continue;
        struct stat status {};
        if (::lstat(it->path().c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid())
            continue;
        if (::unlink(it->path().c_str()) == 0)
            ++removed;
    }
    return removed;
}
