// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The profiles stored on a device (at most five) and one stored profile.
#include "platform/com/Unknown.h"

#include <cstdint>

constexpr uint32_t kMaxDeviceProfiles = 5;
// Longest profile name, in UTF-16 units (the device keeps 128 units with the terminator).
constexpr uint32_t kMaxProfileNameLength = 127;

// One profile on the device. Per-profile interfaces come from QueryInterface:
// `IDeviceButtons`, `IDeviceSensitivity`, `IDeviceProfileProperties`,
// `IDeviceLighting`. Once the profile is deleted every call fails with E_NOT_FOUND.
struct IDeviceProfile : IUnknown {
    // {4DBAAA81-E014-4D7B-A607-3CC29BE5C234}
    static constexpr IID Iid = MakeGuid(0x4DBAAA81, 0xE014, 0x4D7B, {0xA6, 0x07, 0x3C, 0xC2, 0x9B, 0xE5, 0xC2, 0x34});

    virtual HRESULT GetIndex(uint32_t* index) = 0; // slot 3: position in the collection
    virtual HRESULT GetId(GUID* id) = 0;           // slot 4
    virtual HRESULT GetName(char16_t** name) = 0;  // slot 5: task memory, caller frees
    // Slot 6: 0..kMaxProfileNameLength units; longer names fail with E_INVALIDARG.
    virtual HRESULT SetName(const char16_t* name) = 0;
    virtual HRESULT IsActive(int32_t* active) = 0; // slot 7: 1 when it is the active profile
    // Slot 8: writes the whole profile as a profile file (".zmp") at the path.
    virtual HRESULT ExportToFile(const char16_t* path) = 0;
};

// {080F7E03-AC50-4949-AACA-E79F82D3099F}
struct IDeviceProfileCollection : IUnknown {
    static constexpr IID Iid = MakeGuid(0x080F7E03, 0xAC50, 0x4949, {0xAA, 0xCA, 0xE7, 0x9F, 0x82, 0xD3, 0x09, 0x9F});

    // Slot 3: E_BOUNDS after the last profile.
    virtual HRESULT GetProfile(uint32_t index, IDeviceProfile** profile) = 0;
    // Slot 4: E_NOT_FOUND for an unknown id.
    virtual HRESULT GetProfileById(const GUID& id, IDeviceProfile** profile) = 0;
    // Slot 5: makes the profile the active one.
    virtual HRESULT ActivateProfile(IDeviceProfile* profile) = 0;
    virtual HRESULT GetActiveProfile(IDeviceProfile** profile) = 0; // slot 6
    // Slot 7: a new profile with factory settings, a new id and an empty name;
    // E_DEVICE_FULL when the device already holds five.
    virtual HRESULT CreateProfile(IDeviceProfile** profile) = 0;
    // Slot 8: deletes a profile. The last profile cannot be deleted (E_ACCESSDENIED);
    // deleting the active one makes the first remaining profile active.
    virtual HRESULT DeleteProfile(IDeviceProfile* profile) = 0;
    virtual HRESULT GetProfileCount(uint32_t* count) = 0; // slot 9
    // Slot 10: reads a profile file (".zmp") and stores it as a new profile. It
    // keeps the file's id unless the device already has a profile with that id,
    // in which case it gets a new one. A missing file answers E_FILE_NOT_FOUND, a
    // bad one E_INVALID_DATA, a full device E_DEVICE_FULL; the device is then unchanged.
    virtual HRESULT ImportProfile(const char16_t* path, IDeviceProfile** profile) = 0;
};
