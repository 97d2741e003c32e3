// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Vendor and product ids from a device path such as "\\?\HID#VID_2E7A&PID_0031#...":
// the (up to) four hexadecimal characters after "VID_" or "PID_", letter case
// ignored; 0 when the marker is absent or what follows it is not an id of four
// hexadecimal digits at most (a minus sign, say).
#include <cstdint>
#include <string_view>

uint32_t VendorIdFromPath(std::u16string_view path);
uint32_t ProductIdFromPath(std::u16string_view path);
