// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/core/VirtualKeys.h"

#include <array>

namespace {

struct ScanKey {
    uint16_t scan; // set-1 make code; 0xE0xx for extended keys, 0xE11D for Pause
    UINT vk;       // left and right not told apart
    UINT vkEx;     // left and right told apart
};

// US layout. The keypad keys map to their navigation meaning, as a scan code
// alone does not say whether Num Lock is on.
constexpr std::array kKeys = {
    ScanKey{0x01, VK_ESCAPE, VK_ESCAPE},
    ScanKey{0x02, '1', '1'},
    ScanKey{0x03, '2', '2'},
    ScanKey{0x04, '3', '3'},
    ScanKey{0x05, '4', '4'},
    ScanKey{0x06, '5', '5'},
    ScanKey{0x07, '6', '6'},
    ScanKey{0x08, '7', '7'},
    ScanKey{0x09, '8', '8'},
    ScanKey{0x0A, '9', '9'},
    ScanKey{0x0B, '0', '0'},
    ScanKey{0x0C, VK_OEM_MINUS, VK_OEM_MINUS},
    ScanKey{0x0D, VK_OEM_PLUS, VK_OEM_PLUS},
    ScanKey{0x0E, VK_BACK, VK_BACK},
    ScanKey{0x0F, VK_TAB, VK_TAB},
    ScanKey{0x10, 'Q', 'Q'},
    ScanKey{0x11, 'W', 'W'},
    ScanKey{0x12, 'E', 'E'},
    ScanKey{0x13, 'R', 'R'},
    ScanKey{0x14, 'T', 'T'},
    ScanKey{0x15, 'Y', 'Y'},
    ScanKey{0x16, 'U', 'U'},
    ScanKey{0x17, 'I', 'I'},
    ScanKey{0x18, 'O', 'O'},
    ScanKey{0x19, 'P', 'P'},
    ScanKey{0x1A, VK_OEM_4, VK_OEM_4},
    ScanKey{0x1B, VK_OEM_6, VK_OEM_6},
    ScanKey{0x1C, VK_RETURN, VK_RETURN},
    ScanKey{0x1D, VK_CONTROL, VK_LCONTROL},
    ScanKey{0x1E, 'A', 'A'},
    ScanKey{0x1F, 'S', 'S'},
    ScanKey{0x20, 'D', 'D'},
    ScanKey{0x21, 'F', 'F'},
    ScanKey{0x22, 'G', 'G'},
    ScanKey{0x23, 'H', 'H'},
    ScanKey{0x24, 'J', 'J'},
    ScanKey{0x25, 'K', 'K'},
    ScanKey{0x26, 'L', 'L'},
    ScanKey{0x27, VK_OEM_1, VK_OEM_1},
    ScanKey{0x28, VK_OEM_7, VK_OEM_7},
    ScanKey{0x29, VK_OEM_3, VK_OEM_3},
    ScanKey{0x2A, VK_SHIFT, VK_LSHIFT},
    ScanKey{0x2B, VK_OEM_5, VK_OEM_5},
    ScanKey{0x2C, 'Z', 'Z'},
    ScanKey{0x2D, 'X', 'X'},
    ScanKey{0x2E, 'C', 'C'},
    ScanKey{0x2F, 'V', 'V'},
    ScanKey{0x30, 'B', 'B'},
    ScanKey{0x31, 'N', 'N'},
    ScanKey{0x32, 'M', 'M'},
    ScanKey{0x33, VK_OEM_COMMA, VK_OEM_COMMA},
    ScanKey{0x34, VK_OEM_PERIOD, VK_OEM_PERIOD},
    ScanKey{0x35, VK_OEM_2, VK_OEM_2},
    ScanKey{0x36, VK_SHIFT, VK_RSHIFT},
    ScanKey{0x37, VK_MULTIPLY, VK_MULTIPLY},
    ScanKey{0x38, VK_MENU, VK_LMENU},
    ScanKey{0x39, VK_SPACE, VK_SPACE},
    ScanKey{0x3A, VK_CAPITAL, VK_CAPITAL},
    ScanKey{0x3B, VK_F1 + 0, VK_F1 + 0},
    ScanKey{0x3C, VK_F1 + 1, VK_F1 + 1},
    ScanKey{0x3D, VK_F1 + 2, VK_F1 + 2},
    ScanKey{0x3E, VK_F1 + 3, VK_F1 + 3},
    ScanKey{0x3F, VK_F1 + 4, VK_F1 + 4},
    ScanKey{0x40, VK_F1 + 5, VK_F1 + 5},
    ScanKey{0x41, VK_F1 + 6, VK_F1 + 6},
    ScanKey{0x42, VK_F1 + 7, VK_F1 + 7},
    ScanKey{0x43, VK_F1 + 8, VK_F1 + 8},
    ScanKey{0x44, VK_F1 + 9, VK_F1 + 9},
    ScanKey{0x45, VK_NUMLOCK, VK_NUMLOCK},
    ScanKey{0x46, VK_SCROLL, VK_SCROLL},
    ScanKey{0x47, VK_HOME, VK_HOME},
    ScanKey{0x48, VK_UP, VK_UP},
    ScanKey{0x49, VK_PRIOR, VK_PRIOR},
    ScanKey{0x4A, VK_SUBTRACT, VK_SUBTRACT},
    ScanKey{0x4B, VK_LEFT, VK_LEFT},
    ScanKey{0x4C, VK_CLEAR, VK_CLEAR},
    ScanKey{0x4D, VK_RIGHT, VK_RIGHT},
    ScanKey{0x4E, VK_ADD, VK_ADD},
    ScanKey{0x4F, VK_END, VK_END},
    ScanKey{0x50, VK_DOWN, VK_DOWN},
    ScanKey{0x51, VK_NEXT, VK_NEXT},
    ScanKey{0x52, VK_INSERT, VK_INSERT},
    ScanKey{0x53, VK_DELETE, VK_DELETE},
    ScanKey{0x54, VK_SNAPSHOT, VK_SNAPSHOT},
    ScanKey{0x56, VK_OEM_102, VK_OEM_102},
    ScanKey{0x57, VK_F1 + 10, VK_F1 + 10},
    ScanKey{0x58, VK_F1 + 11, VK_F1 + 11},
    ScanKey{0x64, VK_F1 + 12, VK_F1 + 12},
    ScanKey{0x65, VK_F1 + 13, VK_F1 + 13},
    ScanKey{0x66, VK_F1 + 14, VK_F1 + 14},
    ScanKey{0x67, VK_F1 + 15, VK_F1 + 15},
    ScanKey{0x68, VK_F1 + 16, VK_F1 + 16},
    ScanKey{0x69, VK_F1 + 17, VK_F1 + 17},
    ScanKey{0x6A, VK_F1 + 18, VK_F1 + 18},
    ScanKey{0x6B, VK_F1 + 19, VK_F1 + 19},
    ScanKey{0x6C, VK_F1 + 20, VK_F1 + 20},
    ScanKey{0x6D, VK_F1 + 21, VK_F1 + 21},
    ScanKey{0x6E, VK_F1 + 22, VK_F1 + 22},
    ScanKey{0x73, VK_ABNT_C1, VK_ABNT_C1},
    ScanKey{0x76, VK_F24, VK_F24},
    ScanKey{0x7E, VK_ABNT_C2, VK_ABNT_C2},
    ScanKey{0xE010, VK_MEDIA_PREV_TRACK, VK_MEDIA_PREV_TRACK},
    ScanKey{0xE019, VK_MEDIA_NEXT_TRACK, VK_MEDIA_NEXT_TRACK},
    ScanKey{0xE01C, VK_RETURN, VK_RETURN},
    ScanKey{0xE01D, VK_CONTROL, VK_RCONTROL},
    ScanKey{0xE020, VK_VOLUME_MUTE, VK_VOLUME_MUTE},
    ScanKey{0xE021, VK_LAUNCH_APP2, VK_LAUNCH_APP2},
    ScanKey{0xE022, VK_MEDIA_PLAY_PAUSE, VK_MEDIA_PLAY_PAUSE},
    ScanKey{0xE024, VK_MEDIA_STOP, VK_MEDIA_STOP},
    ScanKey{0xE02E, VK_VOLUME_DOWN, VK_VOLUME_DOWN},
    ScanKey{0xE030, VK_VOLUME_UP, VK_VOLUME_UP},
    ScanKey{0xE032, VK_BROWSER_HOME, VK_BROWSER_HOME},
    ScanKey{0xE035, VK_DIVIDE, VK_DIVIDE},
    ScanKey{0xE037, VK_SNAPSHOT, VK_SNAPSHOT},
    ScanKey{0xE038, VK_MENU, VK_RMENU},
    ScanKey{0xE047, VK_HOME, VK_HOME},
    ScanKey{0xE048, VK_UP, VK_UP},
    ScanKey{0xE049, VK_PRIOR, VK_PRIOR},
    ScanKey{0xE04B, VK_LEFT, VK_LEFT},
    ScanKey{0xE04D, VK_RIGHT, VK_RIGHT},
    ScanKey{0xE04F, VK_END, VK_END},
    ScanKey{0xE050, VK_DOWN, VK_DOWN},
    ScanKey{0xE051, VK_NEXT, VK_NEXT},
    ScanKey{0xE052, VK_INSERT, VK_INSERT},
    ScanKey{0xE053, VK_DELETE, VK_DELETE},
    ScanKey{0xE05B, VK_LWIN, VK_LWIN},
    ScanKey{0xE05C, VK_RWIN, VK_RWIN},
    ScanKey{0xE05D, VK_APPS, VK_APPS},
    ScanKey{0xE05F, VK_SLEEP, VK_SLEEP},
    ScanKey{0xE065, VK_BROWSER_SEARCH, VK_BROWSER_SEARCH},
    ScanKey{0xE066, VK_BROWSER_FAVORITES, VK_BROWSER_FAVORITES},
    ScanKey{0xE067, VK_BROWSER_REFRESH, VK_BROWSER_REFRESH},
    ScanKey{0xE068, VK_BROWSER_STOP, VK_BROWSER_STOP},
    ScanKey{0xE069, VK_BROWSER_FORWARD, VK_BROWSER_FORWARD},
    ScanKey{0xE06A, VK_BROWSER_BACK, VK_BROWSER_BACK},
    ScanKey{0xE06C, VK_LAUNCH_MAIL, VK_LAUNCH_MAIL},
    ScanKey{0xE11D, VK_PAUSE, VK_PAUSE},
};

const ScanKey* FindByScan(UINT scan)
{
    for (const ScanKey& key : kKeys) {
        if (key.scan == scan)
            return &key;
    }
    return nullptr;
}

// The virtual key that stands for both sides, so that VK_LSHIFT finds 0x2A.
UINT FoldSides(UINT vk)
{
    switch (vk) {
    case VK_LSHIFT:
    case VK_RSHIFT:
        return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
        return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
        return VK_MENU;
    default:
        return vk;
    }
}

} // namespace

UINT MapVirtualKey(UINT code, UINT mapType)
{
    switch (mapType) {
    case MAPVK_VSC_TO_VK:
    case MAPVK_VSC_TO_VK_EX: {
        const ScanKey* key = FindByScan(code);
        if (!key)
            return 0;
        return mapType == MAPVK_VSC_TO_VK_EX ? key->vkEx : key->vk;
    }
    case MAPVK_VK_TO_VSC:
    case MAPVK_VK_TO_VSC_EX: {
        if (code == 0)
            return 0;
        // A side-specific key finds its own scan code; a generic one finds the left key.
        for (const ScanKey& key : kKeys) {
            if (key.vkEx == code || (key.vk == code && FoldSides(code) == code))
                return mapType == MAPVK_VK_TO_VSC_EX ? key.scan : (key.scan & 0xFF);
        }
        return 0;
    }
    default:
        return 0;
    }
}
