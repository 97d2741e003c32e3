// SPDX-License-Identifier: GPL-3.0-or-later
// Where the server keeps its devices and how slow it is, taken from the
// environment at each activation.
#include "EmulatorFixture.h"

#include <fstream>

namespace {

class Environment : public EmulatorTest {
protected:
    void TearDown() override
    {
        EmulatorTest::TearDown();
        unsetenv("XDG_DATA_HOME");
    }
};

TEST_F(Environment, DeviceDirectoryFollowsTheVariablesInOrder)
{
    setenv("ZEMKO_TOVIK_DEVICE_DIR", "/tmp/explicit", 1);
    setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(emulator::DefaultDeviceDirectory(), "/tmp/explicit");
    setenv("ZEMKO_TOVIK_DEVICE_DIR", "", 1);
    EXPECT_EQ(emulator::DefaultDeviceDirectory(), "/tmp/xdg/zemko-tovik/devices");
    setenv("XDG_DATA_HOME", "relative", 1); // not absolute: ignored, as the base-directory rules say
    const char* home = std::getenv("HOME");
    if (home && *home) {
        EXPECT_EQ(emulator::DefaultDeviceDirectory(), std::filesystem::path(home) / ".local/share/zemko-tovik/devices");
    }
}

TEST_F(Environment, LatencyIsANumberOrTheDefault)
{
    const std::pair<const char*, int> cases[] = {{"0", 0},   {"40", 40},  {"10000", 10000}, {"10001", 15},
                                                 {"-1", 15}, {"abc", 15}, {"5ms", 15},      {"", 15}};
    for (const auto& [text, expected] : cases) {
        setenv("ZEMKO_TOVIK_EMU_LATENCY_MS", text, 1);
        EXPECT_EQ(emulator::LatencyFromEnvironment(), expected) << text;
    }
    unsetenv("ZEMKO_TOVIK_EMU_LATENCY_MS");
    EXPECT_EQ(emulator::LatencyFromEnvironment(), 15);
}

TEST_F(Environment, EachActivationReadsTheDirectoryAfresh)
{
    ComPtr<IDeviceObject> first = Device(0x0031);
    ASSERT_TRUE(first);
    ASSERT_EQ(As<IDeviceReportInterval>(first)->SetReportInterval(8), S_OK);

    const std::filesystem::path other = temp_ / "other";
    setenv("ZEMKO_TOVIK_DEVICE_DIR", other.c_str(), 1);
    ComPtr<IDeviceObject> second = Device(0x0031);
    ASSERT_TRUE(second);
    EXPECT_TRUE(std::filesystem::exists(other / "0031.device"));
    uint32_t ms = 0;
    ASSERT_EQ(As<IDeviceReportInterval>(second)->GetReportInterval(&ms), S_OK);
    EXPECT_EQ(ms, 2u) << "a new directory holds a new device";
    ASSERT_EQ(As<IDeviceReportInterval>(first)->GetReportInterval(&ms), S_OK);
    EXPECT_EQ(ms, 8u) << "objects keep the directory they came from";
}

TEST_F(Environment, AnUnusableDirectoryFailsActivation)
{
    const std::filesystem::path blocker = temp_ / "file";
    {
        std::ofstream(blocker) << "x";
    }
    setenv("ZEMKO_TOVIK_DEVICE_DIR", (blocker / "devices").c_str(), 1);
    ComPtr<IDeviceEnumerator> enumerator;
    EXPECT_TRUE(FAILED(CoCreateInstance(CLSID_DeviceServer, kDeviceServerContext, enumerator.Put())));
    EXPECT_FALSE(enumerator);
}

} // namespace
