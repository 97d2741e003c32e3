// SPDX-License-Identifier: GPL-3.0-or-later
// libFuzzer target: the registry store and the private-profile files are INI files
// anyone can edit. Whatever they hold, reading must not crash, and a store that
// was read and then written must read back what was written and stay readable.
#include "platform/Registry.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::u16string kKeyPath = u"Software\\Zemko\\Tovik";

std::filesystem::path WorkDirectory()
{
    static const std::filesystem::path dir = [] {
        // Every damaged input is moved aside with a warning: not worth printing here.
        setenv("QT_LOGGING_RULES", "zemko.tovik.*.warning=false", 0);
        std::string pattern = (std::filesystem::temp_directory_path() / "zt-fuzz-registry-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        return std::filesystem::path(pattern);
    }();
    return dir;
}

// Qt caches a parsed INI file by name and revalidates it by size and time, which a
// fuzzer rewriting one name many times a millisecond would defeat: every input
// gets a name of its own.
std::filesystem::path FreshFile(const uint8_t* data, size_t size)
{
    static uint64_t counter = 0;
    const auto file = WorkDirectory() / ("store" + std::to_string(counter++) + ".ini");
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    return file;
}

void Remove(const std::filesystem::path& file)
{
    std::error_code ignored;
    std::filesystem::remove(file, ignored);
    std::filesystem::remove(file.string() + ".lock", ignored);
    std::filesystem::remove(file.string() + ".damaged", ignored); // a damaged store is moved aside
}

void CheckRegistry(const std::filesystem::path& file)
{
    setenv("ZEMKO_TOVIK_REGISTRY", file.c_str(), 1);
    for (RegistryRoot root : {RegistryRoot::LocalMachine, RegistryRoot::CurrentUser}) {
        if (auto key = RegistryKey::Open(root, kKeyPath)) {
            (void)key->QueryString(u"Language");
            (void)key->QueryString(u"InstallDir");
            (void)key->QueryString(u"");
        }
    }
    auto key = RegistryKey::Create(RegistryRoot::LocalMachine, kKeyPath);
    if (!key)
        return; // a store that cannot be read whole is refused or moved aside, never overwritten
    if (!key->SetString(u"Language", u"Fuzzed, \"value\" = 1"))
        std::abort(); // the store was just written by Create
    auto again = RegistryKey::Open(RegistryRoot::LocalMachine, kKeyPath);
    if (!again || again->QueryString(u"LANGUAGE") != u"Fuzzed, \"value\" = 1")
        std::abort();
    if (!again->DeleteValue(u"language") || again->QueryString(u"Language"))
        std::abort();
}

void CheckPrivateProfile(const std::filesystem::path& file)
{
    (void)GetPrivateProfileString(u"SETTINGS", u"ActiveProfileName", u"", file.string());
    const std::u16string value = u"PROFILE;01 \\ x";
    if (!WritePrivateProfileString(u"Settings", u"activeProfileName", value, file.string()))
        return; // a damaged file is left alone
    if (GetPrivateProfileString(u"SETTINGS", u"ActiveProfileName", u"", file.string()) != value)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto store = FreshFile(data, size);
    CheckRegistry(store);
    Remove(store);
    const auto profile = FreshFile(data, size);
    CheckPrivateProfile(profile);
    Remove(profile);
    return 0;
}
