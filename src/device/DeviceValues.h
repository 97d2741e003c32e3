// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Conversions between the values the configuration keeps and those the device
// takes.
#include <cstdint>
#include <optional>

// Polling-rate index (0, 1, 2) <-> report interval in milliseconds (8, 2, 1).
std::optional<uint32_t> ReportIntervalFromRate(int32_t rate);
// -1 for an interval the configuration has no index for.
int32_t RateFromReportInterval(uint32_t milliseconds);

// Battery warning level: the configuration keeps a percentage, the device a level
// on the battery's own scale [minimum, maximum].
uint32_t BatteryWarningToDevice(uint32_t percent, uint32_t minimum, uint32_t maximum);
// Rounded to the nearest percent, halves up; 0 for an empty range.
uint32_t BatteryWarningFromDevice(uint32_t value, uint32_t minimum, uint32_t maximum);

// Charging state as the device reports it: 0, 1 or 2; anything else is -1.
int32_t ChargingStateFromDevice(uint32_t state);

// LED key of a device light number (1..12 -> LED key 0..11, else -1).
int32_t LedKeyFromLightNumber(uint32_t number);
// Effects 1..5 are sent as they are, anything else as 0 (fixed colour).
uint32_t EffectToDevice(int32_t effect);
