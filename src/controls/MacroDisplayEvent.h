// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One event of a macro as the event display and the recorder hold it: what it is
// (a key, a mouse button or a delay), the values it is stored with, and the name
// it is shown with.
#include <cstdint>
#include <string>

enum class MacroDisplayEventKind { Key, MouseButton, Delay };

struct MacroDisplayEvent {
    MacroDisplayEventKind kind = MacroDisplayEventKind::Key;
    // Key and mouse events: the key or button name (a "$" key or plain text) and
    // whether it was pressed or released.
    std::u16string name;
    bool down = true;
    // Delays: the length in seconds.
    double seconds = 0.0;

    // Keys: set-1 make code, virtual key and the extended (E0) flag.
    uint16_t scanCode = 0;
    uint16_t virtualKey = 0;
    bool extended = false;
    // Mouse buttons: 1 left, 2 right, 3 middle, 4, 5.
    int button = 0;
    // Delays: the length in milliseconds.
    uint32_t milliseconds = 0;

    // A key named from the key-name table (empty name when the key has none).
    static MacroDisplayEvent Key(uint16_t scanCode, uint16_t virtualKey, bool down, bool extended);
    // Buttons outside 1..5 get no name.
    static MacroDisplayEvent MouseButton(int button, bool down);
    static MacroDisplayEvent Delay(uint32_t milliseconds);

    // Same kind and stored values (names and seconds follow from them).
    bool SameAs(const MacroDisplayEvent& other) const;
};
