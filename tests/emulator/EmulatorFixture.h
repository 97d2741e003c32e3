// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The emulated device server over a fresh temporary device directory, with small
// helpers for reaching its objects.
#include "device/server/DeviceServer.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ComRuntime.h"
#include "platform/core/AtomicFile.h"
#include "support/EmulatedDeviceTest.h"

#include <gtest/gtest.h>

#include <string>

class EmulatorTest : public EmulatedDeviceTest {
protected:
    ComPtr<IDeviceEnumerator> Enumerator()
    {
        ComPtr<IDeviceEnumerator> enumerator;
        EXPECT_EQ(CoCreateInstance(CLSID_DeviceServer, kDeviceServerContext, enumerator.Put()), S_OK);
        return enumerator;
    }

    // The attached device with the product id, or null.
    ComPtr<IDeviceObject> Device(uint32_t productId)
    {
        ComPtr<IDeviceEnumerator> enumerator = Enumerator();
        if (!enumerator)
            return {};
        for (uint32_t i = 0;; ++i) {
            ComPtr<IDeviceObject> device;
            if (FAILED(enumerator->GetDevice(i, device.Put())))
                return {};
            DeviceInfo info;
            if (SUCCEEDED(device->GetDeviceInfo(&info))) {
                CoTaskMemFree(info.devicePath);
                if (info.productId == productId)
                    return device;
            }
        }
    }

    template <typename Interface>
    ComPtr<Interface> As(const ComPtr<IDeviceObject>& device)
    {
        ComPtr<Interface> result;
        EXPECT_EQ(device.As(result), S_OK);
        return result;
    }

    ComPtr<IDeviceProfile> ActiveProfile(const ComPtr<IDeviceObject>& device)
    {
        ComPtr<IDeviceProfile> profile;
        EXPECT_EQ(As<IDeviceProfileCollection>(device)->GetActiveProfile(profile.Put()), S_OK);
        return profile;
    }

    static std::u16string Take(char16_t* text)
    {
        std::u16string copy = text ? std::u16string(text) : std::u16string();
        CoTaskMemFree(text);
        return copy;
    }

    static std::string ReadText(const std::filesystem::path& path)
    {
        std::string error;
        return ReadWholeFile(path, size_t(1) << 26, error).value_or("");
    }
};
