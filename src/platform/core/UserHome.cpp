// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/UserHome.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>
#include <vector>

std::string UserHomeDirectory()
{
    if (const char* home = std::getenv("HOME"); home && *home == '/')
        return home;
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? size_t(size) : 16384);
    struct passwd entry {};
    struct passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found || !found->pw_dir ||
        found->pw_dir[0] != '/')
        return {};
    return found->pw_dir;
}
