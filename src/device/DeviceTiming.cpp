// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceTiming.h"

#include <atomic>
#include <mutex>

namespace {

std::mutex timingMutex;
DeviceTiming timing;
std::atomic<bool> readDone{false};

} // namespace

DeviceTiming GetDeviceTiming()
{
    std::lock_guard lock(timingMutex);
    return timing;
}

void SetDeviceTiming(const DeviceTiming& value)
{
    std::lock_guard lock(timingMutex);
    timing = value;
}

void SetDeviceReadDone()
{
    readDone.store(true);
}

bool WasDeviceReadDone()
{
    return readDone.load();
}
