// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Holds the device for the length of one write, so that no other client (the
// tray switching profiles, another copy of a writer) changes it between the
// write's calls. A server without write sessions is written without one.
#include "device/server/DeviceServer.h"
#include "platform/com/ComPtr.h"

#include <chrono>

class CWriteSessionGuard {
public:
    // Waits up to `wait` for another client's write to end.
    CWriteSessionGuard(IDeviceObject* device, std::chrono::milliseconds wait);
    // Lets the device go.
    ~CWriteSessionGuard();
    CWriteSessionGuard(const CWriteSessionGuard&) = delete;
    CWriteSessionGuard& operator=(const CWriteSessionGuard&) = delete;

    // Whether the write may go ahead: the device is held, or the server has no
    // sessions. False when there is no device, when another client kept it
    // busy for the whole wait, or when the device is gone.
    explicit operator bool() const { return granted_; }
    // The server's answer when the session was refused (E_DEVICE_BUSY for busy).
    HRESULT Refusal() const { return refusal_; }

private:
    ComPtr<IDeviceWriteSession> session_;
    bool granted_ = false;
    HRESULT refusal_ = S_OK;
};
