// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tests against the emulated device server in a fresh temporary device directory:
// no latency, no faults, and helpers to plug products and to read or change the
// memory they keep.
#include "emulator/DeviceDirectory.h"
#include "emulator/EmulatedDeviceServer.h"
#include "emulator/FaultInjection.h"
#include "support/Eventually.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

class EmulatedDeviceTest : public ::testing::Test {
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

    // First use of a directory attaches a mouse; this leaves the directory set up
    // with nothing attached, so that each test plugs what it needs.
    void UnplugEverything()
    {
        std::string error;
        ASSERT_TRUE(directory().EnsureInitialised(error)) << error;
        for (uint32_t product : {0x0031u, 0x0032u, 0x0013u, 0x001Bu})
            ASSERT_TRUE(directory().Unplug(product, error)) << error;
    }

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

    // The memory the product keeps; an empty image (and a test failure) when it
    // cannot be read.
    emulator::DeviceImage Image(uint32_t productId)
    {
        std::string error;
        auto image = directory().LoadImage(productId, error);
        EXPECT_TRUE(image) << error;
        return image.value_or(emulator::DeviceImage{});
    }
    void Store(const emulator::DeviceImage& image)
    {
        std::string error;
        emulator::DeviceLock lock(directory(), image.productId, std::chrono::seconds(10));
        ASSERT_TRUE(directory().SaveImage(image, error)) << error;
    }
    void ChangeImage(uint32_t productId, const std::function<void(emulator::DeviceImage&)>& change)
    {
        emulator::DeviceLock lock(directory(), productId, std::chrono::seconds(10));
        emulator::DeviceImage image = Image(productId);
        change(image);
        std::string error;
        ASSERT_TRUE(directory().SaveImage(image, error)) << error;
    }

    TempDir temp_;
};
