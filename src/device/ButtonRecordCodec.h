// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversion between an assignment record of the settings model and the 32-byte
// action record the device's buttons interface takes.
#include "device/server/IDeviceButtons.h"
#include "settings/AssignmentRecord.h"

// The record for an assignment: the kind's template completed from the payload
// words; an all-zero record for a kind without a template (and for unset).
ButtonRecord MakeButtonRecord(const AssignmentRecord& assignment);

// The assignment a device record stands for; unset for an all-zero or unknown record.
AssignmentRecord AssignmentFromButtonRecord(const ButtonRecord& record);

// Set in the modifier word of a single-key record when the key is Pause
// (virtual-key code 19), which the device tells from Num Lock only by this bit.
constexpr uint32_t kSingleKeyPauseBit = 0x1000000;
