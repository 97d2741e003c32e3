// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One row per keyboard key of the name list: name, USB usage, virtual-key code and
// the set-1 make sequence without its prefix. Internal to the keyboard library.
#include <cstdint>
#include <span>
#include <string_view>

struct StandardKey {
    std::u16string_view name;
    uint16_t usbUsage;
    uint16_t virtualKey;
    uint8_t prefix; // 0, 0xE0 or 0xE1
    uint8_t make[2];
    uint8_t makeLength;
    bool onlyWithF23F24;
};

std::span<const StandardKey> StandardKeyTable();
