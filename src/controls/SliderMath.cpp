// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/SliderMath.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>

int64_t RoundHalfUp(double value)
{
    return static_cast<int64_t>(std::floor(value + 0.5));
}

float SliderScale::SaneStep(float step, int max)
{
    if (!(step > 0.0f) || step > float(max))
        return 1.0f;
    return step;
}

uint32_t SliderScale::MaxPosition() const
{
    if (max <= min)
        return 0;
    const double positions = std::floor((double(max) - double(min)) / double(step) + 0.5);
    return uint32_t(std::min(positions, double(std::numeric_limits<int32_t>::max())));
}

uint32_t SliderScale::PositionOfValue(double value) const
{
    const double clamped = std::clamp(value, double(min), double(std::max(min, max)));
    const int64_t position = RoundHalfUp((clamped - double(min)) / double(step));
    return uint32_t(std::clamp<int64_t>(position, 0, MaxPosition()));
}

int SliderScale::ValueOfPosition(uint32_t position) const
{
    const int64_t value = int64_t(min) + RoundHalfUp(double(position) * double(step));
    return int(std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

float SliderScale::ExactValueOfPosition(uint32_t position) const
{
    return float(min) + float(position) * step;
}

WPARAM SliderScale::MessageValue(uint32_t position) const
{
    if (step >= 1.0f)
        return WPARAM(uint32_t(ValueOfPosition(position)));
    return WPARAM(std::bit_cast<uint32_t>(ExactValueOfPosition(position)));
}

float FloatFromMessageValue(WPARAM wParam)
{
    return std::bit_cast<float>(uint32_t(wParam));
}
