// SPDX-License-Identifier: GPL-3.0-or-later
#include "emulator/DeviceChannel.h"

#include "emulator/FaultState.h"

#include <chrono>
#include <cstdio>
#include <mutex>
#include <set>
#include <thread>

namespace emulator {

void SimulateLatency(const ServerSettings& settings)
{
    if (settings.latencyMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(settings.latencyMs));
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

} // namespace

void SetDeviceProblemReporter(std::function<void(const std::string&)> reporter)
{
    std::lock_guard lock(ProblemMutex());
    ProblemReporter() = std::move(reporter);
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
            return guest->outcome() == SessionLock::Outcome::Busy ? E_DEVICE_BUSY : E_DEVICE_NOT_CONNECTED;
    }
    SimulateLatency(*settings_);

    DeviceLock lock(directory, productId);
    if (!lock.ok())
        return E_DEVICE_NOT_CONNECTED; // the directory itself is gone
    const auto token = directory.AttachToken(productId);
    if (!token || *token != token_)
        return E_DEVICE_NOT_CONNECTED;
    std::string error;
    auto image = directory.LoadImage(productId, error);
    if (!image) {
        ReportDeviceProblem(error);
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
        return session->outcome() == SessionLock::Outcome::Busy ? E_DEVICE_BUSY : E_DEVICE_NOT_CONNECTED;
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
