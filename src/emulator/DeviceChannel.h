// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What every server object of one device shares: where the device lives and
// which attachment it belongs to. Each call loads the device's image under
// its lock (decoding the file again only when it changed), so other processes'
// changes are seen at once, and a changing call
// stores the image atomically before it answers.
#include "emulator/DeviceDirectory.h"
#include "emulator/SessionLock.h"
#include "platform/com/HResult.h"

#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace emulator {

struct ServerSettings {
    std::filesystem::path directory;
    int latencyMs = 0;
    // How long a changing call waits for another connection's write session.
    std::chrono::milliseconds busyWait{10000};
};

// Delay of one call (the latency model). False, at once, when calls are abandoned.
bool SimulateLatency(const ServerSettings& settings);

// Reports a problem with a device (a damaged image, a failed store), once per
// distinct message: to the reporter when one is set, else to standard error (the
// command-line tool's channel).
void ReportDeviceProblem(const std::string& message);
// The last problem that leaves the device unusable in a way a person can mend,
// for the program to tell its user instead of "no mouse" or a bare failure.
struct DeviceProblem {
    enum class Kind {
        DamagedData,     // the device's memory file cannot be read as one (`file` names it)
        ReadOnlyStorage, // the device directory cannot be written (`file` names it)
    };
    Kind kind = Kind::DamagedData;
    std::string file;
    std::string message; // as logged
};
void RecordDeviceProblem(DeviceProblem problem);
// The problem recorded since the last take, if any; taking forgets it.
std::optional<DeviceProblem> TakeDeviceProblem();

// Replaces where problems go (the program sends them to its log); an empty
// function restores standard error.
void SetDeviceProblemReporter(std::function<void(const std::string&)> reporter);

class DeviceChannel {
public:
    DeviceChannel(std::shared_ptr<const ServerSettings> settings, const ProductInfo& product, std::string token);

    const ProductInfo& product() const { return product_; }
    const ServerSettings& settings() const { return *settings_; }
    const std::string& token() const { return token_; }
    std::shared_ptr<const ServerSettings> sharedSettings() const { return settings_; }

    // Runs `read` on the current image. Fails without running it when a fault
    // rule says so, when the device's attachment is gone or is a newer one, or
    // when the image cannot be read.
    HRESULT Read(std::string_view operation, const std::function<HRESULT(const DeviceImage&)>& read) const;
    // Runs `change` on a copy of the image and stores the copy when `change`
    // succeeds; when `change` fails, or the copy cannot be stored, the device
    // keeps its old image.
    HRESULT Change(std::string_view operation, const std::function<HRESULT(DeviceImage&)>& change) const;

    // The write session of this connection (IDeviceWriteSession): S_OK when it
    // was taken, S_FALSE when it was held already, E_DEVICE_BUSY when another
    // connection kept it for `timeout`, E_DEVICE_NOT_CONNECTED when the device is
    // gone. The session lasts until EndSession or the channel's end.
    HRESULT BeginSession(std::chrono::milliseconds timeout) const;
    // S_OK when a session ended, S_FALSE when none was held.
    HRESULT EndSession() const;

private:
    bool HoldsSession() const;
    HRESULT Run(std::string_view operation, bool changes, const std::function<HRESULT(DeviceImage&)>& body) const;

    std::shared_ptr<const ServerSettings> settings_;
    const ProductInfo& product_;
    std::string token_;
    // The channel is shared as const by every object of the connection; the
    // session is the one thing they change together.
    mutable std::mutex sessionMutex_;
    mutable std::unique_ptr<SessionLock> session_;
};

} // namespace emulator
