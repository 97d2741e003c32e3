// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a raw keyboard record stands for when a key is recorded (a key field, a
// macro): the key's own virtual-key code, with the left and right modifier keys
// and the keypad's Return told apart, and Pause taken as one key.
#include "platform/core/RawInput.h"

#include <optional>

struct RecordedKey {
    USHORT scanCode = 0;   // set-1 make code without prefix
    USHORT virtualKey = 0; // 160/161 Shift, 162/163 Ctrl, 164/165 Alt, 108 keypad Return, 19 Pause
    bool extended = false; // an E0 key
    bool released = false;
};

// Nothing for the second record the keyboard sends for Pause (make code 0x45 with
// no virtual key), which belongs to the first. The first, an E1 record whose make
// code 0x1D is not Ctrl, is Pause: scan code 0x45, virtual key 19, not extended.
std::optional<RecordedKey> ReadRecordedKey(const RawKeyboard& key);

// The virtual key with sides told apart: Shift by its scan code (0x36 is the
// right one), Ctrl and Alt by the extended flag, Return on the keypad (extended)
// is 108. Other keys keep their code.
USHORT SidedVirtualKey(USHORT virtualKey, USHORT scanCode, bool extended);
