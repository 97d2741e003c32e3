// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device layer against the emulated device server in a fresh temporary device
// directory: no latency, no faults, short device waits, and helpers to plug
// products, look at their memory and record what windows are sent.
#include "device/DeviceTiming.h"
#include "emulator/DeviceDirectory.h"
#include "emulator/EmulatedDeviceServer.h"
#include "emulator/FaultInjection.h"
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"
#include "settings/TovikEliteConfig.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A window that records every message it is sent (texts copied while they live).
class RecordingWindow : public IMessageTarget {
public:
    struct Message {
        UINT msg;
        WPARAM wParam;
        LPARAM lParam;
        std::u16string text;
    };

    LRESULT SendMessage(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        Message message{msg, wParam, lParam, {}};
        if (msg == WM_DEVICE_PROGRESS_TEXT && lParam)
            message.text = reinterpret_cast<const char16_t*>(lParam);
        if (onMessage)
            onMessage(message);
        std::lock_guard lock(mutex_);
        messages_.push_back(std::move(message));
        return 0;
    }
    bool PostMessage(UINT, WPARAM, LPARAM) override { return false; }

    std::vector<Message> Messages() const
    {
        std::lock_guard lock(mutex_);
        return messages_;
    }
    std::vector<LPARAM> Percentages() const
    {
        std::vector<LPARAM> result;
        for (const Message& m : Messages())
            if (m.msg == WM_DEVICE_PROGRESS)
                result.push_back(m.lParam);
        return result;
    }
    std::vector<std::u16string> Texts() const
    {
        std::vector<std::u16string> result;
        for (const Message& m : Messages())
            if (m.msg == WM_DEVICE_PROGRESS_TEXT)
                result.push_back(m.text);
        return result;
    }

    // Called on the sending thread before the message is recorded.
    std::function<void(const Message&)> onMessage;

private:
    mutable std::mutex mutex_;
    std::vector<Message> messages_;
};

class DeviceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        setenv("ZEMKO_TOVIK_DEVICE_DIR", devicePath().c_str(), 1);
        setenv("ZEMKO_TOVIK_EMU_LATENCY_MS", "0", 1);
        emulator::RegisterEmulatedDeviceServer();
        emulator::FaultInjection::Reset();
        DeviceTiming timing;
        timing.profileSettle = std::chrono::milliseconds(0);
        timing.afterWrite = std::chrono::milliseconds(1);
        timing.nullTransfer = std::chrono::milliseconds(0);
        SetDeviceTiming(timing);
        std::string error;
        ASSERT_TRUE(directory().EnsureInitialised(error)) << error;
        // First use attaches a mouse; each test plugs what it needs.
        for (uint32_t product : {0x0031u, 0x0032u, 0x0013u, 0x001Bu})
            ASSERT_TRUE(directory().Unplug(product, error)) << error;
    }
    void TearDown() override
    {
        emulator::FaultInjection::Reset();
        SetDeviceTiming(DeviceTiming{});
    }

    std::filesystem::path devicePath() const { return temp_ / "devices"; }
    emulator::DeviceDirectory directory() const { return emulator::DeviceDirectory(devicePath()); }

    void Plug(uint32_t productId)
    {
        std::string error;
        ASSERT_TRUE(directory().Plug(productId, error)) << error;
    }
    void Unplug(uint32_t productId)
    {
        std::string error;
        ASSERT_TRUE(directory().Unplug(productId, error)) << error;
    }
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
        emulator::DeviceLock lock(directory(), image.productId);
        ASSERT_TRUE(directory().SaveImage(image, error)) << error;
    }

    static uint64_t Calls(std::string_view operation) { return emulator::FaultInjection::CallCount(operation); }

    // Every counted operation whose name starts with one of the prefixes that
    // change the device ("Set", "TurnOn", ...), with its count.
    static std::map<std::string, uint64_t> Changes()
    {
        std::map<std::string, uint64_t> changes;
        for (const auto& [name, count] : emulator::FaultInjection::CallCounts()) {
            const std::string verb = name.substr(name.find('.') + 1);
            for (const char* prefix : {"Set", "Turn", "Create", "Delete", "Activate", "Import"}) {
                if (verb.rfind(prefix, 0) == 0)
                    changes[name] = count;
            }
        }
        return changes;
    }

    // Polls for up to ten seconds.
    static bool Eventually(const std::function<bool()>& condition)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (std::chrono::steady_clock::now() < deadline) {
            if (condition())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return condition();
    }

    TempDir temp_;
};
