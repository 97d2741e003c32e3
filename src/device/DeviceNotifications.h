// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device-interface notifications: windows register for a device-interface class
// and receive WM_DEVICECHANGE (wParam the event, lParam a const
// DeviceInterfaceBroadcast* that lives only for the call) when a device of that
// class arrives or is removed. The events come from the device server's
// arrival/removal source (the emulator) and, where libudev is available, from
// hidraw removals of real devices. Paths contain "VID_xxxx" and "PID_xxxx".
#include "platform/com/Guid.h"
#include "platform/core/DeviceBroadcast.h"
#include "platform/core/MessageTarget.h"

#include <cstdint>
#include <string>
#include <string_view>

// {4D1E55B2-F16F-11CF-88CB-001111000030}: the HID device-interface class.
constexpr GUID GUID_DEVINTERFACE_HID =
    MakeGuid(0x4D1E55B2, 0xF16F, 0x11CF, {0x88, 0xCB, 0x00, 0x11, 0x11, 0x00, 0x00, 0x30});

// The registration filter: size 32, device type 5 (device interface), a class and
// an empty name.
struct DeviceInterfaceFilter {
    DWORD size = 32;
    DWORD deviceType = DBT_DEVTYP_DEVICEINTERFACE;
    GUID classGuid = GUID_DEVINTERFACE_HID;
    std::u16string name;
};

// The recipient is a window handle.
constexpr DWORD DEVICE_NOTIFY_WINDOW_HANDLE = 0;

using HDEVNOTIFY = uint64_t; // 0: registration failed

// Fails (0) for a null window, flags other than a window handle, or a filter that
// is not a device-interface filter of 32 bytes.
HDEVNOTIFY RegisterDeviceNotification(HWND window, const DeviceInterfaceFilter& filter, DWORD flags);
// False for an unknown handle.
bool UnregisterDeviceNotification(HDEVNOTIFY handle);

// Queues an event of the HID class for delivery to every registered window; the
// notification sources call it, and so can tests.
void BroadcastDeviceChange(WPARAM event, std::u16string_view path);

// A device path of the shape the sources deliver: "\\?\HID#VID_2E7A&PID_0031#<instance>".
std::u16string MakeHidDevicePath(uint32_t vendorId, uint32_t productId, std::u16string_view instance);
