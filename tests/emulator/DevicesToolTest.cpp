// SPDX-License-Identifier: GPL-3.0-or-later
// The command-line tool, run as a separate process against a temporary directory.
#include "EmulatorFixture.h"

#include "emulator/SessionLock.h"

#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sys/wait.h>

#ifndef ZT_DEVICES_TOOL
#error "ZT_DEVICES_TOOL must name the built zemko-tovik-devices"
#endif

namespace {

struct RunResult {
    int exitCode = -1;
    std::string output; // standard output and standard error together
};

class DevicesTool : public EmulatorTest {
protected:
    // `environment`: assignments put before the command, e.g. "NAME=value".
    RunResult Run(const std::string& arguments, const std::string& environment = {})
    {
        const std::string command = environment + (environment.empty() ? "" : " ") + "'" + ZT_DEVICES_TOOL +
                                    "' --dir '" + devicePath().string() + "' " + arguments + " 2>&1";
        RunResult result;
        FILE* pipe = popen(command.c_str(), "r");
        if (!pipe)
            return result;
        std::array<char, 4096> buffer;
        size_t n;
        while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
            result.output.append(buffer.data(), n);
        const int status = pclose(pipe);
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        return result;
    }
};

TEST_F(DevicesTool, LookingAtAMissingDirectoryCreatesNothing)
{
    for (const char* arguments : {"list", "show mouse"}) {
        SCOPED_TRACE(arguments);
        const RunResult r = Run(arguments);
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find("no device directory at"), std::string::npos) << r.output;
        EXPECT_FALSE(std::filesystem::exists(devicePath()));
    }
    std::filesystem::create_directories(temp_.path());
    {
        std::ofstream(devicePath()) << "a file";
    }
    const RunResult onFile = Run("list");
    EXPECT_EQ(onFile.exitCode, 1) << onFile.output;
    EXPECT_NE(onFile.output.find("not a directory"), std::string::npos) << onFile.output;
}

TEST_F(DevicesTool, ListsPlugsAndUnplugsWhileAServerRuns)
{
    ASSERT_EQ(Run("plug mouse").exitCode, 0) << "a change creates the directory";
    RunResult r = Run("list");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("0x0031  mouse         attached"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("0x001B  legacy-dock   new"), std::string::npos) << r.output;

    ComPtr<IDeviceEnumerator> enumerator = Enumerator();
    ComPtr<IDeviceObject> mouse = Device(0x0031);
    ASSERT_EQ(Run("plug legacy-dock").exitCode, 0);
    const std::string elsewhere = (temp_ / "elsewhere").string();
    ASSERT_EQ(Run("plug dock --dir '" + elsewhere + "'").exitCode, 0) << "a later --dir wins";
    EXPECT_TRUE(std::filesystem::exists(temp_ / "elsewhere" / "0032.attached"));
    EXPECT_FALSE(std::filesystem::exists(devicePath() / "0032.attached"));
    ASSERT_EQ(Run("unplug 0x31").exitCode, 0);
    uint32_t count = 0;
    ASSERT_EQ(enumerator->GetDeviceCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    EXPECT_EQ(As<IDeviceProbe>(mouse)->Ping(), E_DEVICE_NOT_CONNECTED);
    EXPECT_TRUE(Device(0x001B));
    r = Run("list");
    EXPECT_NE(r.output.find("0x0031  mouse         detached"), std::string::npos) << r.output;
    EXPECT_EQ(Run("unplug mouse").exitCode, 0) << "unplugging twice is harmless";
}

TEST_F(DevicesTool, SetBatteryIsSeenByTheServerAndShowDescribesTheMemory)
{
    auto battery = As<IDeviceBattery>(Device(0x0031));
    RunResult r = Run("set-battery mouse 42 charging");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    uint32_t level = 0, state = 0;
    ASSERT_EQ(battery->GetLevel(&level), S_OK);
    ASSERT_EQ(battery->GetChargingState(&state), S_OK);
    EXPECT_EQ(level, 42u);
    EXPECT_EQ(state, kChargingActive);
    ASSERT_EQ(Run("set-battery MOUSE 7").exitCode, 0);
    ASSERT_EQ(battery->GetChargingState(&state), S_OK);
    EXPECT_EQ(state, kChargingActive) << "the charging state stays unless given";

    ComPtr<IDeviceProfile> profile = ActiveProfile(Device(0x0031));
    ASSERT_EQ(profile->SetName(u"Everyday"), S_OK);
    r = Run("show 0x0031");
    ASSERT_EQ(r.exitCode, 0) << r.output;
    for (const char* expected :
         {"Zemko Tovik Elite Wireless Mouse (0x0031)", "battery 7/255, charging", "* \"Everyday\"",
          "stages: 800 [1800] 4000 5600 6400", "light 1: on, colour 0xFF0000", "attached"})
        EXPECT_NE(r.output.find(expected), std::string::npos) << expected << "\n" << r.output;
}

TEST_F(DevicesTool, ResetRestoresFactorySettings)
{
    auto profiles = As<IDeviceProfileCollection>(Device(0x0031));
    ASSERT_EQ(profiles->CreateProfile(ComPtr<IDeviceProfile>().Put()), S_OK);
    ASSERT_EQ(Run("set-battery mouse 9").exitCode, 0);
    ASSERT_EQ(Run("reset mouse").exitCode, 0);
    uint32_t count = 0, level = 0;
    ASSERT_EQ(profiles->GetProfileCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
    ASSERT_EQ(As<IDeviceBattery>(Device(0x0031))->GetLevel(&level), S_OK);
    EXPECT_EQ(level, 9u);
}

TEST_F(DevicesTool, ResetWaitsForAWriteInProgressAndNeverLandsInsideIt)
{
    auto profiles = As<IDeviceProfileCollection>(Device(0x0031));
    ASSERT_EQ(profiles->CreateProfile(ComPtr<IDeviceProfile>().Put()), S_OK);
    uint32_t count = 0;
    {
        // A program holds the mouse for a write; the tool gives up after its wait.
        emulator::SessionLock writing(directory().SessionPath(0x0031), emulator::SessionLock::Mode::Exclusive,
                                      std::chrono::milliseconds(0));
        ASSERT_TRUE(writing.held());
        const RunResult r = Run("reset mouse", "ZEMKO_TOVIK_EMU_BUSY_WAIT_MS=200");
        EXPECT_EQ(r.exitCode, 1) << r.output;
        EXPECT_NE(r.output.find("busy"), std::string::npos) << r.output;
        ASSERT_EQ(profiles->GetProfileCount(&count), S_OK);
        EXPECT_EQ(count, 2u) << "nothing was reset while the write held the mouse";
    }
    ASSERT_EQ(Run("reset mouse", "ZEMKO_TOVIK_EMU_BUSY_WAIT_MS=200").exitCode, 0);
    ASSERT_EQ(profiles->GetProfileCount(&count), S_OK);
    EXPECT_EQ(count, 1u);
}

TEST_F(DevicesTool, ShowReportsADamagedImageAndResetRepairsIt)
{
    Device(0x0031);
    {
        std::ofstream out(directory().ImagePath(0x0031), std::ios::trunc);
        out << "{\"format\": ";
    }
    RunResult r = Run("show mouse");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.output.find("cannot be read"), std::string::npos) << r.output;
    r = Run("reset mouse");
    EXPECT_EQ(r.exitCode, 0) << r.output;
    EXPECT_NE(r.output.find("damaged"), std::string::npos) << r.output;
    EXPECT_EQ(As<IDeviceProbe>(Device(0x0031))->Ping(), S_OK);
}

TEST_F(DevicesTool, BadCommandLinesExitWithUsage)
{
    const char* bad[] = {"",
                         "frobnicate",
                         "plug",
                         "plug trackball",
                         "plug 0x0099",
                         "plug mouse dock",
                         "set-battery mouse",
                         "set-battery mouse 256",
                         "set-battery mouse -1",
                         "set-battery mouse 5 sometimes",
                         "list extra",
                         "show"};
    for (const char* arguments : bad) {
        const RunResult r = Run(arguments);
        EXPECT_EQ(r.exitCode, 2) << arguments << "\n" << r.output;
        EXPECT_NE(r.output.find("usage:"), std::string::npos) << arguments;
    }
    const RunResult option = Run("list --verbose");
    EXPECT_EQ(option.exitCode, 2);
    EXPECT_NE(option.output.find("unknown option"), std::string::npos) << option.output;
    ASSERT_EQ(Run("plug mouse").exitCode, 0);
    const RunResult never = Run("show dock");
    EXPECT_EQ(never.exitCode, 1);
    EXPECT_NE(never.output.find("never been plugged in"), std::string::npos) << never.output;
}

} // namespace
