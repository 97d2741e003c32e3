// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/EmulatedDeviceServer.h"

#include "device/server/DeviceServer.h"
#include "emulator/ServerObjects.h"
#include "platform/com/ComRuntime.h"
#include "platform/core/AtomicFile.h"
#include "platform/core/UserHome.h"

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace emulator {

namespace {

HRESULT ActivateServer(const IID& iid, void** out)
{
    auto settings = std::make_shared<ServerSettings>();
    settings->directory = DefaultDeviceDirectory();
    settings->latencyMs = LatencyFromEnvironment();
    settings->busyWait = BusyWaitFromEnvironment();
    if (settings->directory.empty()) {
        ReportDeviceProblem(kNoDeviceDirectoryText);
        return E_ACCESSDENIED;
    }
    std::string error;
    const DeviceDirectory directory(settings->directory);
    if (!directory.EnsureInitialised(error)) {
        ReportDeviceProblem(error);
        return E_ACCESSDENIED;
    }
    // A program killed in the middle of storing a device leaves its temporary file.
    directory.RemoveAbandonedTemporaries();
    IDeviceEnumerator* enumerator = NewEnumerator(std::move(settings));
    const HRESULT hr = enumerator->QueryInterface(iid, out);
    enumerator->Release();
    return hr;
}

} // namespace

void RegisterEmulatedDeviceServer()
{
    CoRegisterClassFactory(CLSID_DeviceServer, ActivateServer);
}

void UnregisterEmulatedDeviceServer()
{
    CoRevokeClassFactory(CLSID_DeviceServer);
}

std::filesystem::path DefaultDeviceDirectory()
{
    if (const char* dir = std::getenv("ZEMKO_TOVIK_DEVICE_DIR"); dir && *dir)
        return dir;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data == '/')
        return std::filesystem::path(data) / "zemko-tovik" / "devices";
    if (const std::string home = UserHomeDirectory(); !home.empty())
        return std::filesystem::path(home) / ".local" / "share" / "zemko-tovik" / "devices";
    return {};
}

namespace {

int MillisecondsFromEnvironment(const char* variable, int fallback, int limit)
{
    const char* text = std::getenv(variable);
    if (!text || !*text)
        return fallback;
    const std::string_view view(text);
    int value = 0;
    const auto [end, error] = std::from_chars(view.data(), view.data() + view.size(), value);
    if (error != std::errc() || end != view.data() + view.size() || value < 0 || value > limit)
        return fallback;
    return value;
}

} // namespace

int LatencyFromEnvironment()
{
    return MillisecondsFromEnvironment("ZEMKO_TOVIK_EMU_LATENCY_MS", 15, 10000);
}

std::chrono::milliseconds BusyWaitFromEnvironment()
{
    return std::chrono::milliseconds(MillisecondsFromEnvironment("ZEMKO_TOVIK_EMU_BUSY_WAIT_MS", 10000, 600000));
}

} // namespace emulator
