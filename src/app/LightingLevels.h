// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The brightness levels, slider positions and battery-life estimate of the
// lighting and power page. A value's level in a table of four entries is the
// number of entries strictly below it: 0 off, 1 dim, 2 normal, 3 bright.
#include <array>
#include <string_view>

using BrightnessTable = std::array<int, 4>;

namespace LightingLevel {
constexpr int Off = 0;
constexpr int Dim = 1;
constexpr int Normal = 2;
constexpr int Bright = 3;
} // namespace LightingLevel

// 0..3; values below the first entry (also negative ones) are level 0.
int LevelIn(const BrightnessTable& table, int value);
// "$Off", "$Dim", "$Normal" or "$Bright"; levels outside 0..3 are clamped.
std::u16string_view LevelNameKey(int level);

// LED brightness slider (percent): a stored percentage and a released position
// both go to 0, 29, 62 or 100, whose levels in the percent table are 0 to 3.
int LedBrightnessPosition(int value);
// The percentage stored for a level: 0, 33, 66 or 100.
unsigned LedBrightnessOfLevel(int level);

// Reduced-brightness slider (0..255): where a stored value is shown (0 for 0 and
// 1, 75 up to 117, 158 up to 207, else 255) ...
int ReducedBrightnessPlacement(int value);
// ... and where a released position snaps (0 below 38, 75 up to 117, 158 up to
// 207, else 255).
int ReducedBrightnessSnap(int position);
// The value stored for a level: 0, 75, 158 or 255.
unsigned ReducedBrightnessOfLevel(int level);

// Whole hours of battery life for a polling-rate index (0, 1, anything else) and
// the reduced-brightness level.
int EstimatedBatteryHours(int pollingRateIndex, int level);
