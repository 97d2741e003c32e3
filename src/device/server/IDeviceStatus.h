// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Read-mostly device status: battery, firmware, state flag and the probe.
#include "platform/com/Unknown.h"

#include <cstdint>

constexpr uint32_t kChargingNone = 0;     // running on battery
constexpr uint32_t kChargingActive = 1;   // charging
constexpr uint32_t kChargingComplete = 2; // on the charger, full

// {07C8DC35-2BB9-48EF-9A4D-0E6D1611DB84}
struct IDeviceBattery : IUnknown {
    static constexpr IID Iid = MakeGuid(0x07C8DC35, 0x2BB9, 0x48EF, {0x9A, 0x4D, 0x0E, 0x6D, 0x16, 0x11, 0xDB, 0x84});

    // Slot 3: 0..255. When the read fails, *level is set to 0. Earlier-generation
    // products cannot measure while charging (kChargingActive): the read fails.
    virtual HRESULT GetLevel(uint32_t* level) = 0;
    // Slot 4: kChargingNone, kChargingActive or kChargingComplete.
    virtual HRESULT GetChargingState(uint32_t* state) = 0;
};

// {52A85834-A660-4A3E-8557-D1D2F1127694}
struct IDeviceFirmware : IUnknown {
    static constexpr IID Iid = MakeGuid(0x52A85834, 0xA660, 0x4A3E, {0x85, 0x57, 0xD1, 0xD2, 0xF1, 0x12, 0x76, 0x94});

    virtual HRESULT GetVersion(uint32_t* major, uint32_t* minor, uint32_t* build, uint32_t* revision) = 0; // slot 3
};

// {4C4CA6E5-53DF-4170-A8D5-3A93EC2A4872}
struct IDeviceState : IUnknown {
    static constexpr IID Iid = MakeGuid(0x4C4CA6E5, 0x53DF, 0x4170, {0xA8, 0xD5, 0x3A, 0x93, 0xEC, 0x2A, 0x48, 0x72});

    // Slot 3: puts every setting, profile and macro back to the factory state of
    // the product (battery and firmware are not settings and stay).
    virtual HRESULT RestoreFactorySettings() = 0;
    virtual HRESULT SetFlag(int32_t flag) = 0; // slot 4
    // Slot 5: 1 when the device is ready for settings (awake and linked), else 0.
    virtual HRESULT GetFlag(int32_t* flag) = 0;
};

// {600BBED3-2529-4664-BC94-F588F8958F8B}: answering it at all is the probe.
struct IDeviceProbe : IUnknown {
    static constexpr IID Iid = MakeGuid(0x600BBED3, 0x2529, 0x4664, {0xBC, 0x94, 0xF5, 0x88, 0xF8, 0x95, 0x8F, 0x8B});

    virtual HRESULT Ping() = 0; // slot 3: S_OK while the device is attached
};
