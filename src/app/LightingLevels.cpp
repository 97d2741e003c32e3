// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LightingLevels.h"

#include <algorithm>
#include <cmath>

namespace {

int ClampLevel(int level)
{
    return std::clamp(level, LightingLevel::Off, LightingLevel::Bright);
}

} // namespace

int LevelIn(const BrightnessTable& table, int value)
{
    return int(std::count_if(table.begin(), table.end(), [value](int entry) { return entry < value; }));
}

std::u16string_view LevelNameKey(int level)
{
    static constexpr std::u16string_view kNames[] = {u"$Off", u"$Dim", u"$Normal", u"$Bright"};
    return kNames[ClampLevel(level)];
}

int LedBrightnessPosition(int value)
{
    if (value < 16)
        return 0;
    if (value < 47)
        return 29;
    if (value < 83)
        return 62;
    return 100;
}

unsigned LedBrightnessOfLevel(int level)
{
    static constexpr unsigned kPercent[] = {0, 33, 66, 100};
    return kPercent[ClampLevel(level)];
}

int ReducedBrightnessPlacement(int value)
{
    if (value > 207)
        return 255;
    if (value > 117)
        return 158;
    if (value >= 2)
        return 75;
    return 0;
}

int ReducedBrightnessSnap(int position)
{
    if (position < 38)
        return 0;
    if (position <= 117)
        return 75;
    if (position <= 207)
        return 158;
    return 255;
}

unsigned ReducedBrightnessOfLevel(int level)
{
    static constexpr unsigned kValues[] = {0, 75, 158, 255};
    return kValues[ClampLevel(level)];
}

int EstimatedBatteryHours(int pollingRateIndex, int level)
{
    static constexpr double kBrightnessFactor[] = {0.0, 0.33, 0.66, 1.0};
    double base = 87.8;
    if (pollingRateIndex == 0)
        base = 69.3;
    else if (pollingRateIndex == 1)
        base = 83.3;
    return int(std::trunc(1000.0 / (base + kBrightnessFactor[ClampLevel(level)] * 45.0)));
}
