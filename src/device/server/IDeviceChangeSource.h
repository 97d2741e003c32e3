// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Arrival and removal of devices, for clients that want to be told rather than
// poll. Obtained from `IDeviceEnumerator` with QueryInterface.
#include "platform/com/Unknown.h"

#include <cstdint>

// Event codes (the same numbers as the platform's device-change events).
constexpr uint32_t kDeviceArrived = 0x8000;
constexpr uint32_t kDeviceRemoved = 0x8004;

// {5D2AC476-47D8-4E11-98D0-0580EE3D01E1}
struct IDeviceChangeSink : IUnknown {
    static constexpr IID Iid = MakeGuid(0x5D2AC476, 0x47D8, 0x4E11, {0x98, 0xD0, 0x05, 0x80, 0xEE, 0x3D, 0x01, 0xE1});

    // Slot 3: called on the server's watcher thread, never while a server lock is
    // held. `path` has the shape "\\?\HID#VID_2E7A&PID_0031#..." and lives only
    // for the call. The return value is ignored.
    virtual HRESULT OnDeviceChange(uint32_t event, const char16_t* path) = 0;
};

// {0E4FB3BB-EC27-4EB3-8637-EDF4AE5CBC67}
// Changes are noticed by watching the device directory as they happen, so
// plugging and unplugging by other processes is reported too.
struct IDeviceChangeSource : IUnknown {
    static constexpr IID Iid = MakeGuid(0x0E4FB3BB, 0xEC27, 0x4EB3, {0x86, 0x37, 0xED, 0xF4, 0xAE, 0x5C, 0xBC, 0x67});

    // Slot 3: the source holds a reference to the sink until Unadvise; *cookie
    // identifies the registration. Devices already attached are not reported.
    virtual HRESULT Advise(IDeviceChangeSink* sink, uint32_t* cookie) = 0;
    // Slot 4: after it returns the sink is not called again (a call already
    // running on the watcher thread is waited for, unless Unadvise is called
    // from within the sink). E_INVALIDARG for an unknown cookie.
    virtual HRESULT Unadvise(uint32_t cookie) = 0;
};
