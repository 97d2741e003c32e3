// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceDescriptor.h"

#include "device/server/DeviceServerIds.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::array<FeatureId, 13> kCurrentGenerationFeatures = {
    Feature::Profiles,          Feature::Buttons,         Feature::Macros,          Feature::Lighting,
    Feature::VersionStrings,    Feature::ProfileIdentity, Feature::Sensitivity,     Feature::ReportInterval,
    Feature::Acceleration,      Feature::Battery,         Feature::FirmwareRefresh, Feature::Power,
    Feature::SurfaceCalibration};

constexpr std::array<FeatureId, 11> kEarlierGenerationFeatures = {
    Feature::Profiles,       Feature::Buttons,         Feature::Macros,      Feature::Lighting,
    Feature::VersionStrings, Feature::ProfileIdentity, Feature::Sensitivity, Feature::ReportInterval,
    Feature::Battery,        Feature::FirmwareRefresh, Feature::Acceleration};

constexpr std::array<DeviceDescriptor, 4> kDevices = {{
    {kProductEliteMouse, kCurrentGenerationFeatures.data(), kCurrentGenerationFeatures.size(),
     u"Zemko Tovik Elite Wireless Mouse"},
    {kProductEliteDock, kCurrentGenerationFeatures.data(), kCurrentGenerationFeatures.size(),
     u"Zemko Tovik Elite Charging Dock"},
    {kProductLegacyMouse, kEarlierGenerationFeatures.data(), kEarlierGenerationFeatures.size(), u"Zemko Tovik"},
    {kProductLegacyDock, kEarlierGenerationFeatures.data(), kEarlierGenerationFeatures.size(),
     u"Zemko Tovik Charging Dock"},
}};

} // namespace

bool DeviceDescriptor::Has(FeatureId feature) const
{
    const auto list = Features();
    return std::find(list.begin(), list.end(), feature) != list.end();
}

std::span<const DeviceDescriptor> SupportedDevices()
{
    return kDevices;
}

const DeviceDescriptor* FindSupportedDevice(uint32_t productId)
{
    for (const DeviceDescriptor& descriptor : kDevices) {
        if (descriptor.productId == productId)
            return &descriptor;
    }
    return nullptr;
}

bool IsChargingDock(uint32_t productId)
{
    return productId == kProductEliteDock || productId == kProductLegacyDock;
}

bool IsEarlierGeneration(uint32_t productId)
{
    return productId == kProductLegacyMouse || productId == kProductLegacyDock;
}
