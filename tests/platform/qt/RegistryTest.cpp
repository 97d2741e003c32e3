// SPDX-License-Identifier: GPL-3.0-or-later
// The INI-backed registry stand-in and the private-profile functions.
#include "platform/Registry.h"

#include "support/TempDir.h"

#include <QStringList>
#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <future>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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

std::string ReadAll(const std::filesystem::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Warnings of the program's categories, gathered while the object lives.
class WarningLog {
public:
    WarningLog()
    {
        lines().clear();
        previous_ = qInstallMessageHandler(
            [](QtMsgType, const QMessageLogContext&, const QString& text) { lines().push_back(text); });
    }
    ~WarningLog() { qInstallMessageHandler(previous_); }
    static QStringList& lines()
    {
        static QStringList gathered;
        return gathered;
    }
    bool Has(const QString& part) const
    {
        return std::any_of(lines().begin(), lines().end(), [&](const QString& l) { return l.contains(part); });
    }

private:
    QtMessageHandler previous_;
};

TEST_F(RegistryTest, DamagedStoreIsKeptWholeAsideAndTheStoreStartsFromDefaults)
{
    const auto file = dir_ / "registry.ini";
    const std::string whole = "[HKEY_LOCAL_MACHINE]\nSoftware\\Zemko\\Tovik\\Language=German\n";
    // Damage the INI reader reports, and damage it reads past without a word (a
    // header cut short, a line that is no setting, bytes that are not text).
    const std::string cases[] = {"[HKEY_LOCAL_MACHINE\n\x01\x02 garbage = = =\n[[[",
                                 whole + "[HKEY_CURRENT_USER\nSoftware\\A\\B=1\n",
                                 whole + "Software\\Zemko\\Tovik\\Skin\n", whole + "\xFF\xFE\x80 random\x9B=bytes\n",
                                 std::string("\x7F\x45\x4C\x46\x02\x01\x01\0\0\0", 10)};
    for (const std::string& damaged : cases) {
        SCOPED_TRACE(damaged);
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
            std::filesystem::remove(entry.path());
        std::ofstream(file, std::ios::binary) << damaged;
        WarningLog log;
        auto key = RegistryKey::Create(RegistryRoot::LocalMachine, kProductKey);
        ASSERT_TRUE(key);
        EXPECT_FALSE(key->QueryString(u"Language")) << "defaults, not half of the damaged store";
        ASSERT_TRUE(key->SetString(u"Skin", u"Dark"));
        EXPECT_EQ(ReadAll(dir_ / "registry.ini.damaged"), damaged) << "every byte kept";
        EXPECT_TRUE(log.Has(QStringLiteral("registry.ini.damaged"))) << "the log says where it went";
        EXPECT_EQ(RegistryKey::Open(RegistryRoot::LocalMachine, kProductKey)->QueryString(u"Skin"), u"Dark");
    }
    // A store that is whole is read and rewritten as it is.
    for (const auto& entry : std::filesystem::directory_iterator(dir_.path()))
        std::filesystem::remove(entry.path());
    std::ofstream(file) << "; a comment\n\n" << whole;
    auto key = RegistryKey::Open(RegistryRoot::LocalMachine, kProductKey);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->QueryString(u"Language"), u"German");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "registry.ini.damaged"));
}

TEST_F(RegistryTest, AStoreThatIsNoRegularFileIsRefusedWithoutWaiting)
{
    const auto fifo = dir_ / "registry.ini";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    WarningLog log;
    std::promise<bool> done;
    auto finished = done.get_future();
    std::thread reader([&] {
        const bool opened = RegistryKey::Open(RegistryRoot::LocalMachine, kProductKey).has_value();
        const bool created = RegistryKey::Create(RegistryRoot::LocalMachine, kProductKey).has_value();
        const bool wrote = WritePrivateProfileString(u"S", u"K", u"V", fifo.string());
        const bool defaulted = GetPrivateProfileString(u"S", u"K", u"dflt", fifo.string()) == u"dflt";
        done.set_value(!opened && !created && !wrote && defaulted);
    });
    const bool inTime = finished.wait_for(std::chrono::seconds(30)) == std::future_status::ready;
    // Release a reader stuck in the FIFO (each open waits for a writer) so that
    // the test can end and report.
    while (finished.wait_for(std::chrono::milliseconds(10)) != std::future_status::ready) {
        const int writer = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
        if (writer >= 0)
            ::close(writer);
    }
    reader.join();
    ASSERT_TRUE(inTime) << "the store was opened as a file and waited for a writer";
    EXPECT_TRUE(finished.get());
    struct stat status {};
    ASSERT_EQ(::lstat(fifo.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode)) << "left as it is";
    EXPECT_TRUE(log.Has(QStringLiteral("not a regular file")));
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
