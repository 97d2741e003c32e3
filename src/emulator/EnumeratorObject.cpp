// SPDX-License-Identifier: GPL-3.0-or-later
// The server's entry object: lists attached devices and tells advised sinks of
// arrivals and removals, which a watcher thread notices in the device directory.
#include "emulator/DirectoryWatch.h"
#include "emulator/FaultState.h"
#include "emulator/Operations.h"
#include "emulator/ServerObjects.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"

#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace emulator {

namespace {

// State shared by the enumerator and its watcher thread. The thread keeps it
// alive, so the enumerator may even be released from inside a sink.
struct WatchState {
    explicit WatchState(const std::filesystem::path& directory) : watch(directory) {}

    std::mutex mutex;
    DirectoryWatch watch;
    std::condition_variable delivered; // end of a delivery round
    bool stop = false;
    bool delivering = false;
    std::thread::id watcherId;
    uint32_t nextCookie = 1;
    std::map<uint32_t, ComPtr<IDeviceChangeSink>> sinks;
    std::map<uint32_t, std::string> known; // product -> attachment token
};

void Watch(std::shared_ptr<WatchState> state, std::filesystem::path directory)
{
    const DeviceDirectory devices(directory);
    std::unique_lock lock(state->mutex);
    // The first look catches what changed between the snapshot taken when the
    // first sink was advised and the start of the watch.
    for (bool first = true; !state->stop; first = false) {
        if (!first) {
            lock.unlock();
            const bool changed = state->watch.Wait();
            lock.lock();
            if (!changed || state->stop)
                break;
        }
        lock.unlock();
        std::map<uint32_t, std::string> now;
        for (auto& device : devices.Attached())
            now.emplace(device.productId, std::move(device.token));
        lock.lock();
        std::vector<std::pair<uint32_t, std::u16string>> events;
        for (const auto& [product, token] : state->known) {
            const auto found = now.find(product);
            if (found == now.end() || found->second != token)
                events.emplace_back(kDeviceRemoved, DevicePathFor(product, token));
        }
        for (const auto& [product, token] : now) {
            const auto found = state->known.find(product);
            if (found == state->known.end() || found->second != token)
                events.emplace_back(kDeviceArrived, DevicePathFor(product, token));
        }
        state->known = std::move(now);
        if (events.empty() || state->sinks.empty())
            continue;
        std::vector<ComPtr<IDeviceChangeSink>> sinks;
        for (const auto& entry : state->sinks)
            sinks.push_back(entry.second);
        state->delivering = true;
        lock.unlock();
        for (const auto& [event, path] : events)
            for (const auto& sink : sinks)
                sink->OnDeviceChange(event, path.c_str());
        sinks.clear(); // a sink's last reference may go here, outside the lock
        lock.lock();
        state->delivering = false;
        state->delivered.notify_all();
    }
}

class EnumeratorObject final : public ComObject<IDeviceEnumerator, IDeviceChangeSource> {
public:
    explicit EnumeratorObject(std::shared_ptr<const ServerSettings> settings) : settings_(std::move(settings)) {}

    ~EnumeratorObject() override { StopWatcher(); }

    HRESULT GetDevice(uint32_t index, IDeviceObject** device) override
    {
        if (!device)
            return E_POINTER;
        *device = nullptr;
        const HRESULT gate = CheckCall(op::EnumeratorGetDevice, nullptr);
        if (FAILED(gate))
            return gate;
        if (!SimulateLatency(*settings_))
            return E_DEVICE_NOT_CONNECTED;
        const auto attached = DeviceDirectory(settings_->directory).Attached();
        if (index >= attached.size())
            return E_BOUNDS;
        const ProductInfo* product = FindProduct(attached[index].productId);
        auto channel = std::make_shared<const DeviceChannel>(settings_, *product, attached[index].token);
        *device = NewDeviceObject(std::move(channel));
        return S_OK;
    }

    HRESULT GetDeviceCount(uint32_t* count) override
    {
        if (!count)
            return E_POINTER;
        const HRESULT gate = CheckCall(op::EnumeratorGetDeviceCount, nullptr);
        if (FAILED(gate))
            return gate;
        if (!SimulateLatency(*settings_))
            return E_DEVICE_NOT_CONNECTED;
        *count = uint32_t(DeviceDirectory(settings_->directory).Attached().size());
        return S_OK;
    }

    HRESULT Advise(IDeviceChangeSink* sink, uint32_t* cookie) override
    {
        if (!sink || !cookie)
            return E_POINTER;
        std::lock_guard guard(startMutex_);
        if (!state_) {
            state_ = std::make_shared<WatchState>(settings_->directory);
            for (auto& device : DeviceDirectory(settings_->directory).Attached())
                state_->known.emplace(device.productId, std::move(device.token));
            watcher_ = std::thread(Watch, state_, settings_->directory);
            std::lock_guard lock(state_->mutex);
            state_->watcherId = watcher_.get_id();
        }
        std::lock_guard lock(state_->mutex);
        *cookie = state_->nextCookie++;
        state_->sinks.emplace(*cookie, ComPtr<IDeviceChangeSink>(sink));
        return S_OK;
    }

    HRESULT Unadvise(uint32_t cookie) override
    {
        std::shared_ptr<WatchState> state;
        {
            std::lock_guard guard(startMutex_);
            state = state_;
        }
        if (!state)
            return E_INVALIDARG;
        ComPtr<IDeviceChangeSink> released;
        {
            // Only the state's own lock is held while waiting, so a sink that
            // advises or unadvises from its callback cannot deadlock with us.
            std::unique_lock lock(state->mutex);
            const auto found = state->sinks.find(cookie);
            if (found == state->sinks.end())
                return E_INVALIDARG;
            released = std::move(found->second);
            state->sinks.erase(found);
            // A delivery round may still hold the sink; wait for it unless we are it.
            if (std::this_thread::get_id() != state->watcherId)
                state->delivered.wait(lock, [&] { return !state->delivering; });
        }
        return S_OK; // `released` drops its reference outside every lock
    }

private:
    void StopWatcher()
    {
        std::shared_ptr<WatchState> state;
        {
            std::lock_guard guard(startMutex_);
            state = state_;
        }
        if (!state)
            return;
        {
            std::lock_guard lock(state->mutex);
            state->stop = true;
            state->sinks.clear();
        }
        state->watch.Interrupt();
        if (watcher_.joinable()) {
            if (watcher_.get_id() == std::this_thread::get_id())
                watcher_.detach(); // released from inside a sink: the thread ends by itself
            else
                watcher_.join();
        }
    }

    std::shared_ptr<const ServerSettings> settings_;
    std::mutex startMutex_;
    std::shared_ptr<WatchState> state_;
    std::thread watcher_;
};

} // namespace

IDeviceEnumerator* NewEnumerator(std::shared_ptr<const ServerSettings> settings)
{
    return MakeComObject<EnumeratorObject>(std::move(settings));
}

} // namespace emulator
