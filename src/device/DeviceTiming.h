// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The waits the device layer makes, in one place. The product uses the defaults;
// tests shorten them here instead of skipping the waits.
#include <chrono>

struct DeviceTiming {
    // Pause between tries to read a device profile's name while it settles.
    std::chrono::milliseconds profileSettle{500};
    // Pause at the end of a write before the device counts as free again.
    std::chrono::milliseconds afterWrite{500};
    // Pause of the null device's transfer.
    std::chrono::milliseconds nullTransfer{5};
    // Pause before asking the device a second time for its number of profiles when
    // it disagrees with the program (a write may still be settling on the device).
    std::chrono::milliseconds importRetry{1500};
    // How long a write waits for another client (the tray) to let the device go.
    std::chrono::milliseconds writeSessionWait{5000};
};

DeviceTiming GetDeviceTiming();
void SetDeviceTiming(const DeviceTiming& timing);

// Whether any device read has completed in this process.
void SetDeviceReadDone();
bool WasDeviceReadDone();
