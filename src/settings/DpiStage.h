// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One sensitivity (DPI) setting: a single value, or separate X and Y values.
#include <cstdint>

struct DpiStage {
    uint32_t dpi = 0;
    uint32_t x = 0;
    uint32_t y = 0;
    bool separate = false;

    friend bool operator==(const DpiStage&, const DpiStage&) = default;
};

// Equality as the device sees it: only the values in effect count, so the X and Y
// of a combined stage (or the single value of a separate one) are ignored.
bool SameEffectiveSensitivity(const DpiStage& a, const DpiStage& b);
