// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/BatteryDisplay.h"

#include <algorithm>

int HighestSegmentForLevel(unsigned level, int deviceCode)
{
    if (deviceCode == 4 || deviceCode == 8) {
        // The earlier generation reports percent; 100 would make a fifth segment.
        return int(std::min(level, 99u) / 25);
    }
    if (level >= 255)
        return 3;
    if (level >= 178)
        return 2;
    if (level >= 76)
        return 1;
    return 0;
}

std::array<bool, 4> CBatteryDisplay::Refresh(int32_t chargingState, unsigned level, int deviceCode)
{
    int highest = -1;
    if (chargingState == 1) {
        animationStep_ = (animationStep_ + 1) % 4;
        highest = animationStep_;
    } else if (chargingState == 0) {
        highest = HighestSegmentForLevel(level, deviceCode);
    }
    std::array<bool, 4> lit{};
    for (int i = 0; i < 4; ++i)
        lit[size_t(i)] = switchedOn_ && i <= highest;
    return lit;
}
