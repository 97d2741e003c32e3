// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The background battery read the main window runs every few seconds on a thread
// of its own. Reading and storing are split: the read touches only the device
// server and may run on any thread; storing into the configuration is done by
// the thread that owns the configuration, so the settings model (which has no
// locks) is never written from two threads.
#include <cstdint>
#include <optional>

class IMouseConfig;

// The main window's device code (1, 2, 4, 8) -> product id (0x0031, 0x0032,
// 0x0013, 0x001B); anything else counts as the current-generation dock.
uint32_t ProductIdForDeviceCode(int deviceCode);
// The other way, as the main window keeps it: 1, 2, 4, 8 for the four products,
// 0 for any other product id (the null device's 0 included).
constexpr int kDeviceCodeNone = 18; // what the window keeps when no device is attached
int DeviceCodeForProductId(uint32_t productId);

struct BatteryStatus {
    // False when the level read failed on an earlier-generation device (which
    // cannot measure while it charges): the configuration keeps the level it has.
    bool storeLevel = true;
    uint32_t level = 0;
    int32_t chargingState = 0; // 0 on battery, 1 charging, 2 anything else
};

// Finds the device of the code's product and reads its charging state and level.
// Nothing when there is no such device, no battery interface, or the level read
// failed on a current-generation device. Initialises COM on the calling thread
// for its duration.
std::optional<BatteryStatus> ReadBatteryStatus(int deviceCode);

// Stores a read into the configuration; true when the window's status-read flag
// is to be set (that is, always for a status that was read).
bool ApplyBatteryStatus(const BatteryStatus& status, IMouseConfig& config);

// The firmware version of the attached device with the product id, for the
// maintenance page's firmware line; nothing when it cannot be read.
struct FirmwareVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t revision = 0;
};
std::optional<FirmwareVersion> ReadFirmwareVersion(uint32_t productId);
