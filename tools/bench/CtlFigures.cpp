// SPDX-License-Identifier: GPL-3.0-or-later
#include "CtlFigures.h"

#include "DeviceTraffic.h"
#include "Figures.h"
#include "ctl/Ctl.h"
#include "ctl/CtlDevice.h"
#include "ctl/Settings.h"
#include "emulator/FaultInjection.h"
#include "platform/com/ComRuntime.h"
#include "settings/IMouseConfig.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Calls every write makes (opening, and per profile fetching it and reading its
// name) and the one call that sends a power value: the window's Apply minimum
// for a change of one device-wide setting with one profile.
constexpr uint64_t kOneSettingMinimum = 2 + 2 * 1 + 1;

} // namespace

bool MeasureCtl(const std::filesystem::path& smallDirectory, const std::filesystem::path& largeDirectory, int runs,
                FigureTable& table, std::string& error)
{
    error.clear();
    setenv("ZEMKO_TOVIK_EMU_LATENCY_MS", "0", 1);
    FILE* sink = std::fopen("/dev/null", "w");
    if (!sink) {
        error = "cannot open /dev/null";
        return false;
    }
    std::vector<double> writeCalls, writeChanging, commandCalls, commandMs, showMs;
    setenv("ZEMKO_TOVIK_DEVICE_DIR", smallDirectory.c_str(), 1);
    for (int run = 0; run < runs && error.empty(); ++run) {
        // The write below always changes the value the command of the run before left.
        const std::string minutes = "5";
        {
            // The write of `set` alone: the program's read, then its write.
            CComThreadScope com;
            CtlDevice device(std::chrono::seconds(10));
            if (device.Read() != ExitCode::Done) {
                error = "zemko-tovik-ctl could not read the mouse";
                break;
            }
            const std::vector<Setting> settings = SettingsFor(device.ProductId(), device.Config().GetCurrentProfile());
            const Setting* sleep = FindSetting(settings, "sleep-minutes");
            if (!sleep || !sleep->set(SettingContext{device.Config(), nullptr, device.ProductId()}, minutes).empty()) {
                error = "zemko-tovik-ctl refused sleep-minutes " + minutes;
                break;
            }
            emulator::FaultInjection::ResetCounters();
            if (device.Write() != ExitCode::Done) {
                error = "the write of zemko-tovik-ctl failed";
                break;
            }
            writeCalls.push_back(double(emulator::FaultInjection::TotalCalls()));
            writeChanging.push_back(double(ChangingDeviceCalls()));
        }
        // The whole command: read, write and the read that checks what arrived.
        emulator::FaultInjection::ResetCounters();
        const auto start = Clock::now();
        if (RunCtl({"set", "sleep-minutes", "10"}, sink, sink) != ExitCode::Done) {
            error = "zemko-tovik-ctl set failed";
            break;
        }
        commandMs.push_back(MsSince(start));
        commandCalls.push_back(double(emulator::FaultInjection::TotalCalls()));
    }
    setenv("ZEMKO_TOVIK_DEVICE_DIR", largeDirectory.c_str(), 1);
    for (int run = 0; run < runs && error.empty(); ++run) {
        const auto start = Clock::now();
        if (RunCtl({"show"}, sink, sink) != ExitCode::Done) {
            error = "zemko-tovik-ctl show failed on the large image";
            break;
        }
        showMs.push_back(MsSince(start));
    }
    std::fclose(sink);
    if (!error.empty())
        return false;
    table.Add("ctl", "set one setting: write calls", "calls", writeCalls, {},
              Target{double(kOneSettingMinimum), "<= " + std::to_string(kOneSettingMinimum) + " (Apply minimum)"});
    table.Add("ctl", "set one setting: changing calls", "calls", writeChanging);
    table.Add("ctl", "set one setting, whole command: calls", "calls", commandCalls);
    table.Add("ctl", "set one setting, whole command: time", "ms", commandMs);
    table.Add("ctl", "show on the large image: time", "ms", showMs, {}, Target{1000, "<= 1000 ms"});
    return true;
}
