// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/ScanCodes.h"

#include <array>

namespace {

struct EvdevKey {
    uint16_t evdev;
    Set1ScanCode set1;
};

constexpr Set1ScanCode Plain(uint16_t code)
{
    return {code, false, false};
}
constexpr Set1ScanCode E0(uint16_t code)
{
    return {code, true, false};
}

// Keys beyond the first block, where evdev and set 1 no longer agree.
constexpr std::array kExtraKeys = {
    EvdevKey{86, Plain(0x56)},          // the 102nd key
    EvdevKey{87, Plain(0x57)},          // F11
    EvdevKey{88, Plain(0x58)},          // F12
    EvdevKey{89, Plain(0x73)},          // Ro
    EvdevKey{92, Plain(0x79)},          // Henkan
    EvdevKey{93, Plain(0x70)},          // Katakana/Hiragana
    EvdevKey{94, Plain(0x7B)},          // Muhenkan
    EvdevKey{95, Plain(0x5C)},          // keypad Japanese comma
    EvdevKey{96, E0(0x1C)},             // keypad Enter
    EvdevKey{97, E0(0x1D)},             // right Ctrl
    EvdevKey{98, E0(0x35)},             // keypad /
    EvdevKey{99, E0(0x37)},             // Print Screen
    EvdevKey{100, E0(0x38)},            // right Alt
    EvdevKey{102, E0(0x47)},            // Home
    EvdevKey{103, E0(0x48)},            // Up
    EvdevKey{104, E0(0x49)},            // Page Up
    EvdevKey{105, E0(0x4B)},            // Left
    EvdevKey{106, E0(0x4D)},            // Right
    EvdevKey{107, E0(0x4F)},            // End
    EvdevKey{108, E0(0x50)},            // Down
    EvdevKey{109, E0(0x51)},            // Page Down
    EvdevKey{110, E0(0x52)},            // Insert
    EvdevKey{111, E0(0x53)},            // Delete
    EvdevKey{113, E0(0x20)},            // Mute
    EvdevKey{114, E0(0x2E)},            // Volume Down
    EvdevKey{115, E0(0x30)},            // Volume Up
    EvdevKey{116, E0(0x5E)},            // Power
    EvdevKey{117, Plain(0x59)},         // keypad =
    EvdevKey{119, {0x1D, false, true}}, // Pause
    EvdevKey{121, Plain(0x7E)},         // keypad comma
    EvdevKey{124, Plain(0x7D)},         // Yen
    EvdevKey{125, E0(0x5B)},            // left GUI
    EvdevKey{126, E0(0x5C)},            // right GUI
    EvdevKey{127, E0(0x5D)},            // application (menu) key
    EvdevKey{128, E0(0x68)},            // Stop
    EvdevKey{140, E0(0x21)},            // Calculator
    EvdevKey{142, E0(0x5F)},            // Sleep
    EvdevKey{143, E0(0x63)},            // Wake
    EvdevKey{155, E0(0x6C)},            // Mail
    EvdevKey{156, E0(0x66)},            // Bookmarks
    EvdevKey{158, E0(0x6A)},            // Back
    EvdevKey{159, E0(0x69)},            // Forward
    EvdevKey{163, E0(0x19)},            // Next track
    EvdevKey{164, E0(0x22)},            // Play/Pause
    EvdevKey{165, E0(0x10)},            // Previous track
    EvdevKey{166, E0(0x24)},            // Stop media
    EvdevKey{172, E0(0x32)},            // Home page
    EvdevKey{173, E0(0x67)},            // Refresh
    EvdevKey{183, Plain(0x64)},         // F13
    EvdevKey{184, Plain(0x65)},         // F14
    EvdevKey{185, Plain(0x66)},         // F15
    EvdevKey{186, Plain(0x67)},         // F16
    EvdevKey{187, Plain(0x68)},         // F17
    EvdevKey{188, Plain(0x69)},         // F18
    EvdevKey{189, Plain(0x6A)},         // F19
    EvdevKey{190, Plain(0x6B)},         // F20
    EvdevKey{191, Plain(0x6C)},         // F21
    EvdevKey{192, Plain(0x6D)},         // F22
    EvdevKey{193, Plain(0x6E)},         // F23
    EvdevKey{194, Plain(0x76)},         // F24
    EvdevKey{217, E0(0x65)},            // Search
};

// Evdev codes 1 (Esc) to 83 (keypad .) are the set-1 make codes themselves: the
// input layer numbered the keys after the original keyboard's codes.
constexpr uint16_t kLastIdentityCode = 83;

} // namespace

std::optional<Set1ScanCode> Set1FromEvdev(uint32_t evdevCode)
{
    if (evdevCode >= 1 && evdevCode <= kLastIdentityCode)
        return Plain(uint16_t(evdevCode));
    for (const EvdevKey& key : kExtraKeys) {
        if (key.evdev == evdevCode)
            return key.set1;
    }
    return std::nullopt;
}

uint32_t EvdevFromSet1(Set1ScanCode code)
{
    if (!code.e0 && !code.e1 && code.makeCode >= 1 && code.makeCode <= kLastIdentityCode)
        return code.makeCode;
    for (const EvdevKey& key : kExtraKeys) {
        if (key.set1 == code)
            return key.evdev;
    }
    return 0;
}
