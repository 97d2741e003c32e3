// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Construction of the server's objects; the classes themselves stay private to
// their source files.
#include "device/server/DeviceServer.h"
#include "emulator/DeviceChannel.h"

#include <memory>

namespace emulator {

using Channel = std::shared_ptr<const DeviceChannel>;

// Each returns a new object holding one reference.
IDeviceEnumerator* NewEnumerator(std::shared_ptr<const ServerSettings> settings);
IDeviceObject* NewDeviceObject(Channel channel);
IDeviceProfile* NewProfileObject(Channel channel, const GUID& profileId);
IDeviceMacro* NewMacroObject(Channel channel, const GUID& macroId);
IDeviceLight* NewLightObject(Channel channel, const GUID& profileId, uint32_t number);

// The id behind an interface pointer, when it is one of our objects of the same
// device (same directory, product and attachment); otherwise null.
const GUID* ProfileIdOf(IDeviceProfile* profile, const DeviceChannel& channel);
const GUID* MacroIdOf(IDeviceMacro* macro, const DeviceChannel& channel);

// Converts a path handed over the interface; false for null, empty or
// unpaired-surrogate text.
bool PathFromInterface(const char16_t* text, std::filesystem::path& path);

// Where a device's path names it: "\\?\HID#VID_2E7A&PID_0031#...".
std::u16string DevicePathFor(uint32_t productId, const std::string& token);

} // namespace emulator
