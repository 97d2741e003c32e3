// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two binary keyboard files, little-endian:
//   key file:     int32 count N, then N records of
//                 { uint32 name byte length L, L bytes UTF-16 name, int16 code1, int16 code2,
//                   4 blocks x 10 entries x { int16 code, uint8 flag, uint8 unused } }
//   default file: int32 count M, then M pairs { uint32 key hash, uint32 default }
//                 where the default holds the scan code in bits 0-15 and the flag in 16-23.
#include "skin/keyboard/KeyRecord.h"

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

constexpr size_t KEY_NAME_MAX_BYTES = 512;
constexpr size_t KEY_RECORD_FIXED_BYTES = 4 + KEY_BLOCK_COUNT * KEY_BLOCK_ENTRIES * 4; // codes + blocks

struct KeyFileParse {
    std::vector<KeyRecord> records; // with hash and derived code filled in
    bool complete = false;          // exactly the announced count was read
};

KeyFileParse ParseKeyFile(std::span<const uint8_t> data);
std::vector<uint8_t> SerializeKeyFile(std::span<const KeyRecord> records);

struct KeyDefault {
    uint32_t hash = 0;
    KeyCode code;
};

// Nothing when the size does not match the count.
std::optional<std::vector<KeyDefault>> ParseDefaultFile(std::span<const uint8_t> data);
std::vector<uint8_t> SerializeDefaultFile(std::span<const KeyDefault> defaults);
