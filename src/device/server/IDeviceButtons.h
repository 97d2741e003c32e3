// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Button assignments of one device profile.
//
// Buttons are named by single bits: the button numbered b (1 left, 2 right,
// 3 wheel click, 4 and 5 side buttons, 10 and 11 the two further buttons,
// 12 wheel up, 13 wheel down) is bit 1 << (b - 1). Both generations have the
// nine buttons 1, 2, 3, 4, 5, 10, 11, 12 and 13: count 9, mask 0x1E1F.
#include "platform/com/Unknown.h"

#include <cstdint>

constexpr uint32_t ButtonBit(uint32_t button)
{
    return button >= 1 && button <= 32 ? 1u << (button - 1) : 0;
}

// The 32-byte action record of one button, little-endian:
//   offset 0  32-bit  1
//   offset 4  32-bit  0
//   offset 8  32-bit  action type: 1 mouse function (offset 12: code 0..11),
//                     3 profile switch (offset 12: 1 down, 2 up, 3 to the
//                     profile whose id is at offsets 16..31), 4 temporary
//                     sensitivity (offset 12: 4; 16-bit X at 24, Y at 26),
//                     5 single key (16-bit key at 12, 32-bit modifiers at 14,
//                     16-bit virtual key at 18, kept for the reader),
//                     6 advanced, 8 macro (id at 12..27, play mode byte at 28,
//                     repeat count byte at 29), 9 launch program (id at 12..27),
//                     12 key map (offset 12: 3, id at 16..31)
//   offset 12 20 bytes data of the action type
//   Action types 2, 7, 10 and 11 are further device actions whose data is
//   stored as given; other action types are refused.
// An all-zero record is also accepted: the button does nothing.
struct ButtonRecord {
    uint8_t bytes[32] = {};
};
constexpr uint32_t kButtonRecordSize = 32;

// {5D605A2B-ACDE-49CD-9642-7B268923ACD9}
struct IDeviceButtons : IUnknown {
    static constexpr IID Iid = MakeGuid(0x5D605A2B, 0xACDE, 0x49CD, {0x96, 0x42, 0x7B, 0x26, 0x89, 0x23, 0xAC, 0xD9});

    // Slot 3: the record of one button (`button` is its bit).
    virtual HRESULT GetButton(uint32_t button, ButtonRecord* record) = 0;
    // Slot 4: stores the record of one button; an unknown bit answers E_NOT_FOUND,
    // a record that is not one of the forms above E_INVALIDARG.
    virtual HRESULT SetButton(uint32_t button, const ButtonRecord* record) = 0;
    // Slot 5: the number of buttons and the mask of their bits.
    virtual HRESULT GetButtonList(uint32_t* count, uint32_t* mask) = 0;
};
