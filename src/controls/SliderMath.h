// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The value arithmetic of the sliders, kept apart from the windows so that the
// numbers are the same wherever a slider is drawn.
#include <cstdint>

#include "platform/core/WinTypes.h"

// Nearest integer, halves rounded up (0.5 -> 1, -0.5 -> 0).
int64_t RoundHalfUp(double value);

struct SliderScale {
    int min = 1;
    int max = 32;
    float step = 1.0f;

    // A step that is not positive or is greater than max is taken as 1.
    static float SaneStep(float step, int max);
    // Positions run from 0 to this; a range that is empty or reversed has the single
    // position 0, and a step so small that positions would not fit in 32 bits is
    // refused by clamping the count.
    uint32_t MaxPosition() const;
    uint32_t PositionOfValue(double value) const;
    int ValueOfPosition(uint32_t position) const;
    // min + position * step, unrounded (what steps below 1 report and show).
    float ExactValueOfPosition(uint32_t position) const;
    // The value carried in wParam: the integer value when step >= 1, else the bit
    // pattern of the 32-bit float min + position * step.
    WPARAM MessageValue(uint32_t position) const;
};

// The float a slider message carries in wParam when its step is below 1.
float FloatFromMessageValue(WPARAM wParam);
