// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device layer's waits shortened for tests: the emulator answers at once, so
// waiting for a profile to settle or for a null transfer only slows the tests.
#include "device/DeviceTiming.h"

#include <chrono>

inline void UseFastDeviceTiming()
{
    DeviceTiming timing;
    timing.profileSettle = std::chrono::milliseconds(0);
    timing.afterWrite = std::chrono::milliseconds(1);
    timing.nullTransfer = std::chrono::milliseconds(0);
    SetDeviceTiming(timing);
}
