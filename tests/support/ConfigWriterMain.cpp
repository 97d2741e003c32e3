// SPDX-License-Identifier: GPL-3.0-or-later
// A process that does what the program does on Apply, without a window: it reads
// the mouse in the device directory (ZEMKO_TOVIK_DEVICE_DIR) through the device
// layer, changes every group, and writes the change on the device worker. Tests
// kill it mid-write or run it beside other processes that change the same
// device. It prints "read" once the read is over and the write is about to
// start, and "written" or "write failed" at the end.
// Exit status: 0 written, 1 the write failed, 2 the device could not be read.
#include "device/DeviceDescriptor.h"
#include "device/DeviceTiming.h"
#include "device/Mouse.h"
#include "emulator/EmulatedDeviceServer.h"
#include "platform/com/ComRuntime.h"
#include "settings/TovikEliteConfig.h"
#include "support/EveryGroupChange.h"

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

constexpr uint32_t kProduct = 0x0031;

int Fail(int status, const char* what)
{
    std::printf("%s\n", what);
    std::fflush(stdout);
    return status;
}

} // namespace

int main()
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    emulator::RegisterEmulatedDeviceServer();
    // The emulator answers at once; the device layer need not wait for it.
    DeviceTiming timing;
    timing.profileSettle = std::chrono::milliseconds(0);
    timing.afterWrite = std::chrono::milliseconds(1);
    timing.nullTransfer = std::chrono::milliseconds(0);
    SetDeviceTiming(timing);

    const DeviceDescriptor* descriptor = FindSupportedDevice(kProduct);
    if (!descriptor)
        return Fail(2, "no descriptor");
    CTovikEliteConfig config;
    CMouse mouse(*descriptor);
    if (!mouse.ReadAll(&config) || !mouse.Transfer(&config, TransferMode::Read, TransferFlags::All))
        return Fail(2, "read failed");
    if (!config.GetCurrentProfile())
        config.SetCurrentProfile(config.GetProfile(0));
    if (!ChangeEveryGroup(config))
        return Fail(2, "change refused");

    std::printf("read\n");
    std::fflush(stdout);
    if (!mouse.Transfer(&config, TransferMode::Write, TransferFlags::All))
        return Fail(1, "write failed");
    while (mouse.IsBusy())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    const bool written = mouse.LastWriteResult().value_or(false);
    return written ? Fail(0, "written") : Fail(1, "write failed");
}
