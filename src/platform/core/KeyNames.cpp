// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/KeyNames.h"

#include <array>

namespace {

struct KeyName {
    uint16_t scan; // set-1 make code; 0xE0xx for extended keys
    const char16_t* name;
};

// Names follow what is printed on a US keyboard. As on the platform the program
// was written for, 0x45 alone is Pause and with the extended bit Num Lock; the
// key-name lookup of recorded keys relies on that pairing.
constexpr std::array kNames = {
    KeyName{0x01, u"Esc"},         KeyName{0x02, u"1"},           KeyName{0x03, u"2"},
    KeyName{0x04, u"3"},           KeyName{0x05, u"4"},           KeyName{0x06, u"5"},
    KeyName{0x07, u"6"},           KeyName{0x08, u"7"},           KeyName{0x09, u"8"},
    KeyName{0x0A, u"9"},           KeyName{0x0B, u"0"},           KeyName{0x0C, u"-"},
    KeyName{0x0D, u"="},           KeyName{0x0E, u"Backspace"},   KeyName{0x0F, u"Tab"},
    KeyName{0x10, u"Q"},           KeyName{0x11, u"W"},           KeyName{0x12, u"E"},
    KeyName{0x13, u"R"},           KeyName{0x14, u"T"},           KeyName{0x15, u"Y"},
    KeyName{0x16, u"U"},           KeyName{0x17, u"I"},           KeyName{0x18, u"O"},
    KeyName{0x19, u"P"},           KeyName{0x1A, u"["},           KeyName{0x1B, u"]"},
    KeyName{0x1C, u"Enter"},       KeyName{0x1D, u"Ctrl"},        KeyName{0x1E, u"A"},
    KeyName{0x1F, u"S"},           KeyName{0x20, u"D"},           KeyName{0x21, u"F"},
    KeyName{0x22, u"G"},           KeyName{0x23, u"H"},           KeyName{0x24, u"J"},
    KeyName{0x25, u"K"},           KeyName{0x26, u"L"},           KeyName{0x27, u";"},
    KeyName{0x28, u"'"},           KeyName{0x29, u"`"},           KeyName{0x2A, u"Shift"},
    KeyName{0x2B, u"\\"},          KeyName{0x2C, u"Z"},           KeyName{0x2D, u"X"},
    KeyName{0x2E, u"C"},           KeyName{0x2F, u"V"},           KeyName{0x30, u"B"},
    KeyName{0x31, u"N"},           KeyName{0x32, u"M"},           KeyName{0x33, u","},
    KeyName{0x34, u"."},           KeyName{0x35, u"/"},           KeyName{0x36, u"Right Shift"},
    KeyName{0x37, u"Num *"},       KeyName{0x38, u"Alt"},         KeyName{0x39, u"Space"},
    KeyName{0x3A, u"Caps Lock"},   KeyName{0x3B, u"F1"},          KeyName{0x3C, u"F2"},
    KeyName{0x3D, u"F3"},          KeyName{0x3E, u"F4"},          KeyName{0x3F, u"F5"},
    KeyName{0x40, u"F6"},          KeyName{0x41, u"F7"},          KeyName{0x42, u"F8"},
    KeyName{0x43, u"F9"},          KeyName{0x44, u"F10"},         KeyName{0x45, u"Pause"},
    KeyName{0x46, u"Scroll Lock"}, KeyName{0x47, u"Num 7"},       KeyName{0x48, u"Num 8"},
    KeyName{0x49, u"Num 9"},       KeyName{0x4A, u"Num -"},       KeyName{0x4B, u"Num 4"},
    KeyName{0x4C, u"Num 5"},       KeyName{0x4D, u"Num 6"},       KeyName{0x4E, u"Num +"},
    KeyName{0x4F, u"Num 1"},       KeyName{0x50, u"Num 2"},       KeyName{0x51, u"Num 3"},
    KeyName{0x52, u"Num 0"},       KeyName{0x53, u"Num Del"},     KeyName{0x54, u"Sys Req"},
    KeyName{0x56, u"102nd Key"},   KeyName{0x57, u"F11"},         KeyName{0x58, u"F12"},
    KeyName{0x64, u"F13"},         KeyName{0x65, u"F14"},         KeyName{0x66, u"F15"},
    KeyName{0x67, u"F16"},         KeyName{0x68, u"F17"},         KeyName{0x69, u"F18"},
    KeyName{0x6A, u"F19"},         KeyName{0x6B, u"F20"},         KeyName{0x6C, u"F21"},
    KeyName{0x6D, u"F22"},         KeyName{0x6E, u"F23"},         KeyName{0x76, u"F24"},
    KeyName{0x7E, u"Num ,"},       KeyName{0xE01C, u"Num Enter"}, KeyName{0xE01D, u"Right Ctrl"},
    KeyName{0xE035, u"Num /"},     KeyName{0xE037, u"Prnt Scrn"}, KeyName{0xE038, u"Right Alt"},
    KeyName{0xE045, u"Num Lock"},  KeyName{0xE046, u"Break"},     KeyName{0xE047, u"Home"},
    KeyName{0xE048, u"Up"},        KeyName{0xE049, u"Page Up"},   KeyName{0xE04B, u"Left"},
    KeyName{0xE04D, u"Right"},     KeyName{0xE04F, u"End"},       KeyName{0xE050, u"Down"},
    KeyName{0xE051, u"Page Down"}, KeyName{0xE052, u"Insert"},    KeyName{0xE053, u"Delete"},
    KeyName{0xE05B, u"Left GUI"},  KeyName{0xE05C, u"Right GUI"}, KeyName{0xE05D, u"App"},
    KeyName{0xE07E, u"Num ,"},
};

} // namespace

std::u16string KeyNameForScanCode(UINT scanCode, bool extended)
{
    const UINT key = (scanCode & 0xFF) | (extended ? 0xE000u : 0u);
    if ((scanCode & 0xFF) == 0)
        return {};
    for (const KeyName& entry : kNames) {
        if (entry.scan == key)
            return entry.name;
    }
    return {};
}

std::u16string GetKeyNameText(LPARAM lParam)
{
    return KeyNameForScanCode(UINT((lParam >> 16) & 0xFF), (lParam & KEY_EXTENDED_BIT) != 0);
}
