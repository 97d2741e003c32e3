// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the device server is activated: its class id and the context it is asked
// for with. Everything else is reached from `IDeviceEnumerator`.
#include "platform/com/Guid.h"

#include <cstdint>

// {5D0C1E2A-7B44-4C19-9A3E-21F6B8D4C705}
constexpr CLSID CLSID_DeviceServer =
    MakeGuid(0x5D0C1E2A, 0x7B44, 0x4C19, {0x9A, 0x3E, 0x21, 0xF6, 0xB8, 0xD4, 0xC7, 0x05});

// Context value the program activates the server with (all four contexts).
constexpr uint32_t kDeviceServerContext = 23;

// USB vendor id of every product the server knows.
constexpr uint32_t kTovikVendorId = 0x2E7A;

// Product ids.
constexpr uint32_t kProductEliteMouse = 0x0031;
constexpr uint32_t kProductEliteDock = 0x0032;
constexpr uint32_t kProductLegacyMouse = 0x0013;
constexpr uint32_t kProductLegacyDock = 0x001B;
