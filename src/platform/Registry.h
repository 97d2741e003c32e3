// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A stand-in for the system registry: keys with string values, kept in one INI
// file. The file is named by the environment variable ZEMKO_TOVIK_REGISTRY, or is
// "registry.ini" in the user's configuration directory for this program. Key
// paths use backslashes ("Software\\Zemko\\Tovik"); key and value names are
// matched without regard to case, as on the original platform.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

enum class RegistryRoot { LocalMachine, CurrentUser };

class RegistryKey {
public:
    // The INI file of the store.
    static std::string StoreFile();

    // An existing key; nothing when it does not exist, the path is malformed or
    // the store cannot be read.
    static std::optional<RegistryKey> Open(RegistryRoot root, std::u16string_view path);
    // Opens the key, creating it (and the keys above it) when missing; nothing when
    // the store cannot be written or read.
    static std::optional<RegistryKey> Create(RegistryRoot root, std::u16string_view path);

    // A string value; nothing when it is missing. The empty name is the key's
    // default value.
    std::optional<std::u16string> QueryString(std::u16string_view name) const;
    // False (and nothing changed) when the store cannot be written or the name is
    // not allowed (it contains a slash or backslash).
    bool SetString(std::u16string_view name, std::u16string_view value);
    bool DeleteValue(std::u16string_view name);

    RegistryRoot Root() const { return root_; }
    // The key's path as stored, components joined with backslashes.
    std::u16string Path() const;

private:
    RegistryKey(RegistryRoot root, std::vector<std::u16string> components)
        : root_(root), components_(std::move(components))
    {
    }
    RegistryRoot root_;
    std::vector<std::u16string> components_;
};

// INI read and write of a named file, as the settings file uses them. Section and
// key names are matched without regard to case.
// Reads `key` of `section`; `defaultValue` when the file, section or key is missing.
std::u16string GetPrivateProfileString(std::u16string_view section, std::u16string_view key,
                                       std::u16string_view defaultValue, const std::string& file);
// Writes the value; with no value the key is removed. False when the file cannot
// be written (or read: an unreadable file is never overwritten).
bool WritePrivateProfileString(std::u16string_view section, std::u16string_view key,
                               std::optional<std::u16string_view> value, const std::string& file);
