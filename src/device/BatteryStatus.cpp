// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BatteryStatus.h"

#include "device/DeviceDescriptor.h"
#include "device/ServerAccess.h"
#include "platform/com/ComRuntime.h"
#include "settings/IMouseConfig.h"

namespace {

ComPtr<IDeviceObject> FindAttached(uint32_t productId)
{
    ComPtr<IDeviceEnumerator> enumerator;
    if (FAILED(CreateDeviceEnumerator(enumerator)) || !enumerator)
        return {};
    return FindDeviceByProduct(enumerator.Get(), productId);
}

} // namespace

uint32_t ProductIdForDeviceCode(int deviceCode)
{
    switch (deviceCode) {
    case 4:
        return kProductLegacyMouse;
    case 8:
        return kProductLegacyDock;
    case 1:
        return kProductEliteMouse;
    default:
        return kProductEliteDock;
    }
}

int DeviceCodeForProductId(uint32_t productId)
{
    switch (productId) {
    case kProductEliteMouse:
        return 1;
    case kProductEliteDock:
        return 2;
    case kProductLegacyMouse:
        return 4;
    case kProductLegacyDock:
        return 8;
    default:
        return 0;
    }
}

std::optional<BatteryStatus> ReadBatteryStatus(int deviceCode)
{
    CComThreadScope com;
    const uint32_t productId = ProductIdForDeviceCode(deviceCode);
    ComPtr<IDeviceObject> device = FindAttached(productId);
    ComPtr<IDeviceBattery> battery = QueryAs<IDeviceBattery>(device);
    if (!battery)
        return std::nullopt;
    uint32_t state = 0;
    if (FAILED(battery->GetChargingState(&state)))
        state = 2; // an unreadable state counts as "anything else"
    BatteryStatus status;
    status.chargingState = state == 0 ? 0 : state == 1 ? 1 : 2;
    uint32_t level = 0;
    if (SUCCEEDED(battery->GetLevel(&level))) {
        status.level = level;
        return status;
    }
    if (!IsEarlierGeneration(productId))
        return std::nullopt;
    // The earlier generation cannot measure while it charges: the charging state
    // is news, but the level stays the last one known rather than whatever the
    // failed read left behind.
    status.storeLevel = false;
    return status;
}

bool ApplyBatteryStatus(const BatteryStatus& status, IMouseConfig& config)
{
    if (status.storeLevel)
        config.SetBatteryLevel(status.level);
    config.SetChargingState(status.chargingState);
    return true;
}

std::optional<FirmwareVersion> ReadFirmwareVersion(uint32_t productId)
{
    ComPtr<IDeviceFirmware> firmware = QueryAs<IDeviceFirmware>(FindAttached(productId));
    FirmwareVersion version;
    if (!firmware || FAILED(firmware->GetVersion(&version.major, &version.minor, &version.build, &version.revision)))
        return std::nullopt;
    return version;
}
