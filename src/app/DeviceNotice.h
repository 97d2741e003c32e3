// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the user is told when the device could not be used. The device server
// records the problems a person can mend (its memory file is damaged, its
// directory cannot be written); those get a notice of their own naming the
// file, instead of "no mouse found" or a bare "write failed".
#include <string_view>

class QWidget;

// Runs "DamagedDataPopup.xml" (heading extended with the file's name) or
// "ReadOnlyDevicesPopup.xml" (with the directory) when the server recorded such
// a problem since the last notice, else `fallbackSkin`. Returns the popup's result.
int RunDeviceNotice(std::u16string_view fallbackSkin, QWidget* parent);
// Runs the notice of a recorded problem, if any; false (and nothing shown) when
// the server recorded none.
bool RunDeviceProblemNotice(QWidget* parent);
