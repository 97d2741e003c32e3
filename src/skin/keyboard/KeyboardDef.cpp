// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/keyboard/KeyboardDef.h"

#include "skin/keyboard/KeyFileFormat.h"

#include <fstream>
#include <iterator>
#include <mutex>

namespace {

bool ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

CKeyboardDef& CKeyboardDef::Instance()
{
    static CKeyboardDef instance;
    return instance;
}

bool CKeyboardDef::LoadDefinition(std::span<const uint8_t> data)
{
    std::unique_lock lock(mutex_);
    if (loaded_)
        return true;
    KeyFileParse parsed = ParseKeyFile(data);
    for (KeyRecord& record : parsed.records) {
        keys_.push_back(std::move(record));
        const KeyRecord& stored = keys_.back();
        if (stored.IsValid())
            keyMap_[stored.hash] = keys_.size() - 1; // a later record with the same name wins
    }
    loaded_ = parsed.complete;
    return parsed.complete;
}

bool CKeyboardDef::LoadDefinitionFile(const std::filesystem::path& path)
{
    if (IsLoaded())
        return true;
    std::vector<uint8_t> data;
    if (!ReadWholeFile(path, data))
        return false;
    return LoadDefinition(data);
}

bool CKeyboardDef::LoadDefaults(std::span<const uint8_t> data)
{
    std::optional<std::vector<KeyDefault>> parsed = ParseDefaultFile(data);
    if (!parsed)
        return false;
    std::unique_lock lock(mutex_);
    for (const KeyDefault& entry : *parsed)
        defaults_[entry.hash] = entry.code;
    return true;
}

bool CKeyboardDef::LoadDefaultsFile(const std::filesystem::path& path)
{
    std::vector<uint8_t> data;
    if (!ReadWholeFile(path, data))
        return false;
    return LoadDefaults(data);
}

bool CKeyboardDef::IsLoaded() const
{
    std::shared_lock lock(mutex_);
    return loaded_;
}

KeyCode CKeyboardDef::KeyByHash(uint32_t hash) const
{
    std::shared_lock lock(mutex_);
    auto it = keyMap_.find(hash);
    return it == keyMap_.end() ? KeyCode{} : keys_[it->second].derived;
}

std::optional<uint32_t> CKeyboardDef::KeyByCode(uint16_t scanCode, uint8_t flag) const
{
    std::shared_lock lock(mutex_);
    const KeyCode wanted{scanCode, flag};
    for (const auto& [hash, index] : keyMap_) {
        if (keys_[index].derived == wanted)
            return hash;
    }
    return std::nullopt;
}

std::optional<uint32_t> CKeyboardDef::KeyByDeviceCode(uint32_t deviceCode) const
{
    const uint32_t kind = deviceCode >> 16;
    const uint8_t flag = kind == 4 ? KEY_FLAG_E1 : kind == 2 ? KEY_FLAG_EXTENDED : 0;
    return KeyByCode(static_cast<uint16_t>(deviceCode & 0xFFFF), flag);
}

std::optional<KeyCode> CKeyboardDef::DefaultOf(uint32_t hash) const
{
    std::shared_lock lock(mutex_);
    auto it = defaults_.find(hash);
    if (it == defaults_.end())
        return std::nullopt;
    return it->second;
}

std::optional<KeyRecord> CKeyboardDef::FindKey(uint32_t hash) const
{
    std::shared_lock lock(mutex_);
    auto it = keyMap_.find(hash);
    if (it == keyMap_.end())
        return std::nullopt;
    return keys_[it->second];
}

std::vector<KeyRecord> CKeyboardDef::Keys() const
{
    std::shared_lock lock(mutex_);
    return keys_;
}

size_t CKeyboardDef::KeyCount() const
{
    std::shared_lock lock(mutex_);
    return keys_.size();
}
