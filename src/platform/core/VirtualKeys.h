// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Virtual-key codes, the layout-independent key numbers that keystroke records,
// key assignments and raw keyboard input carry, and the mapping between them and
// set-1 scan codes for a US layout.
#include "platform/core/WinTypes.h"

constexpr UINT VK_LBUTTON = 0x01;
constexpr UINT VK_RBUTTON = 0x02;
constexpr UINT VK_MBUTTON = 0x04;
constexpr UINT VK_XBUTTON1 = 0x05;
constexpr UINT VK_XBUTTON2 = 0x06;
constexpr UINT VK_BACK = 0x08;
constexpr UINT VK_TAB = 0x09;
constexpr UINT VK_CLEAR = 0x0C;
constexpr UINT VK_RETURN = 0x0D;
constexpr UINT VK_SHIFT = 0x10;
constexpr UINT VK_CONTROL = 0x11;
constexpr UINT VK_MENU = 0x12; // Alt
constexpr UINT VK_PAUSE = 0x13;
constexpr UINT VK_CAPITAL = 0x14;
constexpr UINT VK_ESCAPE = 0x1B;
constexpr UINT VK_SPACE = 0x20;
constexpr UINT VK_PRIOR = 0x21; // Page Up
constexpr UINT VK_NEXT = 0x22;  // Page Down
constexpr UINT VK_END = 0x23;
constexpr UINT VK_HOME = 0x24;
constexpr UINT VK_LEFT = 0x25;
constexpr UINT VK_UP = 0x26;
constexpr UINT VK_RIGHT = 0x27;
constexpr UINT VK_DOWN = 0x28;
constexpr UINT VK_SNAPSHOT = 0x2C; // Print Screen
constexpr UINT VK_INSERT = 0x2D;
constexpr UINT VK_DELETE = 0x2E;
// '0'..'9' are 0x30..0x39 and 'A'..'Z' are 0x41..0x5A.
constexpr UINT VK_LWIN = 0x5B;
constexpr UINT VK_RWIN = 0x5C;
constexpr UINT VK_APPS = 0x5D;
constexpr UINT VK_SLEEP = 0x5F;
constexpr UINT VK_NUMPAD0 = 0x60; // .. VK_NUMPAD9 = 0x69
constexpr UINT VK_MULTIPLY = 0x6A;
constexpr UINT VK_ADD = 0x6B;
constexpr UINT VK_SEPARATOR = 0x6C;
constexpr UINT VK_SUBTRACT = 0x6D;
constexpr UINT VK_DECIMAL = 0x6E;
constexpr UINT VK_DIVIDE = 0x6F;
constexpr UINT VK_F1 = 0x70; // .. VK_F24 = 0x87
constexpr UINT VK_F24 = 0x87;
constexpr UINT VK_NUMLOCK = 0x90;
constexpr UINT VK_SCROLL = 0x91;
constexpr UINT VK_LSHIFT = 0xA0;
constexpr UINT VK_RSHIFT = 0xA1;
constexpr UINT VK_LCONTROL = 0xA2;
constexpr UINT VK_RCONTROL = 0xA3;
constexpr UINT VK_LMENU = 0xA4;
constexpr UINT VK_RMENU = 0xA5;
constexpr UINT VK_BROWSER_BACK = 0xA6;
constexpr UINT VK_BROWSER_FORWARD = 0xA7;
constexpr UINT VK_BROWSER_REFRESH = 0xA8;
constexpr UINT VK_BROWSER_STOP = 0xA9;
constexpr UINT VK_BROWSER_SEARCH = 0xAA;
constexpr UINT VK_BROWSER_FAVORITES = 0xAB;
constexpr UINT VK_BROWSER_HOME = 0xAC;
constexpr UINT VK_VOLUME_MUTE = 0xAD;
constexpr UINT VK_VOLUME_DOWN = 0xAE;
constexpr UINT VK_VOLUME_UP = 0xAF;
constexpr UINT VK_MEDIA_NEXT_TRACK = 0xB0;
constexpr UINT VK_MEDIA_PREV_TRACK = 0xB1;
constexpr UINT VK_MEDIA_STOP = 0xB2;
constexpr UINT VK_MEDIA_PLAY_PAUSE = 0xB3;
constexpr UINT VK_LAUNCH_MAIL = 0xB4;
constexpr UINT VK_LAUNCH_APP2 = 0xB7;
constexpr UINT VK_OEM_1 = 0xBA;      // ; :
constexpr UINT VK_OEM_PLUS = 0xBB;   // = +
constexpr UINT VK_OEM_COMMA = 0xBC;  // , <
constexpr UINT VK_OEM_MINUS = 0xBD;  // - _
constexpr UINT VK_OEM_PERIOD = 0xBE; // . >
constexpr UINT VK_OEM_2 = 0xBF;      // / ?
constexpr UINT VK_OEM_3 = 0xC0;      // ` ~
constexpr UINT VK_ABNT_C1 = 0xC1;
constexpr UINT VK_ABNT_C2 = 0xC2;
constexpr UINT VK_OEM_4 = 0xDB;   // [ {
constexpr UINT VK_OEM_5 = 0xDC;   // \ |
constexpr UINT VK_OEM_6 = 0xDD;   // ] }
constexpr UINT VK_OEM_7 = 0xDE;   // ' "
constexpr UINT VK_OEM_102 = 0xE2; // the extra key beside left Shift on 102-key boards

// Map types of MapVirtualKey.
constexpr UINT MAPVK_VK_TO_VSC = 0;    // virtual key -> scan code (left/right variants folded)
constexpr UINT MAPVK_VSC_TO_VK = 1;    // scan code -> virtual key, left and right not told apart
constexpr UINT MAPVK_VSC_TO_VK_EX = 3; // scan code (0xE0xx for extended) -> virtual key, left/right told apart
constexpr UINT MAPVK_VK_TO_VSC_EX = 4; // virtual key -> scan code, 0xE0xx for extended keys

// 0 when there is no mapping or the map type is not one of the above.
UINT MapVirtualKey(UINT code, UINT mapType);
