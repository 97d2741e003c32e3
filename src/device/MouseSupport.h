// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pieces shared by the read, write and single-item parts of `CMouse`.
#include "device/server/DeviceServer.h"
#include "settings/MouseTypes.h"

#include <bit>
#include <cstdint>
#include <string>

// Devices hold a handful of profiles, lights and macros; a collection that never
// ends its list must not keep a transfer going forever.
constexpr uint32_t kMaxCollectionItems = 256;

// Collections answer E_BOUNDS after their last item; any other failure is a
// failed call, not the end of the list, and fails the step that walks it.
inline bool IsEndOfList(HRESULT hr)
{
    return hr == E_BOUNDS;
}

// "%d.%02d"
std::u16string FormatDeviceVersion(uint32_t major, uint32_t minor);

inline tMouseButton ButtonOfBit(uint32_t bit)
{
    return static_cast<tMouseButton>(std::countr_zero(bit) + 1);
}

// The linked program path as the profile properties hold it: 256 bytes of UTF-16,
// zero-terminated, rest zero. False when the path does not fit (over 127 units).
bool EncodeProgramPath(std::u16string_view path, uint8_t (&buffer)[kProgramPathBytes]);
std::u16string DecodeProgramPath(const uint8_t* buffer, uint32_t size);
