// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CDeviceListener`: registers windows for HID device-interface notifications and
// unregisters them again (last first) when it goes.
#include "device/DeviceNotifications.h"

#include <vector>

class CDeviceListener {
public:
    CDeviceListener() = default;
    ~CDeviceListener();
    CDeviceListener(const CDeviceListener&) = delete;
    CDeviceListener& operator=(const CDeviceListener&) = delete;

    // False when the registration is refused.
    bool Register(HWND window);
    size_t RegistrationCount() const { return handles_.size(); }

private:
    std::vector<HDEVNOTIFY> handles_;
};
