// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/keyboard/KeyboardDef.h"

#include "skin/keyboard/KeyFileFormat.h"

#include "platform/core/AtomicFile.h"

#include <mutex>

namespace {

// Key files are a few kilobytes; anything much larger is not one.
constexpr std::size_t kMaxKeyFileBytes = std::size_t(16) << 20;

std::optional<std::string> ReadKeyFile(const std::filesystem::path& path)
{
    std::string error;
    return ReadWholeFile(path, kMaxKeyFileBytes, error);
}

std::span<const uint8_t> Bytes(const std::string& data)
{
    return {reinterpret_cast<const uint8_t*>(data.data()), data.size()};
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
    // A file that falls short is refused whole: keeping its first keys would list
    // them twice once a good file loads.
    if (!parsed.complete)
        return false;
    for (KeyRecord& record : parsed.records) {
        keys_.push_back(std::move(record));
        const KeyRecord& stored = keys_.back();
        if (stored.IsValid())
            keyMap_[stored.hash] = keys_.size() - 1; // a later record with the same name wins
    }
    loaded_ = true;
    return true;
}

void CKeyboardDef::Clear()
{
    std::unique_lock lock(mutex_);
    keys_.clear();
    keyMap_.clear();
    defaults_.clear();
    loaded_ = false;
}

bool CKeyboardDef::LoadDefinitionFile(const std::filesystem::path& path)
{
    if (IsLoaded())
        return true;
    const std::optional<std::string> data = ReadKeyFile(path);
    return data && LoadDefinition(Bytes(*data));
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
    const std::optional<std::string> data = ReadKeyFile(path);
    return data && LoadDefaults(Bytes(*data));
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
