// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Raw keyboard and mouse input: records that describe each key and button
// transition as the hardware reports it (scan codes, not characters), delivered as
// WM_INPUT to the one window registered for that kind of device. The macro
// recorder and the single-key fields read them.
#include "platform/core/MessageTarget.h"
#include "platform/core/Messages.h"

#include <optional>

// Kinds of record.
constexpr DWORD RIM_TYPEMOUSE = 0;
constexpr DWORD RIM_TYPEKEYBOARD = 1;

// Keyboard record flags.
constexpr USHORT RI_KEY_MAKE = 0;  // key pressed
constexpr USHORT RI_KEY_BREAK = 1; // key released
constexpr USHORT RI_KEY_E0 = 2;    // extended key (E0 prefix)
constexpr USHORT RI_KEY_E1 = 4;    // E1 prefix (Pause)

// Mouse button-flags word; one record normally carries one transition.
constexpr USHORT RI_MOUSE_LEFT_BUTTON_DOWN = 0x0001;
constexpr USHORT RI_MOUSE_LEFT_BUTTON_UP = 0x0002;
constexpr USHORT RI_MOUSE_RIGHT_BUTTON_DOWN = 0x0004;
constexpr USHORT RI_MOUSE_RIGHT_BUTTON_UP = 0x0008;
constexpr USHORT RI_MOUSE_MIDDLE_BUTTON_DOWN = 0x0010;
constexpr USHORT RI_MOUSE_MIDDLE_BUTTON_UP = 0x0020;
constexpr USHORT RI_MOUSE_BUTTON_4_DOWN = 0x0040;
constexpr USHORT RI_MOUSE_BUTTON_4_UP = 0x0080;
constexpr USHORT RI_MOUSE_BUTTON_5_DOWN = 0x0100;
constexpr USHORT RI_MOUSE_BUTTON_5_UP = 0x0200;
constexpr USHORT RI_MOUSE_WHEEL = 0x0400;  // buttonData: signed vertical delta, 120 per notch
constexpr USHORT RI_MOUSE_HWHEEL = 0x0800; // buttonData: signed horizontal delta

// Messages a keyboard record reports in `message`.
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;

struct RawKeyboard {
    USHORT makeCode = 0; // set-1 make code without prefix
    USHORT flags = 0;    // RI_KEY_*
    USHORT vKey = 0;     // virtual key; Shift, Ctrl and Alt without side (VK_SHIFT, ...)
    UINT message = 0;    // WM_KEYDOWN, WM_KEYUP, WM_SYSKEYDOWN or WM_SYSKEYUP
};

struct RawMouse {
    USHORT buttonFlags = 0; // RI_MOUSE_*; 0 for a plain move
    USHORT buttonData = 0;  // wheel delta (a signed 16-bit value) with RI_MOUSE_WHEEL/HWHEEL
    LONG lastX = 0;         // relative motion since the previous record, in pixels
    LONG lastY = 0;
};

struct RawInput {
    DWORD type = RIM_TYPEKEYBOARD; // RIM_TYPEKEYBOARD or RIM_TYPEMOUSE; the matching member is valid
    RawKeyboard keyboard;
    RawMouse mouse;
};

// The lParam a key message carries for this key: repeat count 1 (bits 0-15), scan
// code (16-23), extended bit (24), Alt held (29, for the system key messages),
// previous state down (30: repeats and releases) and transition (31: releases).
LPARAM KeyMessageLParam(const RawKeyboard& key, bool repeated);

// Registration, by generic desktop usage.
constexpr USHORT HID_USAGE_PAGE_GENERIC = 0x01;
constexpr USHORT HID_USAGE_GENERIC_MOUSE = 0x02;
constexpr USHORT HID_USAGE_GENERIC_KEYBOARD = 0x06;

constexpr DWORD RIDEV_REMOVE = 0x00000001;    // stop delivering this kind; target must be null
constexpr DWORD RIDEV_NOLEGACY = 0x00000030;  // the ordinary key events are not delivered meanwhile
constexpr DWORD RIDEV_INPUTSINK = 0x00000100; // deliver also when the target is not active; needs a target

struct RawInputDevice {
    USHORT usagePage = HID_USAGE_PAGE_GENERIC;
    USHORT usage = 0;
    DWORD flags = 0;
    HWND target = nullptr;
};

// Registers (or with RIDEV_REMOVE unregisters) each entry. All entries are checked
// first; when one is invalid nothing changes and the result is false. A later
// registration of the same usage replaces the earlier one.
bool RegisterRawInputDevices(const RawInputDevice* devices, UINT count);

// The current registration of a usage (HID_USAGE_GENERIC_KEYBOARD or _MOUSE), if any.
std::optional<RawInputDevice> GetRawInputRegistration(USHORT usage);

// Drops every registration that targets `window`; called when a window goes away
// so that input is never delivered to a destroyed window.
void ForgetRawInputTarget(HWND window);

// Sends the record as WM_INPUT (lParam = &record, valid during the call) to the
// window registered for its kind. Returns whether a window received it.
bool DeliverRawInput(const RawInput& record);
