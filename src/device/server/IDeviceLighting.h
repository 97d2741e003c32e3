// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The lights of one device profile. A light has a number 1..12 (the program's
// LED type plus one): 1 the scroll wheel, 3 the battery indicator, 12 the dock.
// The mice list lights 1 and 3, the docks 1, 3 and 12.
#include "platform/com/Unknown.h"

#include <cstdint>

// One light. Its facets come from QueryInterface: `IDeviceLightColour`,
// `IDeviceLightBrightness`, `IDeviceLightEffect`.
struct IDeviceLight : IUnknown {
    // {76E6B6EB-1F98-442A-B878-DFAE102F077F}
    static constexpr IID Iid = MakeGuid(0x76E6B6EB, 0x1F98, 0x442A, {0xB8, 0x78, 0xDF, 0xAE, 0x10, 0x2F, 0x07, 0x7F});

    virtual HRESULT TurnOn() = 0;                    // slot 3
    virtual HRESULT TurnOff() = 0;                   // slot 4
    virtual HRESULT IsOn(int32_t* on) = 0;           // slot 5
    virtual HRESULT GetNumber(uint32_t* number) = 0; // slot 6: 1..12
};

// {E16C6003-9217-4626-83B0-757C9EA47E53}
struct IDeviceLighting : IUnknown {
    static constexpr IID Iid = MakeGuid(0xE16C6003, 0x9217, 0x4626, {0x83, 0xB0, 0x75, 0x7C, 0x9E, 0xA4, 0x7E, 0x53});

    // Slot 3: lights in ascending number; E_BOUNDS after the last.
    virtual HRESULT GetLight(uint32_t index, IDeviceLight** light) = 0;
    virtual HRESULT GetLightCount(uint32_t* count) = 0; // slot 4
};

// {EF9547D2-97F6-412F-A886-BABD7005A4D8}: the colour word is stored as given.
struct IDeviceLightColour : IUnknown {
    static constexpr IID Iid = MakeGuid(0xEF9547D2, 0x97F6, 0x412F, {0xA8, 0x86, 0xBA, 0xBD, 0x70, 0x05, 0xA4, 0xD8});

    virtual HRESULT SetColour(uint32_t colour) = 0;  // slot 3
    virtual HRESULT GetColour(uint32_t* colour) = 0; // slot 4
};

// {110696FA-5EAB-4DFD-A465-9FA1A1C86F7F}: percent 0..100.
struct IDeviceLightBrightness : IUnknown {
    static constexpr IID Iid = MakeGuid(0x110696FA, 0x5EAB, 0x4DFD, {0xA4, 0x65, 0x9F, 0xA1, 0xA1, 0xC8, 0x6F, 0x7F});

    virtual HRESULT SetBrightness(uint32_t percent) = 0;  // slot 3
    virtual HRESULT GetBrightness(uint32_t* percent) = 0; // slot 4
};

// {7A42074F-34D0-4032-8484-F61D0EB5BCD1}: 0 fixed colour, 1..4 the device's
// other effects, 5 spectrum cycling.
struct IDeviceLightEffect : IUnknown {
    static constexpr IID Iid = MakeGuid(0x7A42074F, 0x34D0, 0x4032, {0x84, 0x84, 0xF6, 0x1D, 0x0E, 0xB5, 0xBC, 0xD1});

    virtual HRESULT SetEffect(uint32_t effect) = 0;  // slot 3
    virtual HRESULT GetEffect(uint32_t* effect) = 0; // slot 4
};
