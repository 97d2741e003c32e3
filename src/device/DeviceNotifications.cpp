// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceNotifications.h"

#include "device/ServerAccess.h"
#include "platform/com/ComObject.h"

#include <algorithm>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#if defined(ZT_HAVE_UDEV)
#include <atomic>
#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>
#endif

namespace {

struct Registration {
    HDEVNOTIFY handle;
    HWND window;
    GUID classGuid;
};

struct PendingEvent {
    WPARAM event;
    std::u16string path;
    std::vector<Registration> recipients; // those registered when it happened
};

// Receives the device server's arrival and removal calls on its watcher thread and
// only queues them, so that the server never waits for a window.
class ServerChangeSink : public ComObject<IDeviceChangeSink> {
public:
    HRESULT OnDeviceChange(uint32_t event, const char16_t* path) override
    {
        BroadcastDeviceChange(event, path ? std::u16string_view(path) : std::u16string_view());
        return S_OK;
    }
};

#if defined(ZT_HAVE_UDEV)
// hidraw and hid removals of real devices; HID_ID is "bus:vendor:product" in hex.
class UdevRemovalMonitor {
public:
    UdevRemovalMonitor() = default;
    ~UdevRemovalMonitor() { Stop(); }

    void Start()
    {
        udev_ = udev_new();
        if (!udev_)
            return;
        monitor_ = udev_monitor_new_from_netlink(udev_, "udev");
        if (!monitor_)
            monitor_ = udev_monitor_new_from_netlink(udev_, "kernel");
        stopFd_ = eventfd(0, EFD_CLOEXEC);
        if (!monitor_ || stopFd_ < 0 || udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hid", nullptr) < 0 ||
            udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(monitor_) < 0) {
            Release();
            return;
        }
        thread_ = std::thread([this] { Run(); });
    }

    void Stop()
    {
        if (thread_.joinable()) {
            stopping_.store(true);
            const uint64_t one = 1;
            if (write(stopFd_, &one, sizeof one) < 0) {
                // The thread also wakes every second and sees the stop flag.
            }
            thread_.join();
        }
        Release();
    }

private:
    void Release()
    {
        if (monitor_)
            udev_monitor_unref(monitor_);
        if (udev_)
            udev_unref(udev_);
        if (stopFd_ >= 0)
            close(stopFd_);
        monitor_ = nullptr;
        udev_ = nullptr;
        stopFd_ = -1;
        stopping_.store(false);
    }

    static bool ReadHidId(udev_device* device, unsigned& vendor, unsigned& product)
    {
        for (udev_device* at = device; at; at = udev_device_get_parent(at)) {
            const char* id = udev_device_get_property_value(at, "HID_ID");
            unsigned bus = 0;
            if (id && std::sscanf(id, "%x:%x:%x", &bus, &vendor, &product) == 3)
                return true;
        }
        return false;
    }

    void Run()
    {
        pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {stopFd_, POLLIN, 0}};
        while (!stopping_.load()) {
            if (poll(fds, 2, 1000) <= 0 || (fds[1].revents & POLLIN))
                continue;
            udev_device* device = udev_monitor_receive_device(monitor_);
            if (!device)
                continue;
            const char* action = udev_device_get_action(device);
            unsigned vendor = 0;
            unsigned product = 0;
            if (action && std::string_view(action) == "remove" && ReadHidId(device, vendor, product)) {
                const char* name = udev_device_get_sysname(device);
                const std::string instance = name ? name : "";
                BroadcastDeviceChange(
                    0x8004, MakeHidDevicePath(vendor, product, std::u16string(instance.begin(), instance.end())));
            }
            udev_device_unref(device);
        }
    }

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    int stopFd_ = -1;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};
#endif

// One per process, never destroyed: its delivery thread may be waiting for a
// window at exit, and nothing may be freed under it.
class NotificationService {
public:
    static NotificationService& Instance()
    {
        static NotificationService* service = new NotificationService;
        return *service;
    }

    HDEVNOTIFY Register(HWND window, const GUID& classGuid)
    {
        bool first = false;
        HDEVNOTIFY handle = 0;
        {
            std::lock_guard lock(mutex_);
            handle = ++lastHandle_;
            first = registrations_.empty();
            registrations_.push_back({handle, window, classGuid});
        }
        if (first)
            StartSources();
        return handle;
    }

    bool Unregister(HDEVNOTIFY handle)
    {
        bool last = false;
        {
            std::lock_guard lock(mutex_);
            auto it = std::find_if(registrations_.begin(), registrations_.end(),
                                   [&](const Registration& r) { return r.handle == handle; });
            if (it == registrations_.end())
                return false;
            registrations_.erase(it);
            last = registrations_.empty();
        }
        if (last)
            StopSources();
        return true;
    }

    void Queue(WPARAM event, std::u16string path)
    {
        std::lock_guard lock(mutex_);
        if (!dispatcherStarted_) {
            dispatcherStarted_ = true;
            std::thread([this] { Dispatch(); }).detach();
        }
        if (registrations_.empty())
            return;
        pending_.push_back({event, std::move(path), registrations_});
        wake_.notify_one();
    }

private:
    void StartSources()
    {
        std::lock_guard lock(sourceMutex_);
        ComPtr<IDeviceEnumerator> enumerator;
        if (SUCCEEDED(CreateDeviceEnumerator(enumerator)) && enumerator) {
            ComPtr<IDeviceChangeSource> source = QueryAs<IDeviceChangeSource>(enumerator);
            ComPtr<IDeviceChangeSink> sink = ComPtr<IDeviceChangeSink>::Attach(MakeComObject<ServerChangeSink>());
            uint32_t cookie = 0;
            if (source && SUCCEEDED(source->Advise(sink.Get(), &cookie))) {
                enumerator_ = std::move(enumerator);
                source_ = std::move(source);
                cookie_ = cookie;
            }
        }
#if defined(ZT_HAVE_UDEV)
        udev_.Start();
#endif
    }

    void StopSources()
    {
        std::lock_guard lock(sourceMutex_);
        if (source_)
            source_->Unadvise(cookie_);
        source_.Reset();
        enumerator_.Reset();
#if defined(ZT_HAVE_UDEV)
        udev_.Stop();
#endif
    }

    bool IsRegistered(HDEVNOTIFY handle)
    {
        std::lock_guard lock(mutex_);
        return std::any_of(registrations_.begin(), registrations_.end(),
                           [&](const Registration& r) { return r.handle == handle; });
    }

    void Dispatch()
    {
        for (;;) {
            PendingEvent next;
            {
                std::unique_lock lock(mutex_);
                wake_.wait(lock, [this] { return !pending_.empty(); });
                next = std::move(pending_.front());
                pending_.pop_front();
            }
            DeviceInterfaceBroadcast broadcast;
            broadcast.deviceType = DBT_DEVTYP_DEVICEINTERFACE;
            broadcast.classGuid = GUID_DEVINTERFACE_HID;
            broadcast.name = next.path;
            for (const Registration& registration : next.recipients) {
                if (!IsRegistered(registration.handle))
                    continue; // unregistered since
                if (registration.classGuid == GUID_DEVINTERFACE_HID || registration.classGuid.IsNull())
                    ::SendMessage(registration.window, WM_DEVICECHANGE, next.event,
                                  reinterpret_cast<LPARAM>(&broadcast));
            }
        }
    }

    std::mutex mutex_;
    std::condition_variable wake_;
    std::vector<Registration> registrations_;
    std::deque<PendingEvent> pending_;
    HDEVNOTIFY lastHandle_ = 0;
    bool dispatcherStarted_ = false;

    std::mutex sourceMutex_;
    ComPtr<IDeviceEnumerator> enumerator_;
    ComPtr<IDeviceChangeSource> source_;
    uint32_t cookie_ = 0;
#if defined(ZT_HAVE_UDEV)
    UdevRemovalMonitor udev_;
#endif
};

} // namespace

HDEVNOTIFY RegisterDeviceNotification(HWND window, const DeviceInterfaceFilter& filter, DWORD flags)
{
    if (!window || flags != DEVICE_NOTIFY_WINDOW_HANDLE || filter.size != 32 ||
        filter.deviceType != DBT_DEVTYP_DEVICEINTERFACE)
        return 0;
    return NotificationService::Instance().Register(window, filter.classGuid);
}

bool UnregisterDeviceNotification(HDEVNOTIFY handle)
{
    return handle != 0 && NotificationService::Instance().Unregister(handle);
}

void BroadcastDeviceChange(WPARAM event, std::u16string_view path)
{
    NotificationService::Instance().Queue(event, std::u16string(path));
}

std::u16string MakeHidDevicePath(uint32_t vendorId, uint32_t productId, std::u16string_view instance)
{
    char text[48];
    std::snprintf(text, sizeof text, "\\\\?\\HID#VID_%04X&PID_%04X#", vendorId & 0xFFFF, productId & 0xFFFF);
    std::u16string path(text, text + std::char_traits<char>::length(text));
    path += instance;
    return path;
}
