// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One key of the keyboard definition as read from the key file.
#include <array>
#include <cstdint>
#include <string>

// Bit 0 of a code-entry flag marks an extended (E0) key; 2 is used for E1 keys.
constexpr uint8_t KEY_FLAG_EXTENDED = 1;
constexpr uint8_t KEY_FLAG_E1 = 2;

struct KeyCodeEntry {
    int16_t code = 0;
    uint8_t flag = 0;
    friend bool operator==(const KeyCodeEntry&, const KeyCodeEntry&) = default;
};

// A scan code with its flag, as the keyboard and the device report a key.
struct KeyCode {
    uint16_t scanCode = 0;
    uint8_t flag = 0;
    friend bool operator==(const KeyCode&, const KeyCode&) = default;
};

constexpr size_t KEY_BLOCK_COUNT = 4;
constexpr size_t KEY_BLOCK_ENTRIES = 10;
constexpr size_t KEY_NAME_MAX_UNITS = 255;

using KeyCodeBlock = std::array<KeyCodeEntry, KEY_BLOCK_ENTRIES>;

struct KeyRecord {
    uint32_t hash = 0;
    std::u16string name;
    int16_t code1 = -1;
    int16_t code2 = -1;
    std::array<KeyCodeBlock, KEY_BLOCK_COUNT> blocks{};
    KeyCode derived;

    // Placeholder names and keys without a scan code are listed but never looked up.
    bool IsValid() const;
};

// The scan code a key sends, taken from its first code block: a plain key is its
// first code; a prefixed key (E0/E1 flag on the first entry) is the last code of
// the prefix sequence, carrying the prefix's flag.
KeyCode DeriveScanCode(const KeyCodeBlock& block);
