// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Tests that run a writing process against one current-generation mouse while
// something else happens to it: the mouse alone is plugged, each device call takes
// a millisecond (so that another process's action lands between calls as often as
// inside one), and the factory image is kept for comparison. Their random points
// come from a seed that an environment variable can replay.
#include "support/EmulatedDeviceTest.h"

#include <random>

class WriterProcessTest : public EmulatedDeviceTest {
protected:
    static constexpr uint32_t kProduct = 0x0031;

    void SetUp() override
    {
        EmulatedDeviceTest::SetUp();
        UnplugEverything();
        Plug(kProduct);
        setenv("ZEMKO_TOVIK_EMU_LATENCY_MS", "1", 1);
        factory_ = Image(kProduct);
    }

    // The number in `replayVariable` when it is set, else a fresh random seed.
    static uint32_t SeedFrom(const char* replayVariable)
    {
        const char* replay = std::getenv(replayVariable);
        return replay && *replay ? uint32_t(std::strtoul(replay, nullptr, 0)) : std::random_device{}();
    }

    emulator::DeviceImage factory_;
};
