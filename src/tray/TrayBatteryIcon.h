// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tray's battery picture. It is made from the main window's own battery: the
// outline on the main page's background and its four segment bitmaps, lit as the
// main window lights them. When the skin does not give that battery, a drawn one
// in the skin's colours stands in.
#include "device/DeviceSnapshot.h"

#include <QImage>
#include <QRect>
#include <QString>

#include <array>
#include <optional>

// The battery level in percent: the current generation reports 0..255, the
// earlier one percent. Nothing when the level is unknown.
std::optional<int> BatteryPercent(const DeviceSnapshot& snapshot);

// Whether the level is below the device's warning level.
bool IsBatteryLow(const DeviceSnapshot& snapshot);
// Whether the mouse is charging (not merely resting on a full charger).
bool IsBatteryCharging(const DeviceSnapshot& snapshot);

// The drawn picture: a battery filled to the level, a bolt while charging, red
// below the warning level, grey without a device.
QImage DrawBatteryImage(const std::optional<DeviceSnapshot>& snapshot, int size);

class CSkinBatteryLook {
public:
    // Reads the main page's battery (items BATTERY_LEVEL0..3 with their rectangles
    // and bitmap, and the background they sit on) from the application directory.
    // Nothing, with the reason in `why`, when the page, an item or an image is
    // missing or does not fit.
    static std::optional<CSkinBatteryLook> Load(QString& why);

    // A square picture of `size` pixels; the battery keeps its proportions.
    QImage Draw(const std::optional<DeviceSnapshot>& snapshot, int size) const;

private:
    QImage frame_;                  // the background around the segments, with the outline
    QImage segment_;                // the lit segment
    std::array<QRect, 4> segments_; // within frame_
};

// The skin's picture when `look` is given, else the drawn one.
QImage BatteryIconImage(const CSkinBatteryLook* look, const std::optional<DeviceSnapshot>& snapshot, int size);
