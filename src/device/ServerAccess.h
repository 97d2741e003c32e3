// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Small helpers around the device server: activation, finding a device by product,
// and taking ownership of task-memory results.
#include "device/server/DeviceServer.h"
#include "platform/com/ComPtr.h"

#include <optional>
#include <string>
#include <vector>

// Activates the device server's enumerator (class id and context as designed).
HRESULT CreateDeviceEnumerator(ComPtr<IDeviceEnumerator>& enumerator);

// The product id of a device; its information's path string is freed here.
std::optional<uint32_t> QueryProductId(IDeviceObject* device);

// The first device (lowest index) with the product id; devices whose information
// cannot be read are skipped. Enumeration stops at the first index that fails.
ComPtr<IDeviceObject> FindDeviceByProduct(IDeviceEnumerator* enumerator, uint32_t productId);

// Product ids of every attached device in enumeration order.
std::vector<uint32_t> ListProductIds(IDeviceEnumerator* enumerator);

// Takes a task-memory string (freeing it); empty for null.
std::u16string TakeTaskString(char16_t* text);

template <typename Interface, typename Source>
ComPtr<Interface> QueryAs(const ComPtr<Source>& source)
{
    ComPtr<Interface> result;
    if (source)
        source.As(result);
    return result;
}
