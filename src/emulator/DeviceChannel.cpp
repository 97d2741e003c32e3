// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/DeviceChannel.h"

#include "emulator/EmulatedDeviceServer.h"
#include "emulator/FaultState.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <mutex>
#include <set>
#include <thread>
#include <utility>

namespace emulator {

namespace {

std::mutex abandonMutex;
std::condition_variable abandonWake;
bool abandoned = false;

} // namespace

void AbandonDeviceCalls(bool abandon)
{
    {
        std::lock_guard lock(abandonMutex);
        abandoned = abandon;
    }
    abandonWake.notify_all();
}

bool DeviceCallsAbandoned()
{
    std::lock_guard lock(abandonMutex);
    return abandoned;
}

bool SimulateLatency(const ServerSettings& settings)
{
    std::unique_lock lock(abandonMutex);
    if (settings.latencyMs > 0)
        abandonWake.wait_for(lock, std::chrono::milliseconds(settings.latencyMs), [] { return abandoned; });
    return !abandoned;
}

namespace {

std::mutex& ProblemMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::function<void(const std::string&)>& ProblemReporter()
{
    static std::function<void(const std::string&)> reporter;
    return reporter;
}

// Why a session lock was not taken, as the caller's result: busy, a directory that
// cannot be written (said once to the user's log), or a device that is gone.
HRESULT SessionRefusal(const DeviceDirectory& directory, SessionLock::Outcome outcome)
{
    if (outcome == SessionLock::Outcome::Busy)
        return E_DEVICE_BUSY;
    std::error_code ec;
    if (std::filesystem::is_directory(directory.path(), ec)) {
        if (const std::string why = directory.WhyNotWritable(); !why.empty()) {
            RecordDeviceProblem({DeviceProblem::Kind::ReadOnlyStorage, directory.path().string(), why});
            return E_ACCESSDENIED;
        }
    }
    return E_DEVICE_NOT_CONNECTED;
}

} // namespace

void SetDeviceProblemReporter(std::function<void(const std::string&)> reporter)
{
    std::lock_guard lock(ProblemMutex());
    ProblemReporter() = std::move(reporter);
}

namespace {

std::optional<DeviceProblem>& LastProblem()
{
    static std::optional<DeviceProblem> last;
    return last;
}

} // namespace

void RecordDeviceProblem(DeviceProblem problem)
{
    const std::string message = problem.message;
    {
        std::lock_guard lock(ProblemMutex());
        LastProblem() = std::move(problem);
    }
    ReportDeviceProblem(message);
}

std::optional<DeviceProblem> TakeDeviceProblem()
{
    std::lock_guard lock(ProblemMutex());
    return std::exchange(LastProblem(), std::nullopt);
}

void ReportDeviceProblem(const std::string& message)
{
    static std::set<std::string> reported;
    std::lock_guard lock(ProblemMutex());
    if (!reported.insert(message).second)
        return;
    if (ProblemReporter())
        ProblemReporter()(message);
    else
        std::fprintf(stderr, "zemko-tovik device server: %s\n", message.c_str());
}

DeviceChannel::DeviceChannel(std::shared_ptr<const ServerSettings> settings, const ProductInfo& product,
                             std::string token)
    : settings_(std::move(settings)), product_(product), token_(std::move(token))
{
}

HRESULT DeviceChannel::Read(std::string_view operation, const std::function<HRESULT(const DeviceImage&)>& read) const
{
    return Run(operation, false, [&](DeviceImage& image) { return read(image); });
}

HRESULT DeviceChannel::Change(std::string_view operation, const std::function<HRESULT(DeviceImage&)>& change) const
{
    return Run(operation, true, change);
}

HRESULT DeviceChannel::Run(std::string_view operation, bool changes,
                           const std::function<HRESULT(DeviceImage&)>& body) const
{
    const DeviceDirectory directory(settings_->directory);
    const uint32_t productId = product_.productId;
    const HRESULT gate = CheckCall(operation, [&] {
        std::string error;
        if (!directory.Unplug(productId, error))
            ReportDeviceProblem(error);
    });
    if (FAILED(gate))
        return gate;
    // A change from outside a running write session waits for the session to
    // end, so that it never lands between the calls of someone else's write.
    std::unique_ptr<SessionLock> guest;
    if (changes && !HoldsSession()) {
        guest = std::make_unique<SessionLock>(directory.SessionPath(productId), SessionLock::Mode::Shared,
                                              settings_->busyWait);
        if (!guest->held())
            return SessionRefusal(directory, guest->outcome());
    }
    if (!SimulateLatency(*settings_))
        return E_DEVICE_NOT_CONNECTED;

    DeviceLock lock(directory, productId, settings_->busyWait,
                    changes ? DeviceLock::Purpose::Change : DeviceLock::Purpose::Read);
    switch (lock.outcome()) {
    case DeviceLock::Outcome::Held:
    case DeviceLock::Outcome::Unlocked:
        break;
    case DeviceLock::Outcome::Busy:
        return E_DEVICE_BUSY;
    case DeviceLock::Outcome::ReadOnly:
        RecordDeviceProblem({DeviceProblem::Kind::ReadOnlyStorage, directory.path().string(), lock.error()});
        return E_ACCESSDENIED;
    case DeviceLock::Outcome::Unavailable:
        if (!lock.error().empty() && std::filesystem::is_directory(directory.path()))
            ReportDeviceProblem(lock.error());
        return E_DEVICE_NOT_CONNECTED;
    }
    const auto token = directory.AttachToken(productId);
    if (!token || *token != token_)
        return E_DEVICE_NOT_CONNECTED;
    std::string error;
    auto image = directory.LoadImage(productId, error);
    if (!image) {
        RecordDeviceProblem({DeviceProblem::Kind::DamagedData, directory.ImagePath(productId).string(), error});
        return E_FILE_CORRUPT;
    }
    if (!changes)
        return body(*image);
    const HRESULT hr = body(*image);
    if (FAILED(hr))
        return hr;
    if (!directory.SaveImage(*image, error)) {
        ReportDeviceProblem(error);
        return E_WRITE_FAULT;
    }
    return hr;
}

bool DeviceChannel::HoldsSession() const
{
    std::lock_guard lock(sessionMutex_);
    return session_ != nullptr;
}

HRESULT DeviceChannel::BeginSession(std::chrono::milliseconds timeout) const
{
    std::lock_guard lock(sessionMutex_);
    if (session_)
        return S_FALSE;
    const DeviceDirectory directory(settings_->directory);
    // A session on a device that is gone (or plugged again since) holds nothing.
    const auto token = directory.AttachToken(product_.productId);
    if (!token || *token != token_)
        return E_DEVICE_NOT_CONNECTED;
    auto session =
        std::make_unique<SessionLock>(directory.SessionPath(product_.productId), SessionLock::Mode::Exclusive, timeout);
    if (!session->held())
        return SessionRefusal(directory, session->outcome());
    session_ = std::move(session);
    return S_OK;
}

HRESULT DeviceChannel::EndSession() const
{
    std::unique_ptr<SessionLock> ended;
    std::lock_guard lock(sessionMutex_);
    if (!session_)
        return S_FALSE;
    ended = std::move(session_);
    return S_OK;
}

} // namespace emulator
