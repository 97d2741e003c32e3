// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A quick look at the attached device for the tray: its profiles (name, linked
// program, auto-switch flag, which is active), its battery and warning level, and
// the one change the tray makes, the active profile. Each call opens its own
// connection and initialises COM on the calling thread for its duration, so any
// thread may call it; the device server serialises each call against other
// processes' changes.
#include "device/BatteryStatus.h"
#include "platform/com/Guid.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct DeviceProfileSummary {
    GUID id{};
    std::u16string name;
    std::u16string program; // file name or full path; empty when none is linked
    bool autoSwitch = false;
    bool active = false;
};

struct DeviceSnapshot {
    uint32_t productId = 0;
    std::vector<DeviceProfileSummary> profiles; // in device order
    std::optional<BatteryStatus> battery;       // nothing when it could not be read
    // Battery level below which the user is warned, in the level's own scale;
    // nothing for products without power settings or when the read failed.
    std::optional<uint32_t> batteryWarning;
};

// The first attached device that stores profiles (enumeration order). Nothing when
// no device server or no such device answers, or when its profiles cannot be read.
std::optional<DeviceSnapshot> ReadDeviceSnapshot();

enum class ProfileSwitch {
    Done,
    Busy,   // another client is writing the device: try again later
    Failed, // the device or the profile is gone, or the device refused
};

// Makes the profile with `id` the active one on the attached device `productId`,
// holding the device for it (see IDeviceWriteSession) so that it never lands in
// the middle of another client's write. Waits up to `busyWait` for such a write
// to end, then answers Busy. Unless Done, the device is unchanged.
ProfileSwitch ActivateDeviceProfile(uint32_t productId, const GUID& id, std::chrono::milliseconds busyWait);
