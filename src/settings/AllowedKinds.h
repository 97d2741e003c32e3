// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The assignment kinds a button may take, in the order its menu offers them.
#include "settings/MouseTypes.h"

#include <cstdint>
#include <span>

namespace AllowedKinds {

// Any button but the wheel directions.
std::span<const int32_t> General();
// The same with the temporary sensitivity, which only the current generation has.
std::span<const int32_t> GeneralWithTemporarySensitivity();
// Wheel up and wheel down.
std::span<const int32_t> Wheel();

bool IsWheelDirection(tMouseButton button);

// What an earlier-generation mouse offers for the button: the wheel list for the
// wheel directions, the general list (never the temporary sensitivity) otherwise.
std::span<const int32_t> ForEarlierGeneration(tMouseButton button);

} // namespace AllowedKinds
