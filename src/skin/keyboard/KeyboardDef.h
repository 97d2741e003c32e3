// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CKeyboardDef`: the one table that ties key names, key hashes and scan codes
// together. It is filled from the binary key file (and optionally the default file)
// named by the keyboard skin; the skin loader, the device layer and the macro editor
// look keys up in it.
#include "skin/keyboard/KeyRecord.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <shared_mutex>
#include <span>
#include <vector>

class CKeyboardDef {
public:
    CKeyboardDef() = default;
    CKeyboardDef(const CKeyboardDef&) = delete;
    CKeyboardDef& operator=(const CKeyboardDef&) = delete;

    // The process-wide definition.
    static CKeyboardDef& Instance();

    // Reads a key file. True when every announced record was read; a file that
    // falls short changes nothing. Once a definition has loaded, later loads are
    // skipped and report success.
    bool LoadDefinition(std::span<const uint8_t> data);
    bool LoadDefinitionFile(const std::filesystem::path& path);

    // Reads a default file; a file whose size does not match its count is ignored
    // (false, nothing changes).
    bool LoadDefaults(std::span<const uint8_t> data);
    bool LoadDefaultsFile(const std::filesystem::path& path);

    bool IsLoaded() const;
    // Forgets every key and default, so that the next load reads again.
    void Clear();

    // Derived (scan code, flag) of a key, (0, 0) for an unknown hash.
    KeyCode KeyByHash(uint32_t hash) const;
    // Hash of the first valid key (in hash order) whose derived pair matches.
    std::optional<uint32_t> KeyByCode(uint16_t scanCode, uint8_t flag) const;
    // A key code as the device reports it: the high half selects the flag (4 -> E1,
    // 2 -> E0, anything else none), the low half is the scan code.
    std::optional<uint32_t> KeyByDeviceCode(uint32_t deviceCode) const;
    std::optional<KeyCode> DefaultOf(uint32_t hash) const;

    // Copies, so that callers never hold references into a table that may change.
    std::optional<KeyRecord> FindKey(uint32_t hash) const;
    std::vector<KeyRecord> Keys() const;
    size_t KeyCount() const;

private:
    mutable std::shared_mutex mutex_;
    std::vector<KeyRecord> keys_;
    std::map<uint32_t, size_t> keyMap_; // hash -> index in keys_, valid keys only
    std::map<uint32_t, KeyCode> defaults_;
    bool loaded_ = false;
};
