// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A device server over a fresh temporary device directory, without latency and
// with fault injection cleared, plus small helpers for reaching its objects.
#include "device/server/DeviceServer.h"
#include "emulator/AtomicFile.h"
#include "emulator/DeviceDirectory.h"
#include "emulator/EmulatedDeviceServer.h"
#include "emulator/FaultInjection.h"
#include "platform/com/ComPtr.h"
#include "platform/com/ComRuntime.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

class EmulatorTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("ZEMKO_TOVIK_DEVICE_DIR", devicePath().c_str(), 1);
        setenv("ZEMKO_TOVIK_EMU_LATENCY_MS", "0", 1);
        emulator::RegisterEmulatedDeviceServer();
        emulator::FaultInjection::Reset();
    }
    void TearDown() override { emulator::FaultInjection::Reset(); }

    std::filesystem::path devicePath() const { return temp_ / "devices"; }
    emulator::DeviceDirectory directory() const { return emulator::DeviceDirectory(devicePath()); }

    // Plugs a product in, as the command-line tool would (first use included).
    void Plug(uint32_t productId)
    {
        std::string error;
        ASSERT_TRUE(directory().EnsureInitialised(error)) << error;
        ASSERT_TRUE(directory().Plug(productId, error)) << error;
    }
    void Unplug(uint32_t productId)
    {
        std::string error;
        ASSERT_TRUE(directory().Unplug(productId, error)) << error;
    }

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
        return emulator::ReadWholeFile(path, size_t(1) << 26, error).value_or("");
    }

    // Polls `condition` for up to ten seconds.
    static bool Eventually(const std::function<bool()>& condition)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (condition())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return condition();
    }

    TempDir temp_;
};
