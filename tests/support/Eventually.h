// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Waiting on a condition in tests without a Qt event loop (device and emulator
// tests): the condition is polled until it holds or the time is up. Tests with
// widgets wait with QTest::qWaitFor instead, which keeps events flowing.
#include "support/TestEnvironment.h"

#include <chrono>
#include <functional>
#include <thread>

// True as soon as `condition` holds; false when it still does not after `timeout`
// (longer in slow builds, see TestTimeScale).
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::milliseconds timeout = std::chrono::seconds(10))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout * TestTimeScale();
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return condition();
}
