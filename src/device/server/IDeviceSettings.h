// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Device-wide settings: report interval, acceleration (feature 12), surface
// calibration and power management.
#include "platform/com/Unknown.h"

#include <cstdint>

// {72499E50-11FA-4F7C-B1DE-C06FD973EC23}
struct IDeviceReportInterval : IUnknown {
    static constexpr IID Iid = MakeGuid(0x72499E50, 0x11FA, 0x4F7C, {0xB1, 0xDE, 0xC0, 0x6F, 0xD9, 0x73, 0xEC, 0x23});

    virtual HRESULT GetReportInterval(uint32_t* milliseconds) = 0; // slot 3
    virtual HRESULT SetReportInterval(uint32_t milliseconds) = 0;  // slot 4: 1, 2 or 8
    // Slot 5: the supported intervals, slowest first ({8, 2, 1}), as an array in
    // task memory (caller frees) and its length.
    virtual HRESULT GetSupportedIntervals(uint32_t* count, uint32_t** intervals) = 0;
};

// {B616C29F-97F4-4C83-915C-89F5C6FE67AC}: pointer acceleration, a switch with a
// level 1..10.
struct IDeviceAcceleration : IUnknown {
    static constexpr IID Iid = MakeGuid(0xB616C29F, 0x97F4, 0x4C83, {0x91, 0x5C, 0x89, 0xF5, 0xC6, 0xFE, 0x67, 0xAC});

    virtual HRESULT TurnOn() = 0;                  // slot 3
    virtual HRESULT TurnOff() = 0;                 // slot 4
    virtual HRESULT IsOn(int32_t* on) = 0;         // slot 5
    virtual HRESULT SetValue(uint32_t level) = 0;  // slot 6: 1..10
    virtual HRESULT GetValue(uint32_t* level) = 0; // slot 7
};

// {30087E57-D3AE-437D-A737-AF75BB00B297}: surface calibration and lift-off
// distance. Current generation only.
constexpr uint32_t kLiftOffAutomatic = 1;
constexpr uint32_t kLiftOffManual = 2;
struct IDeviceCalibration : IUnknown {
    static constexpr IID Iid = MakeGuid(0x30087E57, 0xD3AE, 0x437D, {0xA7, 0x37, 0xAF, 0x75, 0xBB, 0x00, 0xB2, 0x97});

    virtual HRESULT IsOn(int32_t* on) = 0;           // slot 3
    virtual HRESULT TurnOn() = 0;                    // slot 4
    virtual HRESULT TurnOff() = 0;                   // slot 5
    virtual HRESULT GetMode(uint32_t* mode) = 0;     // slot 6: kLiftOffAutomatic or kLiftOffManual
    virtual HRESULT SetMode(uint32_t mode) = 0;      // slot 7
    virtual HRESULT GetLiftOff(uint32_t* value) = 0; // slot 8: 0..100
    virtual HRESULT SetLiftOff(uint32_t value) = 0;  // slot 9
};

// {01AF4F8C-3F16-494E-8152-999D694B1A94}: power management. Current generation only.
//   first value:  battery level below which the indicator flashes, in battery
//                 units 0..255 (the battery level's own scale)
//   second value: light brightness while saving power, 0..255
//   third value:  idle time before sleep in seconds, 1..3600
struct IDevicePower : IUnknown {
    static constexpr IID Iid = MakeGuid(0x01AF4F8C, 0x3F16, 0x494E, {0x81, 0x52, 0x99, 0x9D, 0x69, 0x4B, 0x1A, 0x94});

    virtual HRESULT GetBatteryWarning(uint32_t* level) = 0; // slot 3
    virtual HRESULT SetBatteryWarning(uint32_t level) = 0;  // slot 4
    virtual HRESULT GetDimBrightness(uint32_t* value) = 0;  // slot 5
    virtual HRESULT SetDimBrightness(uint32_t value) = 0;   // slot 6
    virtual HRESULT GetSleepTimeout(uint32_t* seconds) = 0; // slot 7
    virtual HRESULT SetSleepTimeout(uint32_t seconds) = 0;  // slot 8
};
