// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Enumerations that key the per-button, per-LED and polling-rate settings. They are
// plain 32-bit enumerations because the device layer passes the raw numbers through.
#include <cstdint>

enum tMouseButton : int32_t {
    MOUSE_BUTTON_LEFT = 1,
    MOUSE_BUTTON_RIGHT = 2,
    MOUSE_BUTTON_WHEEL = 3,
    MOUSE_BUTTON_4 = 4,
    MOUSE_BUTTON_5 = 5,
    MOUSE_BUTTON_10 = 10,
    MOUSE_BUTTON_11 = 11,
    MOUSE_BUTTON_WHEEL_UP = 12,
    MOUSE_BUTTON_WHEEL_DOWN = 13,
};

// One less than the light's number on the device (0..11).
enum tLEDType : int32_t {
    LED_SCROLL_WHEEL = 0,
    LED_BATTERY_INDICATOR = 2,
    LED_CHARGING_DOCK = 11,
};

enum tLEDEffect : int32_t {
    LED_EFFECT_FIXED_COLOUR = 0,
    LED_EFFECT_SPECTRUM_CYCLING = 5,
};

// Index into the rates the mouse supports; -1 until it has been read from the device.
enum tPollingRate : int32_t {
    POLLING_RATE_UNKNOWN = -1,
    POLLING_RATE_0 = 0,
    POLLING_RATE_1 = 1,
    POLLING_RATE_2 = 2,
};
