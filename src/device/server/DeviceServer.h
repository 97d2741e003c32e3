// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything a client of the device server needs.
//
// Object tree: `IDeviceEnumerator` (CoCreateInstance of CLSID_DeviceServer)
//   -> `IDeviceObject` per attached device
//        -> device-wide: `IDeviceProfileCollection`, `IDeviceMacroCollection`,
//           `IDeviceReportInterval`, `IDeviceAcceleration`, `IDeviceCalibration`,
//           `IDeviceBattery`, `IDevicePower`, `IDeviceFirmware`, `IDeviceState`,
//           `IDeviceProbe`
//        -> `IDeviceProfile` -> `IDeviceButtons`, `IDeviceSensitivity`,
//           `IDeviceProfileProperties`, `IDeviceLighting` -> `IDeviceLight`
//           -> colour, brightness, effect facets
//        -> `IDeviceMacro`
//        -> `IDeviceWriteSession` (holding the device for a multi-call write)
//   `IDeviceEnumerator` -> `IDeviceChangeSource` (arrival and removal).
// Every call can fail (negative HRESULT); a failed call changes nothing.
#include "device/server/DeviceServerIds.h"
#include "device/server/IDeviceButtons.h"
#include "device/server/IDeviceChangeSource.h"
#include "device/server/IDeviceEnumerator.h"
#include "device/server/IDeviceLighting.h"
#include "device/server/IDeviceMacros.h"
#include "device/server/IDeviceProfileProperties.h"
#include "device/server/IDeviceProfiles.h"
#include "device/server/IDeviceSensitivity.h"
#include "device/server/IDeviceSettings.h"
#include "device/server/IDeviceStatus.h"
#include "device/server/IDeviceWriteSession.h"
