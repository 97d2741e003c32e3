// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What each supported product can do: its product id, the feature list that
// enables the read and write steps, and its display name.
#include <cstdint>
#include <span>
#include <string_view>

using FeatureId = uint32_t;

namespace Feature {
constexpr FeatureId Profiles = 1;            // profiles on the device (names, ids, active profile)
constexpr FeatureId Buttons = 2;             // button assignments per profile
constexpr FeatureId Macros = 4;              // macros
constexpr FeatureId Lighting = 5;            // lighting per profile
constexpr FeatureId VersionStrings = 6;      // version strings from the device information
constexpr FeatureId ProfileIdentity = 7;     // name, linked program and options of a profile
constexpr FeatureId Sensitivity = 10;        // stages, current stage, X/Y per profile
constexpr FeatureId ReportInterval = 11;     // polling rate
constexpr FeatureId Acceleration = 12;       // the switchable setting with a value (16, 17)
constexpr FeatureId Battery = 14;            // battery level and charging state
constexpr FeatureId Power = 15;              // power settings (19, 5, 20)
constexpr FeatureId FirmwareRefresh = 16;    // firmware version refresh
constexpr FeatureId SurfaceCalibration = 18; // calibration, lift-off mode and distance (32, 31, 30)
} // namespace Feature

struct DeviceDescriptor {
    uint32_t productId = 0;
    const FeatureId* features = nullptr;
    size_t featureCount = 0;
    std::u16string_view displayName;

    bool Has(FeatureId feature) const;
    std::span<const FeatureId> Features() const { return {features, featureCount}; }
};

// The supported products in the order the picker tries them: current-generation
// mouse and dock, then the earlier generation's mouse and dock.
std::span<const DeviceDescriptor> SupportedDevices();
const DeviceDescriptor* FindSupportedDevice(uint32_t productId);

bool IsChargingDock(uint32_t productId);
bool IsEarlierGeneration(uint32_t productId);
