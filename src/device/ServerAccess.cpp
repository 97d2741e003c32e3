// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ServerAccess.h"

#include "platform/com/ComRuntime.h"

namespace {
// A server that never ends its list must not keep us enumerating forever.
constexpr uint32_t kMaxEnumeratedDevices = 256;
} // namespace

HRESULT CreateDeviceEnumerator(ComPtr<IDeviceEnumerator>& enumerator)
{
    return CoCreateInstance(CLSID_DeviceServer, nullptr, kDeviceServerContext, IDeviceEnumerator::Iid,
                            enumerator.PutVoid());
}

std::optional<uint32_t> QueryProductId(IDeviceObject* device)
{
    if (!device)
        return std::nullopt;
    DeviceInfo info;
    const HRESULT hr = device->GetDeviceInfo(&info);
    CoTaskMemFree(info.devicePath);
    if (FAILED(hr))
        return std::nullopt;
    return info.productId;
}

ComPtr<IDeviceObject> FindDeviceByProduct(IDeviceEnumerator* enumerator, uint32_t productId)
{
    if (!enumerator)
        return {};
    for (uint32_t index = 0; index < kMaxEnumeratedDevices; ++index) {
        ComPtr<IDeviceObject> device;
        if (FAILED(enumerator->GetDevice(index, device.Put())) || !device)
            return {};
        if (QueryProductId(device.Get()) == productId)
            return device;
    }
    return {};
}

std::vector<uint32_t> ListProductIds(IDeviceEnumerator* enumerator)
{
    std::vector<uint32_t> ids;
    if (!enumerator)
        return ids;
    for (uint32_t index = 0; index < kMaxEnumeratedDevices; ++index) {
        ComPtr<IDeviceObject> device;
        if (FAILED(enumerator->GetDevice(index, device.Put())) || !device)
            return ids;
        if (std::optional<uint32_t> id = QueryProductId(device.Get()))
            ids.push_back(*id);
    }
    return ids;
}

std::u16string TakeTaskString(char16_t* text)
{
    std::u16string result = text ? std::u16string(text) : std::u16string();
    CoTaskMemFree(text);
    return result;
}
