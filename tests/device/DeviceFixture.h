// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device layer against the emulated device server in a fresh temporary device
// directory: no latency, no faults, short device waits, nothing plugged until a
// test plugs it, and the emulator's call counters to see what reached the device.
#include "settings/TovikEliteConfig.h"
#include "support/EmulatedDeviceTest.h"
#include "support/FastDeviceTiming.h"
#include "support/RecordingTarget.h"

#include <map>
#include <string>

// Device tests know the recording message target by this name.
using RecordingWindow = RecordingTarget;

class DeviceTest : public EmulatedDeviceTest {
protected:
    void SetUp() override
    {
        EmulatedDeviceTest::SetUp();
        UseFastDeviceTiming();
        UnplugEverything();
    }
    void TearDown() override
    {
        SetDeviceTiming(DeviceTiming{});
        EmulatedDeviceTest::TearDown();
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
};
