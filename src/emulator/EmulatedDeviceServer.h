// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The device server this program ships: four emulated products whose memory
// lives in files of a device directory.
#include <chrono>
#include <filesystem>

namespace emulator {

// Registers the server's class (CLSID_DeviceServer) with the COM-style layer.
// Call once before the first CoCreateInstance; calling again is harmless.
void RegisterEmulatedDeviceServer();
// Removes the registration (tests of "no device server").
void UnregisterEmulatedDeviceServer();

// The device directory used by an activation now: ZEMKO_TOVIK_DEVICE_DIR when
// set and not empty, else $XDG_DATA_HOME/zemko-tovik/devices (when absolute), else
// ~/.local/share/zemko-tovik/devices with the home from $HOME or, without it, from
// the password database. Empty when there is no home at all: never a path relative
// to the working directory. Read at each activation, never cached.
std::filesystem::path DefaultDeviceDirectory();

// What to tell a person when DefaultDeviceDirectory is empty.
inline constexpr const char* kNoDeviceDirectoryText =
    "no device directory: this account has no home directory; set ZEMKO_TOVIK_DEVICE_DIR";

// Per-call delay in milliseconds: ZEMKO_TOVIK_EMU_LATENCY_MS when it is a
// number 0..10000, else 15. Read at each activation.
int LatencyFromEnvironment();

// How long a changing call waits for another client's write session before it
// fails as busy: ZEMKO_TOVIK_EMU_BUSY_WAIT_MS when it is a number 0..600000,
// else 10 seconds. Read at each activation.
std::chrono::milliseconds BusyWaitFromEnvironment();

// Gives up on the device: every call of this process under way (waiting out its
// latency) or to come answers at once that the device is not connected, until
// called again with false. For a program that stops waiting for a device that
// does not answer.
void AbandonDeviceCalls(bool abandon = true);
bool DeviceCallsAbandoned();

} // namespace emulator
