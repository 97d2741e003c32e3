// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The four battery segments of the main window: which are lit for a charging
// state and level, with the charging animation and the two level scales (percent
// for the earlier generation, 0..255 for the current one).
#include <array>
#include <cstdint>

// The highest lit segment (0..3) for a level; -1 never happens for a read level.
int HighestSegmentForLevel(unsigned level, int deviceCode);

class CBatteryDisplay {
public:
    // Advances the animation when charging. Returns the lit state of segments 0..3.
    std::array<bool, 4> Refresh(int32_t chargingState, unsigned level, int deviceCode);

    // Switched on once a battery status has been read.
    void SetSwitchedOn(bool on) { switchedOn_ = on; }
    bool IsSwitchedOn() const { return switchedOn_; }
    int AnimationStep() const { return animationStep_; }

private:
    int animationStep_ = 0;
    bool switchedOn_ = false;
};
