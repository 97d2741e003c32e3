// SPDX-License-Identifier: GPL-3.0-or-later
#include "ctl/CtlDevice.h"

#include "device/DeviceTiming.h"
#include "device/Mouse.h"
#include "emulator/EmulatedDeviceServer.h"
#include "settings/Generation.h"

#include <thread>

CtlDevice::CtlDevice(std::chrono::milliseconds busyWait) : config_(std::make_unique<CTovikEliteConfig>())
{
    emulator::RegisterEmulatedDeviceServer();
    DeviceTiming timing = GetDeviceTiming();
    timing.writeSessionWait = busyWait;
    // The program ends right after a write; nothing is gained by holding the
    // device afterwards.
    timing.afterWrite = std::chrono::milliseconds(0);
    SetDeviceTiming(timing);
}

CtlDevice::~CtlDevice() = default;

CMouse* CtlDevice::Mouse() const
{
    return picker_.SelectedMouse().get();
}

int CtlDevice::Read()
{
    // A profile's factory settings (of a created or restored profile) follow the
    // generation, as they do in the window once it knows the device.
    if (picker_.Enumerate())
        SetCurrentGeneration(!IsEarlierGeneration(picker_.Selected()->productId));
    if (!picker_.ReadAll(config_.get())) {
        // Either nothing supported is attached or the read failed.
        return picker_.Selected() ? ExitCode::Refused : ExitCode::NoMouse;
    }
    productId_ = picker_.Selected()->productId;
    // As the window: the device is chosen and its profiles found, then every group read.
    if (!picker_.Transfer(config_.get(), TransferMode::Read, TransferFlags::All))
        return picker_.Selected() ? ExitCode::Refused : ExitCode::NoMouse;
    return ExitCode::Done;
}

int CtlDevice::Write(uint16_t flags)
{
    // The mouse that was just read is written: it finds its device by product
    // when the write opens it, and fails (writing nothing) when that device is
    // gone, so no second search of the attached devices is needed first.
    std::shared_ptr<CMouse> mouse = picker_.SelectedMouse();
    if (!mouse)
        return ExitCode::NoMouse;
    if (!mouse->Transfer(config_.get(), TransferMode::Write, flags))
        return picker_.Enumerate() && picker_.SelectedMouse() == mouse ? ExitCode::Refused : ExitCode::NoMouse;
    // The write runs on the mouse's worker; its result is known when it ends.
    while (mouse->HasWorker())
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    const std::optional<bool> result = mouse->LastWriteResult();
    if (result && *result)
        return ExitCode::Done;
    if (result && mouse->LastWriteWasBusy())
        return ExitCode::Busy;
    return picker_.Enumerate() ? ExitCode::Refused : ExitCode::NoMouse;
}

std::unique_ptr<CTovikEliteConfig> CtlDevice::ReadAgain()
{
    auto fresh = std::make_unique<CTovikEliteConfig>();
    CMousePicker picker;
    if (!picker.ReadAll(fresh.get()) || !picker.Transfer(fresh.get(), TransferMode::Read, TransferFlags::All))
        return nullptr;
    return fresh;
}
