// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What WM_DEVICECHANGE carries in lParam for device-interface events: the interface
// class and the device path, whose "VID_xxxx" and "PID_xxxx" parts name the product.
#include "platform/com/Guid.h"
#include "platform/core/Messages.h"
#include <string>

struct DeviceInterfaceBroadcast {
    DWORD deviceType = DBT_DEVTYP_DEVICEINTERFACE;
    GUID classGuid;
    std::u16string name; // the device path
};
