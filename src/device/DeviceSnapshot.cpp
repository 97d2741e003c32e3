// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceSnapshot.h"

#include "device/ServerAccess.h"
#include "device/WriteSessionGuard.h"
#include "platform/com/ComRuntime.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace {

std::u16string ReadProgram(IDeviceProfileProperties* properties)
{
    std::array<char16_t, kProgramPathBytes / 2> buffer{};
    uint32_t size = kProgramPathBytes;
    if (!properties || FAILED(properties->GetProperty(kPropertyProgramPath, 0, buffer.data(), 0, &size)))
        return {};
    // The buffer is zero-terminated by contract; a device that fills it to the end
    // still yields at most the buffer.
    const size_t units = std::min<size_t>(size / 2, buffer.size());
    std::u16string text(buffer.data(), units);
    if (const size_t end = text.find(u'\0'); end != std::u16string::npos)
        text.resize(end);
    return text;
}

bool ReadAutoSwitch(IDeviceProfileProperties* properties)
{
    uint16_t bits = 0;
    uint32_t size = sizeof bits;
    if (!properties || FAILED(properties->GetProperty(kPropertyOptions, 0, &bits, 0, &size)) || size != sizeof bits)
        return false;
    return (bits & kOptionAutoSwitch) != 0;
}

std::optional<DeviceProfileSummary> ReadSummary(IDeviceProfile* profile)
{
    DeviceProfileSummary summary;
    char16_t* name = nullptr;
    int32_t active = 0;
    if (FAILED(profile->GetId(&summary.id)) || FAILED(profile->GetName(&name)) || FAILED(profile->IsActive(&active))) {
        CoTaskMemFree(name);
        return std::nullopt;
    }
    summary.name = TakeTaskString(name);
    summary.active = active == 1;
    ComPtr<IDeviceProfile> held(profile);
    ComPtr<IDeviceProfileProperties> properties = QueryAs<IDeviceProfileProperties>(held);
    summary.program = ReadProgram(properties.Get());
    summary.autoSwitch = ReadAutoSwitch(properties.Get());
    return summary;
}

std::optional<BatteryStatus> ReadBattery(IDeviceBattery* battery)
{
    if (!battery)
        return std::nullopt;
    uint32_t state = 0;
    BatteryStatus status;
    status.chargingState = FAILED(battery->GetChargingState(&state)) ? 2 : state == 0 ? 0 : state == 1 ? 1 : 2;
    uint32_t level = 0;
    if (SUCCEEDED(battery->GetLevel(&level)))
        status.level = level;
    else
        status.storeLevel = false; // charging earlier-generation products cannot measure
    return status;
}

} // namespace

std::optional<DeviceSnapshot> ReadDeviceSnapshot()
{
    CComThreadScope com;
    ComPtr<IDeviceEnumerator> enumerator;
    if (FAILED(CreateDeviceEnumerator(enumerator)) || !enumerator)
        return std::nullopt;
    for (uint32_t productId : ListProductIds(enumerator.Get())) {
        ComPtr<IDeviceObject> device = FindDeviceByProduct(enumerator.Get(), productId);
        ComPtr<IDeviceProfileCollection> collection = QueryAs<IDeviceProfileCollection>(device);
        uint32_t count = 0;
        if (!collection || FAILED(collection->GetProfileCount(&count)))
            continue;
        DeviceSnapshot snapshot;
        snapshot.productId = productId;
        for (uint32_t index = 0; index < count && index < kMaxDeviceProfiles; ++index) {
            ComPtr<IDeviceProfile> profile;
            if (FAILED(collection->GetProfile(index, profile.Put())) || !profile)
                return std::nullopt;
            std::optional<DeviceProfileSummary> summary = ReadSummary(profile.Get());
            if (!summary)
                return std::nullopt;
            snapshot.profiles.push_back(std::move(*summary));
        }
        snapshot.battery = ReadBattery(QueryAs<IDeviceBattery>(device).Get());
        if (ComPtr<IDevicePower> power = QueryAs<IDevicePower>(device)) {
            uint32_t level = 0;
            if (SUCCEEDED(power->GetBatteryWarning(&level)))
                snapshot.batteryWarning = level;
        }
        return snapshot;
    }
    return std::nullopt;
}

ProfileSwitch ActivateDeviceProfile(uint32_t productId, const GUID& id, std::chrono::milliseconds busyWait)
{
    CComThreadScope com;
    ComPtr<IDeviceEnumerator> enumerator;
    if (FAILED(CreateDeviceEnumerator(enumerator)) || !enumerator)
        return ProfileSwitch::Failed;
    ComPtr<IDeviceObject> device = FindDeviceByProduct(enumerator.Get(), productId);
    const CWriteSessionGuard session(device.Get(), busyWait);
    if (!session)
        return session.Refusal() == E_DEVICE_BUSY ? ProfileSwitch::Busy : ProfileSwitch::Failed;
    ComPtr<IDeviceProfileCollection> collection = QueryAs<IDeviceProfileCollection>(device);
    ComPtr<IDeviceProfile> profile;
    if (!collection || FAILED(collection->GetProfileById(id, profile.Put())) || !profile)
        return ProfileSwitch::Failed;
    const HRESULT hr = collection->ActivateProfile(profile.Get());
    if (hr == E_DEVICE_BUSY)
        return ProfileSwitch::Busy;
    return SUCCEEDED(hr) ? ProfileSwitch::Done : ProfileSwitch::Failed;
}
