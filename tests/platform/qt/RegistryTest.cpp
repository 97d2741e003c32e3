// SPDX-License-Identifier: GPL-3.0-or-later
// The INI-backed registry stand-in and the private-profile functions.
#include "platform/Registry.h"

#include "support/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

const std::u16string kProductKey = u"Software\\Zemko\\Tovik";

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { UseStore(dir_ / "registry.ini"); }
    void TearDown() override { unsetenv("ZEMKO_TOVIK_REGISTRY"); }
    void UseStore(const std::filesystem::path& file) { setenv("ZEMKO_TOVIK_REGISTRY", file.c_str(), 1); }
    TempDir dir_;
};

TEST_F(RegistryTest, StoreFileFollowsTheEnvironment)
{
    EXPECT_EQ(RegistryKey::StoreFile(), (dir_ / "registry.ini").string());
}

TEST_F(RegistryTest, MissingKeyCannotBeOpenedButCanBeCreatedAndThenOpened)
{
    EXPECT_FALSE(RegistryKey::Open(RegistryRoot::LocalMachine, kProductKey));
    auto created = RegistryKey::Create(RegistryRoot::LocalMachine, kProductKey);
    ASSERT_TRUE(created);
    EXPECT_FALSE(created->QueryString(u"Language")) << "a new key has no values";
    EXPECT_TRUE(RegistryKey::Open(RegistryRoot::LocalMachine, kProductKey));
    EXPECT_TRUE(RegistryKey::Open(RegistryRoot::LocalMachine, u"Software\\Zemko"));
    EXPECT_FALSE(RegistryKey::Open(RegistryRoot::CurrentUser, kProductKey)) << "roots are separate";
}

TEST_F(RegistryTest, StringValuesRoundTripThroughTheFile)
{
    const std::u16string tricky[] = {u"German",      u"C:\\Program Files\\Zemko\\", u"a, b; c = d",
                                     u"@Variant(x)", u"\u00fcber \u4e2d\u6587",     u"",
                                     u"  padded  "};
    {
        auto key = RegistryKey::Create(RegistryRoot::LocalMachine, kProductKey);
        ASSERT_TRUE(key);
        int i = 0;
        for (const auto& value : tricky)
            ASSERT_TRUE(key->SetString(u"Value" + std::u16string(1, char16_t(u'0' + i++)), value));
    }
    auto key = RegistryKey::Open(RegistryRoot::LocalMachine, kProductKey);
    ASSERT_TRUE(key);
    int i = 0;
    for (const auto& value : tricky)
        EXPECT_EQ(key->QueryString(u"Value" + std::u16string(1, char16_t(u'0' + i++))), value);
}

TEST_F(RegistryTest, NamesMatchWithoutRegardToCase)
{
    ASSERT_TRUE(RegistryKey::Create(RegistryRoot::LocalMachine, kProductKey)->SetString(u"InstallDir", u"/opt/zt"));
    auto key = RegistryKey::Open(RegistryRoot::LocalMachine, u"SOFTWARE\\zemko\\TOVIK");
    ASSERT_TRUE(key);
    EXPECT_EQ(key->Path(), kProductKey);
    EXPECT_EQ(key->QueryString(u"installdir"), u"/opt/zt");
    // Overwriting through another spelling keeps one value.
    ASSERT_TRUE(key->SetString(u"INSTALLDIR", u"/usr/zt"));
    EXPECT_EQ(key->QueryString(u"InstallDir"), u"/usr/zt");
    ASSERT_TRUE(key->DeleteValue(u"installDir"));
    EXPECT_FALSE(key->QueryString(u"InstallDir"));
    EXPECT_FALSE(key->DeleteValue(u"InstallDir"));
}

TEST_F(RegistryTest, MalformedPathsAndNamesAreRefused)
{
    EXPECT_FALSE(RegistryKey::Create(RegistryRoot::LocalMachine, u""));
    EXPECT_FALSE(RegistryKey::Create(RegistryRoot::LocalMachine, u"Software\\\\Zemko"));
    EXPECT_FALSE(RegistryKey::Create(RegistryRoot::LocalMachine, u"Soft/ware"));
    auto key = RegistryKey::Create(RegistryRoot::LocalMachine, kProductKey);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->SetString(u"a/b", u"x")) << "would become a sub-key in the file";
    EXPECT_FALSE(key->SetString(u".key", u"x"));
    EXPECT_TRUE(key->SetString(u"", u"default value"));
    EXPECT_EQ(key->QueryString(u""), u"default value");
}

TEST_F(RegistryTest, UnwritableStoreFailsCreationAndWritesAndChangesNothing)
{
    // A store whose directory is a regular file can never be written, whoever runs the test.
    std::ofstream(dir_ / "blocker") << "not a directory";
    UseStore(dir_ / "blocker" / "registry.ini");
    EXPECT_FALSE(RegistryKey::Create(RegistryRoot::LocalMachine, kProductKey));
    EXPECT_FALSE(RegistryKey::Open(RegistryRoot::LocalMachine, kProductKey));

    // A key opened from a good store whose file then becomes unwritable.
    UseStore(dir_ / "registry.ini");
    auto key = RegistryKey::Create(RegistryRoot::LocalMachine, kProductKey);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->SetString(u"Language", u"French"));
    std::filesystem::remove(dir_ / "registry.ini");
    std::filesystem::create_directory(dir_ / "registry.ini"); // the file's place is taken
    EXPECT_FALSE(key->SetString(u"Language", u"German"));
}

TEST_F(RegistryTest, DamagedStoreIsReportedAndNotOverwritten)
{
    const auto file = dir_ / "registry.ini";
    std::ofstream(file) << "[HKEY_LOCAL_MACHINE\n\x01\x02 garbage = = =\n[[[";
    const auto before = std::filesystem::file_size(file);
    const std::string contentBefore = [&] {
        std::ifstream in(file);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    EXPECT_FALSE(RegistryKey::Create(RegistryRoot::LocalMachine, kProductKey));
    EXPECT_FALSE(RegistryKey::Open(RegistryRoot::LocalMachine, kProductKey));
    std::ifstream in(file);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), contentBefore);
    EXPECT_EQ(std::filesystem::file_size(file), before);
}

TEST_F(RegistryTest, PrivateProfileStringsRoundTripAndFallBackToTheDefault)
{
    const std::string file = (dir_ / "save" / "ZemkoTovikConfig.zmc").string();
    EXPECT_EQ(GetPrivateProfileString(u"SETTINGS", u"ActiveProfileName", u"none", file), u"none");
    std::filesystem::create_directories(dir_ / "save");
    ASSERT_TRUE(WritePrivateProfileString(u"SETTINGS", u"ActiveProfileName", u"PROFILE01", file));
    EXPECT_EQ(GetPrivateProfileString(u"settings", u"activeprofilename", u"", file), u"PROFILE01");
    EXPECT_EQ(GetPrivateProfileString(u"SETTINGS", u"Other", u"dflt", file), u"dflt");
    EXPECT_EQ(GetPrivateProfileString(u"OTHER", u"ActiveProfileName", u"dflt", file), u"dflt");

    ASSERT_TRUE(WritePrivateProfileString(u"Settings", u"ActiveProfileName", std::nullopt, file));
    EXPECT_EQ(GetPrivateProfileString(u"SETTINGS", u"ActiveProfileName", u"gone", file), u"gone");

    std::ofstream(dir_ / "file-not-dir") << "x";
    EXPECT_FALSE(WritePrivateProfileString(u"S", u"K", u"V", (dir_ / "file-not-dir" / "x.ini").string()));
    EXPECT_FALSE(WritePrivateProfileString(u"", u"K", u"V", file));
}

} // namespace
