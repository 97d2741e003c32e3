// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CBaseDevice`: what every real device needs - the device-server connection,
// opened and closed around each operation, the busy flag, the worker thread that
// runs writes, and the progress messenger.
#include "device/DeviceDescriptor.h"
#include "device/GenDevice.h"
#include "device/ProgressMessenger.h"
#include "device/server/DeviceServer.h"
#include "platform/com/ComPtr.h"

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

class CBaseDevice : public IMouseDevice, public CProgressMessenger {
public:
    explicit CBaseDevice(const DeviceDescriptor& descriptor);
    // Waits for a running write to end (its pause afterwards is cut short), then
    // closes; never hangs on progress the write sends to this thread's windows.
    ~CBaseDevice() override;

    const DeviceDescriptor& Descriptor() const { return *descriptor_; }

    void DiscardCache() override {}
    bool IsBusy() override { return busy_.load(); }
    bool Transfer(IMouseConfig* config, int mode, uint16_t flags) override;
    bool IsPresent() override { return present_.load(); }
    bool GetFirmwareVersion(std::u16string& text) override;
    bool GetDeviceVersion(std::u16string& text) override;
    int GetProductId() override { return static_cast<int>(descriptor_->productId); }
    std::u16string GetDisplayName() override { return std::u16string(descriptor_->displayName); }
    void AddProgressListener(HWND window) override { AddListener(window); }
    void RemoveProgressListener(HWND window) override { RemoveListener(window); }
    CProgressMessenger* GetProgressMessenger() override { return this; }

    // Whether a worker thread is recorded (from its start to its completion step).
    bool HasWorker() const { return workerRunning_.load(); }
    // The result of the write the worker ran last, once its step has ended;
    // nothing before the first write and from the start of a new one.
    std::optional<bool> LastWriteResult() const override;
    // Whether that write failed because another client held the device for the
    // whole wait (see IDeviceWriteSession); false while a write runs.
    bool LastWriteWasBusy() const { return lastWriteBusy_.load(); }

protected:
    // Finds the descriptor's product on the device server and holds it. Fails for
    // product id 0, when the server cannot be activated, when no such device is
    // attached, or when a device is already held (the connection is left alone).
    bool Open();
    void Close();
    // Opens for one operation and closes when it goes out of scope.
    class OpenedConnection {
    public:
        explicit OpenedConnection(CBaseDevice& device) : device_(device), opened_(device.Open()) {}
        ~OpenedConnection()
        {
            if (opened_)
                device_.Close();
        }
        OpenedConnection(const OpenedConnection&) = delete;
        OpenedConnection& operator=(const OpenedConnection&) = delete;
        explicit operator bool() const { return opened_; }

    private:
        CBaseDevice& device_;
        bool opened_;
    };

    // The held device; null when closed.
    ComPtr<IDeviceObject> Device() const;

    // The steps the transfer runs; see CMouse.
    virtual bool WriteSelected(IMouseConfig* config, uint16_t flags) = 0;
    virtual bool ReadSelected(IMouseConfig* config, uint16_t flags) = 0;

    void SetVersions(std::u16string first, std::u16string second);
    void SetFirstVersion(std::u16string first);

    // Waits for the worker thread to end; used by destructors of derived classes,
    // whose members the worker uses, before those members go.
    void WaitForWorker();

private:
    bool StartWorker(IMouseConfig* config, uint16_t flags);
    void WorkerMain(IMouseConfig* config, uint16_t flags);

    const DeviceDescriptor* descriptor_;

    mutable std::mutex connectionMutex_;
    ComPtr<IDeviceEnumerator> enumerator_;
    ComPtr<IDeviceObject> device_;

    std::atomic<bool> present_{false};
    std::atomic<bool> busy_{false};
    std::atomic<bool> stopRequested_{false};

    mutable std::mutex versionMutex_;
    std::u16string firstVersion_;
    std::u16string secondVersion_;

    // One write at a time per device.
    std::mutex workerMutex_;
    std::condition_variable workerDone_;
    std::atomic<bool> workerRunning_{false};
    std::atomic<int> lastWriteResult_{-1};
    std::atomic<bool> lastWriteBusy_{false};
    std::thread worker_;
};
