// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceListener.h"

CDeviceListener::~CDeviceListener()
{
    for (auto it = handles_.rbegin(); it != handles_.rend(); ++it)
        UnregisterDeviceNotification(*it);
}

bool CDeviceListener::Register(HWND window)
{
    const HDEVNOTIFY handle = RegisterDeviceNotification(window, DeviceInterfaceFilter{}, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (handle == 0)
        return false;
    handles_.push_back(handle);
    return true;
}
