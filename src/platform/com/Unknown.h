// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The base of every COM-style interface: identity by interface id and a reference
// count. Interfaces declare no virtual destructor, so their virtual functions keep
// the designed slot numbers (0 QueryInterface, 1 AddRef, 2 Release, then 3, 4, ...);
// an object is destroyed by its own final Release.
#include "platform/com/Guid.h"
#include "platform/com/HResult.h"

#include <cstdint>

using ULONG = uint32_t;

struct IUnknown {
    // {00000000-0000-0000-C000-000000000046}, as on the original platform.
    static constexpr IID Iid = MakeGuid(0x00000000, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46});

    // On success *out holds an added reference; on failure it is null.
    virtual HRESULT QueryInterface(const IID& iid, void** out) = 0;
    virtual ULONG AddRef() = 0;
    virtual ULONG Release() = 0;

protected:
    ~IUnknown() = default;
};

// The interface id of an interface type (every interface carries a static `Iid`).
template <typename Interface>
constexpr const IID& IidOf()
{
    return Interface::Iid;
}
