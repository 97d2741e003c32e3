// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A human-readable description of a device's memory, for the command-line tool.
#include "emulator/DeviceImage.h"

#include <string>

namespace emulator {

std::string DescribeImage(const DeviceImage& image);

} // namespace emulator
