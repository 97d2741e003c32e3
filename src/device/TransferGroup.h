// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A setting group of a transfer together with the device feature that carries it:
// a group moves only when the transfer asks for it and the device has the feature.
#include "device/DeviceDescriptor.h"
#include "device/GenDevice.h"

#include <cstdint>

struct TransferGroup {
    FeatureId feature;
    uint16_t flag;
};

namespace TransferGroups {
constexpr TransferGroup ProfileIdentity{Feature::ProfileIdentity, TransferFlags::ProfileIdentity};
constexpr TransferGroup Sensitivity{Feature::Sensitivity, TransferFlags::Sensitivity};
constexpr TransferGroup Buttons{Feature::Buttons, TransferFlags::Buttons};
constexpr TransferGroup Lighting{Feature::Lighting, TransferFlags::Lighting};
constexpr TransferGroup Macros{Feature::Macros, TransferFlags::Macros};
constexpr TransferGroup Acceleration{Feature::Acceleration, TransferFlags::Acceleration};
constexpr TransferGroup ReportInterval{Feature::ReportInterval, TransferFlags::ReportInterval};
constexpr TransferGroup Battery{Feature::Battery, TransferFlags::Battery};
constexpr TransferGroup Power{Feature::Power, TransferFlags::Power};
constexpr TransferGroup Calibration{Feature::SurfaceCalibration, TransferFlags::Calibration};
constexpr TransferGroup Firmware{Feature::FirmwareRefresh, TransferFlags::Firmware};

// Every group a profile has.
constexpr TransferGroup kOfProfile[] = {ProfileIdentity, Sensitivity, Buttons, Lighting};
// The groups of the configuration as a whole that a write sends (battery and
// firmware are only ever read).
constexpr TransferGroup kWrittenOfConfiguration[] = {Acceleration, ReportInterval, Macros, Power, Calibration};
} // namespace TransferGroups
