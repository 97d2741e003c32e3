// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings of one LED as a profile keeps them.
#include "settings/MouseTypes.h"

#include <cstdint>

struct LedRecord {
    static constexpr uint32_t kMaxBrightness = 100;

    bool on = false;
    uint32_t colour = 0;
    tLEDEffect effect = LED_EFFECT_FIXED_COLOUR;
    uint32_t brightness = kMaxBrightness;

    friend bool operator==(const LedRecord&, const LedRecord&) = default;
};
