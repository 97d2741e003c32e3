// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The profile of the Zemko Tovik mice, with the words the device layer keeps.
#include "settings/MouseProfile.h"

#include <array>

class CTovikEliteProfile : public CMouseProfile {
public:
    explicit CTovikEliteProfile(std::u16string_view name = {});
    // A full copy (Assign) with the device-layer words, except words 0 and 6,
    // which start at zero in every new or copied profile.
    CTovikEliteProfile(const CTovikEliteProfile& other);
    CTovikEliteProfile& operator=(const CTovikEliteProfile&) = delete;

    uint32_t GetDeviceWord(size_t index) const override;
    bool SetDeviceWord(size_t index, uint32_t value) override;

    void Assign(const CBaseProfile& other) override;

private:
    std::array<uint32_t, kDeviceWordCount> deviceWords_{};
};
