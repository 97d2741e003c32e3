// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/com/SystemRandom.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/random.h>
#include <system_error>
#include <unistd.h>

namespace {

// The fallback for kernels without getrandom.
bool ReadUrandom(unsigned char* out, std::size_t size)
{
    const int fd = ::open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    while (size > 0) {
        const ssize_t n = ::read(fd, out, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            return false;
        }
        out += n;
        size -= std::size_t(n);
    }
    ::close(fd);
    return true;
}

} // namespace

void FillWithSystemRandom(void* buffer, std::size_t size)
{
    auto* out = static_cast<unsigned char*>(buffer);
    while (size > 0) {
        const ssize_t n = ::getrandom(out, size, 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            if (ReadUrandom(out, size))
                return;
            throw std::system_error(error, std::generic_category(), "no system random source");
        }
        out += n;
        size -= std::size_t(n);
    }
}

uint64_t SystemRandom64()
{
    uint64_t value = 0;
    FillWithSystemRandom(&value, sizeof value);
    return value;
}
