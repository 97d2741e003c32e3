// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The mouse as the command-line program holds it: the same picker, configuration
// and mouse device the window uses. A read fills the configuration; a write sends
// what the configuration reports as changed, holding the device for the write, so
// it waits for the window's or the tray's write and never lands inside one.
#include "device/GenDevice.h"
#include "device/MousePicker.h"
#include "settings/TovikEliteConfig.h"

#include <chrono>
#include <memory>

// Exit codes, documented in the manual page.
namespace ExitCode {
constexpr int Done = 0;
constexpr int Refused = 1; // the device refused, or a write failed
constexpr int Usage = 2;   // usage or a bad value; nothing written
constexpr int NoMouse = 3;
constexpr int Busy = 4; // another program's write did not end in time
} // namespace ExitCode

class CMouse;

class CtlDevice {
public:
    // Registers the device server; `busyWait` is how long a write waits for
    // another program's write to end.
    explicit CtlDevice(std::chrono::milliseconds busyWait);
    ~CtlDevice();

    // Reads every setting; Done, NoMouse when no supported device is attached,
    // Refused when the read failed.
    int Read();
    IMouseConfig& Config() { return *config_; }
    CMousePicker& Picker() { return picker_; }
    // Null before a successful read.
    CMouse* Mouse() const;
    uint32_t ProductId() const { return productId_; }

    // Writes the changed groups among `flags` and waits for the end: Done, Busy,
    // NoMouse when the device went away, Refused otherwise.
    int Write(uint16_t flags = TransferFlags::All);

    // A fresh read into a separate configuration, to check what arrived; null
    // when the read fails.
    std::unique_ptr<CTovikEliteConfig> ReadAgain();

private:
    std::unique_ptr<CTovikEliteConfig> config_;
    CMousePicker picker_;
    uint32_t productId_ = 0;
};
