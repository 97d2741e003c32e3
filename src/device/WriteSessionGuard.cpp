// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/WriteSessionGuard.h"

#include <algorithm>
#include <limits>

CWriteSessionGuard::CWriteSessionGuard(IDeviceObject* device, std::chrono::milliseconds wait)
{
    if (!device) {
        refusal_ = E_POINTER;
        return;
    }
    if (FAILED(device->QueryInterface(IDeviceWriteSession::Iid, session_.PutVoid())) || !session_) {
        session_.Reset();
        granted_ = true; // nobody can hold this server's devices, so nobody needs to wait
        return;
    }
    const auto milliseconds = std::max<std::chrono::milliseconds::rep>(wait.count(), 0);
    const HRESULT hr = session_->BeginWrite(static_cast<uint32_t>(
        std::min<std::chrono::milliseconds::rep>(milliseconds, std::numeric_limits<uint32_t>::max())));
    if (FAILED(hr)) {
        refusal_ = hr;
        session_.Reset();
        return;
    }
    // S_FALSE: this connection holds the device already (an outer write does); it
    // is that write's to let go.
    if (hr == S_FALSE)
        session_.Reset();
    granted_ = true;
}

CWriteSessionGuard::~CWriteSessionGuard()
{
    if (session_)
        session_->EndWrite();
}
