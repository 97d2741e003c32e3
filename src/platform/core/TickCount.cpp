// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/TickCount.h"

#include <chrono>

DWORD GetTickCount()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return DWORD(uint64_t(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()));
}
