// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The key a single-key popup edits: the key's name as shown, its virtual-key and
// scan code, and the modifier set (Ctrl 4, Alt 2, Shift 8; bit 1 marks an extended
// key), as the button page and the macro editor store a keystroke.
#include <cstdint>
#include <string>

struct SingleKeyRecord {
    static constexpr int kExtended = 1;
    static constexpr int kAlt = 2;
    static constexpr int kCtrl = 4;
    static constexpr int kShift = 8;

    std::u16string text;
    uint16_t virtualKey = 0;
    uint16_t scanCode = 0;
    int modifiers = 0;

    bool HoldsKey() const { return !text.empty() || virtualKey != 0 || scanCode != 0; }
    void Clear() { *this = SingleKeyRecord{}; }
    bool operator==(const SingleKeyRecord&) const = default;
};

// What the user reads for a record: the held modifiers ("Shift", "Ctrl", "Alt")
// joined with "+", then "+" and the key's name when there is one.
std::u16string SingleKeyText(const SingleKeyRecord& record);
