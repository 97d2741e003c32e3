// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Properties of one device profile, read and written as byte buffers.
#include "platform/com/Unknown.h"

#include <cstdint>

// The program the profile is linked to: 256 bytes, UTF-16, zero-terminated, so
// at most 127 characters; the rest of the buffer is zero.
constexpr uint32_t kPropertyProgramPath = 0x80000002;
constexpr uint32_t kProgramPathBytes = 256;
// Option bits: get gives 2 bytes (16-bit bits); set takes 4 bytes {16-bit mask,
// 16-bit value} and changes only the masked bits. Bit 0 (mask 1) switch to the
// profile when its program runs, bit 1 (mask 2) on-screen display of sensitivity
// changes, bit 2 (mask 4) on-screen display of profile changes. Other bits are invalid.
constexpr uint32_t kPropertyOptions = 0x80000003;
constexpr uint16_t kOptionAutoSwitch = 0x1;
constexpr uint16_t kOptionSensitivityOsd = 0x2;
constexpr uint16_t kOptionProfileOsd = 0x4;

// {A7B202AB-A508-4235-9C97-C25799782590}
struct IDeviceProfileProperties : IUnknown {
    static constexpr IID Iid = MakeGuid(0xA7B202AB, 0xA508, 0x4235, {0x9C, 0x97, 0xC2, 0x57, 0x99, 0x78, 0x25, 0x90});

    // Slot 3: `size` holds the buffer's capacity on entry and the bytes written on
    // return. Too small a buffer answers E_INVALIDARG with the needed size in *size;
    // an unknown id E_NOT_FOUND. The two reserved arguments are 0.
    virtual HRESULT GetProperty(uint32_t id, uint32_t reserved1, void* buffer, uint32_t reserved2, uint32_t* size) = 0;
    // Slot 4: `size` must be exactly the property's set size (256 or 4), else E_INVALIDARG.
    virtual HRESULT SetProperty(uint32_t id, const void* buffer, uint32_t reserved1, uint32_t size,
                                uint32_t reserved2) = 0;
};
