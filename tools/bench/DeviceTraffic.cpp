// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceTraffic.h"

#include "Figures.h"
#include "device/DeviceDescriptor.h"
#include "device/DeviceTiming.h"
#include "device/Mouse.h"
#include "device/server/IDeviceMacros.h"
#include "emulator/DeviceDirectory.h"
#include "emulator/EmulatedDeviceServer.h"
#include "emulator/FaultInjection.h"
#include "emulator/ImageCache.h"
#include "settings/AssignmentKind.h"
#include "settings/AssignmentRecord.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"
#include "settings/TovikEliteConfig.h"

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>

namespace {

constexpr uint32_t kMouse = 0x0031;

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

} // namespace

// Calls that change the device, by the verb of their operation name.
uint64_t ChangingDeviceCalls()
{
    uint64_t total = 0;
    for (const auto& [name, count] : emulator::FaultInjection::CallCounts()) {
        const std::string verb = name.substr(name.find('.') + 1);
        for (const char* prefix : {"Set", "Turn", "Create", "Delete", "Activate", "Import"})
            if (verb.rfind(prefix, 0) == 0) {
                total += count;
                break;
            }
    }
    return total;
}

namespace {

// One device directory holding a mouse whose image has `profiles` profiles and
// `macros` macros of `events` events.
bool PrepareDirectory(const std::filesystem::path& directory, int profiles, int macros, int events, std::string& error)
{
    const emulator::DeviceDirectory devices(directory);
    if (!devices.EnsureInitialised(error))
        return false;
    emulator::DeviceLock lock(devices, kMouse, std::chrono::seconds(10));
    auto image = devices.LoadImage(kMouse, error);
    if (!image)
        return false;
    while (int(image->profiles.size()) < profiles) {
        emulator::ProfileImage profile = image->profiles.front();
        profile.id = GUID::Generate();
        profile.name = u"PROFILE0" + std::u16string(1, char16_t(u'0' + image->profiles.size() + 1));
        image->profiles.push_back(profile);
    }
    for (int m = 0; m < macros; ++m) {
        emulator::MacroImage macro;
        macro.id = GUID::Generate();
        macro.name =
            u"Macro " + std::u16string(1, char16_t(u'A' + m % 26)) + std::u16string(1, char16_t(u'a' + m / 26));
        // A click of the left button after each pause: press, pause, release, pause.
        for (int e = 0; e < events; ++e) {
            if (e % 2)
                macro.events.push_back({kMacroEventDelay, 0, 0, uint32_t(5 + e % 7)});
            else
                macro.events.push_back({kMacroEventMouseButton, MacroButtonCode(1, e % 4 == 0), 0, 0});
        }
        image->macros.push_back(std::move(macro));
    }
    return devices.SaveImage(*image, error);
}

// A mouse of the emulated server with its configuration read in.
struct OpenMouse {
    std::unique_ptr<CMouse> mouse;
    CTovikEliteConfig config;
    uint64_t calls = 0;
    double ms = 0;
};

std::unique_ptr<OpenMouse> ReadMouse(std::string& error)
{
    const DeviceDescriptor* descriptor = FindSupportedDevice(kMouse);
    if (!descriptor) {
        error = "no descriptor for the mouse";
        return nullptr;
    }
    auto open = std::make_unique<OpenMouse>();
    emulator::FaultInjection::ResetCounters();
    const auto start = Clock::now();
    open->mouse = std::make_unique<CMouse>(*descriptor);
    if (!open->mouse->ReadAll(&open->config) ||
        !open->mouse->Transfer(&open->config, TransferMode::Read, TransferFlags::All)) {
        error = "the first read of the emulated mouse failed";
        return nullptr;
    }
    open->ms = MsSince(start);
    open->calls = emulator::FaultInjection::TotalCalls();
    return open;
}

struct ApplyResult {
    bool ok = false;
    uint64_t calls = 0;
    uint64_t changing = 0;
    double ms = 0;
};

// An Apply as the window starts it: every group, of which only the modified ones
// are sent. Timed until the write's result is known.
ApplyResult Apply(OpenMouse& open)
{
    ApplyResult result;
    while (open.mouse->IsBusy())
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    emulator::FaultInjection::ResetCounters();
    const auto start = Clock::now();
    if (!open.mouse->Transfer(&open.config, TransferMode::Write, TransferFlags::All))
        return result;
    std::optional<bool> written;
    while (!(written = open.mouse->LastWriteResult()))
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    result.ms = MsSince(start);
    result.ok = *written;
    result.calls = emulator::FaultInjection::TotalCalls();
    result.changing = ChangingDeviceCalls();
    return result;
}

// Calls every write makes whatever it changes: opening the device (finding it
// and asking for its description), and, as the profile groups are part of every
// Apply, making sure each profile is on the device (fetching it by its id and
// reading its name, to rename it when the device has another).
constexpr uint64_t kOpenCalls = 2;
constexpr uint64_t kExistenceCallsPerProfile = 2;

struct Change {
    const char* group;
    // The device calls the change itself needs at the least, beyond the calls of
    // every write: the call that sends it, and for a light the walk to it (a light and
    // its number), for a macro the read of the device copy it is compared with.
    uint64_t minimumCalls;
    // Sets the first value for an even `run`, the second for an odd one; the
    // second is the factory value where the group has one.
    std::function<void(CTovikEliteConfig&, int run)> apply;
};

const std::vector<Change>& Changes()
{
    static const std::vector<Change> changes = {
        {"buttons", 1,
         [](CTovikEliteConfig& config, int run) {
             config.GetProfile(0)->SetButtonAssignment(
                 MOUSE_BUTTON_4,
                 AssignmentRecord::OfKind(run % 2 ? AssignmentKind::Backward : AssignmentKind::Forward));
         }},
        {"sensitivity", 1,
         [](CTovikEliteConfig& config, int run) {
             config.GetProfile(0)->SetStageDpi(3, 2500 + 100 * unsigned(run % 2));
         }},
        {"lighting", 3,
         [](CTovikEliteConfig& config, int run) {
             config.GetProfile(0)->SetLedColour(LED_SCROLL_WHEEL, run % 2 ? 0x0000FF : 0x00FF00);
         }},
        {"power", 1, [](CTovikEliteConfig& config, int run) { config.SetIdleTimeBeforeSleep(run % 2 ? 900 : 600); }},
        {"polling rate", 1,
         [](CTovikEliteConfig& config, int run) { config.SetPollingRate(run % 2 ? POLLING_RATE_1 : POLLING_RATE_0); }},
        {"profiles", 1,
         [](CTovikEliteConfig& config, int run) {
             config.GetProfile(0)->SetName(run % 2 ? u"PROFILE01" : u"RENAMED");
         }},
        {"macros", 4,
         [](CTovikEliteConfig& config, int run) {
             // A longer or shorter last pause: the macro keeps its length, so a
             // full macro stays within the device's limit.
             if (config.GetMacroCount() == 0)
                 return;
             auto& events = config.GetMacro(0)->Events();
             if (events.empty() || events.back().kind != MacroEventKind::Delay)
                 events.push_back(MacroEvent::Delay(20));
             else
                 events.back() = MacroEvent::Delay(run % 2 ? 30 : 40);
         }},
    };
    return changes;
}

struct Series {
    std::vector<double> calls, changing, ms;
};

// Reads, then applies each change alone and all of them together, `runs` times.
bool MeasureApplies(const TrafficOptions& options, int profileCount, int latencyMs, const std::string& label,
                    FigureTable& table, std::string& error)
{
    setenv("ZEMKO_TOVIK_EMU_LATENCY_MS", std::to_string(latencyMs).c_str(), 1);
    Series read;
    std::map<std::string, Series> applies;
    for (int run = 0; run < options.runs; ++run) {
        auto open = ReadMouse(error);
        if (!open)
            return false;
        read.calls.push_back(double(open->calls));
        read.ms.push_back(open->ms);
        const auto applyOne = [&](const std::string& name, const std::function<void()>& change) {
            change();
            const ApplyResult result = Apply(*open);
            if (!result.ok)
                return false;
            auto& series = applies[name];
            series.calls.push_back(double(result.calls));
            series.changing.push_back(double(result.changing));
            series.ms.push_back(result.ms);
            return true;
        };
        // Each change alone sets its first value, then all of them together set
        // the second: every Apply of every run changes something on the device.
        for (const Change& change : Changes()) {
            if (!applyOne(change.group, [&] { change.apply(open->config, 0); })) {
                error = std::string("the Apply of a ") + change.group + " change failed";
                return false;
            }
        }
        if (!applyOne("everything", [&] {
                for (const Change& change : Changes())
                    change.apply(open->config, 1);
            })) {
            error = "the Apply of every change failed";
            return false;
        }
    }
    const std::string section = "device " + label;
    table.Add(section, "first read: calls", "calls", read.calls);
    table.Add(section, "first read: time", "ms", read.ms);
    const uint64_t everyWrite = kOpenCalls + kExistenceCallsPerProfile * uint64_t(profileCount);
    uint64_t everythingMinimum = everyWrite;
    for (const Change& change : Changes()) {
        everythingMinimum += change.minimumCalls;
        const uint64_t minimum = everyWrite + change.minimumCalls;
        const auto& series = applies[change.group];
        const double limit = 1.2 * double(minimum);
        table.Add(section, std::string("apply ") + change.group + ": calls", "calls", series.calls, {},
                  Target{limit, "<= " + std::to_string(minimum) + " x1.2"});
        table.Add(section, std::string("apply ") + change.group + ": changing calls", "calls", series.changing);
        table.Add(section, std::string("apply ") + change.group + ": time", "ms", series.ms);
    }
    const auto& all = applies["everything"];
    table.Add(section, "apply everything: calls", "calls", all.calls, {},
              Target{1.2 * double(everythingMinimum), "<= " + std::to_string(everythingMinimum) + " x1.2"});
    table.Add(section, "apply everything: changing calls", "calls", all.changing);
    table.Add(section, "apply everything: time", "ms", all.ms);
    return true;
}

// Read and one macro change on the large image, and what one image load costs
// with and without the decoded image kept.
bool MeasureScale(const TrafficOptions& options, FigureTable& table, std::string& error)
{
    setenv("ZEMKO_TOVIK_EMU_LATENCY_MS", "0", 1);
    const std::string section = "scale";
    const std::string size = std::to_string(options.profiles) + " profiles, " + std::to_string(options.macros) + "x" +
                             std::to_string(options.macroEvents) + " macro events";
    Series read, apply;
    for (int run = 0; run < options.runs; ++run) {
        auto open = ReadMouse(error);
        if (!open)
            return false;
        read.calls.push_back(double(open->calls));
        read.ms.push_back(open->ms);
        Changes().back().apply(open->config, run);
        const ApplyResult result = Apply(*open);
        if (!result.ok) {
            error = "the Apply of a macro change on the large image failed";
            return false;
        }
        apply.calls.push_back(double(result.calls));
        apply.ms.push_back(result.ms);
    }
    table.Add(section, "read (" + size + "): calls", "calls", read.calls);
    table.Add(section, "read (" + size + "): time", "ms", read.ms);
    std::vector<double> perCall;
    for (size_t i = 0; i < read.ms.size(); ++i)
        perCall.push_back(read.ms[i] / std::max(1.0, read.calls[i]));
    table.Add(section, "read: time per device call", "ms", perCall);
    table.Add(section, "apply one macro change: calls", "calls", apply.calls);
    table.Add(section, "apply one macro change: time", "ms", apply.ms);

    // The image load inside every device call: decoded from the file each time
    // (the cache emptied first) against kept while the file is unchanged.
    const emulator::DeviceDirectory devices(options.directory / "large");
    std::vector<double> decoded, kept;
    for (int run = 0; run < options.runs; ++run) {
        emulator::DeviceLock lock(devices, kMouse, std::chrono::seconds(10));
        emulator::ImageCache::Instance().Clear();
        auto start = Clock::now();
        if (!devices.LoadImage(kMouse, error))
            return false;
        decoded.push_back(MsSince(start));
        start = Clock::now();
        if (!devices.LoadImage(kMouse, error))
            return false;
        kept.push_back(MsSince(start));
    }
    table.Add("emulator", "image load, decoded from the file", "ms", decoded);
    table.Add("emulator", "image load, kept while unchanged", "ms", kept);
    return true;
}

} // namespace

bool MeasureDeviceTraffic(const TrafficOptions& options, FigureTable& table, std::string& error)
{
    // The pause after a write keeps the device busy for the next Apply; it is a
    // designed wait, not traffic, so it is shortened here. The rest stays as the
    // program has it.
    DeviceTiming timing = GetDeviceTiming();
    timing.afterWrite = std::chrono::milliseconds(1);
    SetDeviceTiming(timing);
    emulator::RegisterEmulatedDeviceServer();

    const auto small = options.directory / "small";
    constexpr int kSmallProfiles = 1;
    if (!PrepareDirectory(small, kSmallProfiles, 1, 2, error))
        return false;
    setenv("ZEMKO_TOVIK_DEVICE_DIR", small.c_str(), 1);
    if (!MeasureApplies(options, kSmallProfiles, 0, "latency 0", table, error))
        return false;
    if (!MeasureApplies(options, kSmallProfiles, options.defaultLatencyMs,
                        "latency " + std::to_string(options.defaultLatencyMs) + " ms", table, error))
        return false;

    const auto large = options.directory / "large";
    if (!PrepareDirectory(large, options.profiles, options.macros, options.macroEvents, error))
        return false;
    setenv("ZEMKO_TOVIK_DEVICE_DIR", large.c_str(), 1);
    return MeasureScale(options, table, error);
}
