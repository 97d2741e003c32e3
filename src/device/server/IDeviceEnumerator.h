// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Entry point of the device server and the attached devices it lists.
#include "platform/com/Unknown.h"

#include <cstdint>

// What a device reports about itself (seven 32-bit words on the original
// platform; the last is a pointer here and so pointer-sized).
struct DeviceInfo {
    uint32_t vendorId = 0;           // word 0: USB vendor id (0x2E7A)
    uint32_t productId = 0;          // word 1: USB product id
    uint32_t deviceVersionMajor = 0; // word 2: hardware revision, major
    uint32_t deviceVersionMinor = 0; // word 3: hardware revision, minor
    uint32_t firmwareMajor = 0;      // word 4: firmware version, major
    uint32_t firmwareMinor = 0;      // word 5: firmware version, minor
    // Word 6: the device path, "\\?\HID#VID_2E7A&PID_0031#...", zero-terminated
    // UTF-16 in task memory. The caller frees it with CoTaskMemFree.
    char16_t* devicePath = nullptr;
};

// One attached device. Per-device interfaces come from QueryInterface:
// `IDeviceProfileCollection`, `IDeviceMacroCollection`, `IDeviceReportInterval`,
// `IDeviceAcceleration` (feature 12), `IDeviceCalibration`, `IDeviceBattery`,
// `IDevicePower`, `IDeviceFirmware`, `IDeviceState`, `IDeviceProbe`.
// A product without a capability answers E_NOINTERFACE for it (the earlier
// generation has no calibration and no power settings).
// After the device is unplugged every call fails with E_DEVICE_NOT_CONNECTED,
// also when it is plugged in again (a new enumeration gives a new object).
struct IDeviceObject : IUnknown {
    // {7C0AFE36-E640-4090-B4BC-2AAFF8087DD2}
    static constexpr IID Iid = MakeGuid(0x7C0AFE36, 0xE640, 0x4090, {0xB4, 0xBC, 0x2A, 0xAF, 0xF8, 0x08, 0x7D, 0xD2});

    virtual HRESULT GetDeviceInfo(DeviceInfo* info) = 0; // slot 3
    virtual HRESULT GetDevicePath(char16_t** path) = 0;  // slot 4: task memory, caller frees
};

// {8E3A4F10-2C6B-4D8E-B7A1-5F09C3E6D214}. Created with CoCreateInstance
// (CLSID_DeviceServer). Also answers `IDeviceChangeSource`.
struct IDeviceEnumerator : IUnknown {
    static constexpr IID Iid = MakeGuid(0x8E3A4F10, 0x2C6B, 0x4D8E, {0xB7, 0xA1, 0x5F, 0x09, 0xC3, 0xE6, 0xD2, 0x14});

    // Attached devices in a fixed order (0x0031, 0x0032, 0x0013, 0x001B, as far
    // as attached); succeeds for index 0 .. count-1, E_BOUNDS after the last.
    virtual HRESULT GetDevice(uint32_t index, IDeviceObject** device) = 0; // slot 3
    virtual HRESULT GetDeviceCount(uint32_t* count) = 0;                   // slot 4
};
