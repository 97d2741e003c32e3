// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BaseDevice.h"

#include "device/DeviceTiming.h"
#include "device/ServerAccess.h"
#include "device/WriteSessionGuard.h"
#include "platform/core/MessageWait.h"

CBaseDevice::CBaseDevice(const DeviceDescriptor& descriptor) : descriptor_(&descriptor) {}

CBaseDevice::~CBaseDevice()
{
    WaitForWorker();
    Close();
}

void CBaseDevice::WaitForWorker()
{
    std::unique_lock lock(workerMutex_);
    stopRequested_.store(true);
    workerDone_.notify_all(); // ends the pause after a write
    // The worker uses this object, so it must end before the object goes. It may
    // be blocked sending progress to a window of this very thread: the wait
    // delivers those messages, so it ends whichever thread tears the device down.
    WaitServicingMessages(lock, workerDone_, [this] { return !workerRunning_.load(); });
    if (worker_.joinable()) {
        std::thread worker = std::move(worker_);
        lock.unlock();
        worker.join(); // past its last step: only the thread's exit is left
    }
    workerRunning_.store(false);
    busy_.store(false);
}

bool CBaseDevice::Open()
{
    if (descriptor_->productId == 0)
        return false;
    std::lock_guard lock(connectionMutex_);
    if (device_)
        return false;
    ComPtr<IDeviceEnumerator> enumerator;
    if (FAILED(CreateDeviceEnumerator(enumerator)) || !enumerator) {
        present_.store(false);
        return false;
    }
    ComPtr<IDeviceObject> device = FindDeviceByProduct(enumerator.Get(), descriptor_->productId);
    enumerator_ = std::move(enumerator);
    device_ = std::move(device);
    present_.store(bool(device_));
    return bool(device_);
}

void CBaseDevice::Close()
{
    if (descriptor_->productId == 0)
        return;
    ComPtr<IDeviceObject> device;
    ComPtr<IDeviceEnumerator> enumerator;
    {
        std::lock_guard lock(connectionMutex_);
        device = std::move(device_);
        enumerator = std::move(enumerator_);
    }
    // Released outside the lock, device first, then the enumerator.
    device.Reset();
    enumerator.Reset();
}

ComPtr<IDeviceObject> CBaseDevice::Device() const
{
    std::lock_guard lock(connectionMutex_);
    return device_;
}

bool CBaseDevice::Transfer(IMouseConfig* config, int mode, uint16_t flags)
{
    if (mode == TransferMode::Write)
        return StartWorker(config, flags);
    if (mode != TransferMode::Read)
        return false;
    if (!Open())
        return false;
    busy_.store(true);
    const bool result = ReadSelected(config, flags);
    Close();
    busy_.store(false);
    return result;
}

bool CBaseDevice::StartWorker(IMouseConfig* config, uint16_t flags)
{
    std::unique_lock lock(workerMutex_);
    if (workerRunning_.load() || stopRequested_.load())
        return false;
    if (!Open())
        return false;
    // The previous worker has passed its completion step; collect it.
    if (worker_.joinable())
        worker_.join();
    workerRunning_.store(true);
    busy_.store(true);
    lastWriteResult_.store(-1);
    lastWriteBusy_.store(false);
    try {
        worker_ = std::thread(&CBaseDevice::WorkerMain, this, config, flags);
    } catch (const std::system_error&) {
        workerRunning_.store(false);
        busy_.store(false);
        lock.unlock();
        Close();
        return false;
    }
    return true;
}

void CBaseDevice::WorkerMain(IMouseConfig* config, uint16_t flags)
{
    if (!config || !present_.load()) {
        // Nothing to do: no pause and no completion step beyond freeing the slot.
        Close();
    } else {
        bool written = false;
        {
            // No other client changes the device between the write's calls.
            const CWriteSessionGuard session(Device().Get(), GetDeviceTiming().writeSessionWait);
            written = session && WriteSelected(config, flags);
            lastWriteBusy_.store(!session && session.Refusal() == E_DEVICE_BUSY);
        }
        lastWriteResult_.store(written ? 1 : 0);
        std::unique_lock lock(workerMutex_);
        workerDone_.wait_for(lock, GetDeviceTiming().afterWrite, [this] { return stopRequested_.load(); });
        lock.unlock();
        Close();
    }
    std::lock_guard lock(workerMutex_);
    workerRunning_.store(false);
    busy_.store(false);
    workerDone_.notify_all();
}

bool CBaseDevice::GetFirmwareVersion(std::u16string& text)
{
    std::lock_guard lock(versionMutex_);
    text = firstVersion_;
    return true;
}

bool CBaseDevice::GetDeviceVersion(std::u16string& text)
{
    std::lock_guard lock(versionMutex_);
    text = secondVersion_;
    return true;
}

void CBaseDevice::SetVersions(std::u16string first, std::u16string second)
{
    std::lock_guard lock(versionMutex_);
    firstVersion_ = std::move(first);
    secondVersion_ = std::move(second);
}

void CBaseDevice::SetFirstVersion(std::u16string first)
{
    std::lock_guard lock(versionMutex_);
    firstVersion_ = std::move(first);
}

std::optional<bool> CBaseDevice::LastWriteResult() const
{
    const int result = lastWriteResult_.load();
    if (result < 0)
        return std::nullopt;
    return result == 1;
}
