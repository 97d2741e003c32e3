// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Translation between the key numbers the Linux input layer reports (evdev codes;
// X11 and Wayland key codes are these plus 8) and the set-1 make codes with E0/E1
// prefixes that keystroke records, key definitions and the device use.
#include <cstdint>
#include <optional>

struct Set1ScanCode {
    uint16_t makeCode = 0; // without prefix
    bool e0 = false;       // extended key (E0 prefix)
    bool e1 = false;       // E1 prefix (only Pause)
    friend bool operator==(const Set1ScanCode&, const Set1ScanCode&) = default;
};

// Offset between X11/Wayland key codes (Qt's native scan code there) and evdev codes.
constexpr uint32_t kXkbKeycodeOffset = 8;

std::optional<Set1ScanCode> Set1FromEvdev(uint32_t evdevCode);
// The evdev code of a set-1 key (0 when none), e.g. for building input events in tests.
uint32_t EvdevFromSet1(Set1ScanCode code);
