// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/DeviceValues.h"

std::optional<uint32_t> ReportIntervalFromRate(int32_t rate)
{
    switch (rate) {
    case 0:
        return 8;
    case 1:
        return 2;
    case 2:
        return 1;
    default:
        return std::nullopt;
    }
}

int32_t RateFromReportInterval(uint32_t milliseconds)
{
    switch (milliseconds) {
    case 8:
        return 0;
    case 2:
        return 1;
    case 1:
        return 2;
    default:
        return -1;
    }
}

uint32_t BatteryWarningToDevice(uint32_t percent, uint32_t minimum, uint32_t maximum)
{
    if (maximum <= minimum)
        return 0;
    return static_cast<uint32_t>(uint64_t(percent) * (maximum - minimum) / 100);
}

uint32_t BatteryWarningFromDevice(uint32_t value, uint32_t minimum, uint32_t maximum)
{
    if (maximum <= minimum)
        return 0;
    const uint64_t span = maximum - minimum;
    return static_cast<uint32_t>((uint64_t(value) * 200 + span) / (2 * span));
}

int32_t ChargingStateFromDevice(uint32_t state)
{
    return state <= 2 ? static_cast<int32_t>(state) : -1;
}

int32_t LedKeyFromLightNumber(uint32_t number)
{
    return number >= 1 && number <= 12 ? static_cast<int32_t>(number) - 1 : -1;
}

uint32_t EffectToDevice(int32_t effect)
{
    return effect >= 1 && effect <= 5 ? static_cast<uint32_t>(effect) : 0;
}
