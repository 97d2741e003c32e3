// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Holding a device for a write that takes many calls, so that another client (the
// tray, say) cannot change the device between them. Obtained from `IDeviceObject`
// with QueryInterface; a server that answers E_NOINTERFACE has no sessions, and
// its clients write without one.
#include "platform/com/Unknown.h"

#include <cstdint>

// {12474973-884C-4EBE-87F7-B8F80156E1C2}
struct IDeviceWriteSession : IUnknown {
    static constexpr IID Iid = MakeGuid(0x12474973, 0x884C, 0x4EBE, {0x87, 0xF7, 0xB8, 0xF8, 0x01, 0x56, 0xE1, 0xC2});

    // Slot 3: holds the device for this connection (the device object and every
    // object reached from it). While it is held, changing calls of every other
    // connection, in this process or another, wait for it to end and fail with
    // E_DEVICE_BUSY when their wait runs out; reads go on. Waits up to
    // `timeoutMs` for another connection's session to end, then fails with
    // E_DEVICE_BUSY. S_FALSE when this connection holds it already.
    virtual HRESULT BeginWrite(uint32_t timeoutMs) = 0;
    // Slot 4: lets the device go; S_FALSE when this connection did not hold it.
    // Releasing the connection's last object, or the end of its process, lets it
    // go as well.
    virtual HRESULT EndWrite() = 0;
};
