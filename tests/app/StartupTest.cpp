// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppTestSupport.h"

#include "app/ProductKey.h"
#include "device/server/DeviceServer.h"
#include "platform/Registry.h"
#include "settings/IMouseConfig.h"
#include "settings/Macro.h"
#include "skin/LangTable.h"
#include "skin/SessionLanguage.h"
#include "skin/keyboard/KeyHash.h"
#include "skin/keyboard/KeyboardDef.h"

#include <QFileInfo>
#include <QLibraryInfo>
#include <fstream>

namespace {

void SetProductValue(std::u16string_view name, std::u16string_view value)
{
    auto key = RegistryKey::Create(RegistryRoot::LocalMachine, u"Software\\Zemko\\Tovik");
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->SetString(name, value));
}

bool TrayProgramRequested(const std::vector<ShellRequest>& requests)
{
    for (const ShellRequest& request : requests)
        if (request.file.ends_with(u"/zemko-tovik-tray"))
            return true;
    return false;
}

using ProductKeyTest = AppTest;

TEST_F(ProductKeyTest, LanguageNamesIgnoreCaseAndUnknownNamesFallBackToEnglish)
{
    SetProductValue(u"Language", u"german");
    EXPECT_EQ(ReadProductKey().languageNumber, 5);
    SetProductValue(u"Language", u"Klingon");
    EXPECT_EQ(ReadProductKey().languageNumber, -1);
    // A value longer than the original buffer counts as missing.
    SetProductValue(u"Language", std::u16string(40, u'x'));
    EXPECT_EQ(ReadProductKey().languageNumber, 0);

    // Selection: the chosen table, else English, else none.
    ResetLanguages();
    EXPECT_EQ(SelectStartupLanguage(5), -1);
    EXPECT_EQ(CurrentLanguage(), nullptr);
    CLangTable english(0);
    RegisterLanguage(0, &english);
    EXPECT_EQ(SelectStartupLanguage(-1), 0);
    EXPECT_EQ(SelectStartupLanguage(5), 0);
    CLangTable german(5);
    RegisterLanguage(5, &german);
    EXPECT_EQ(SelectStartupLanguage(5), 5);
    EXPECT_EQ(CurrentLanguage(), &german);
    ResetLanguages();
}

TEST_F(ProductKeyTest, InstallDirectoryLosesItsTrailingSeparatorAndBecomesTheWorkingDirectory)
{
    const std::filesystem::path install = temp_ / "inst";
    std::filesystem::create_directories(install);
    SetProductValue(u"InstallDir", (install.u16string() + u"\\"));
    ProductKeySettings settings = ReadProductKey();
    ASSERT_TRUE(settings.installDirectory);
    EXPECT_EQ(*settings.installDirectory, install.u16string());

    SetProductValue(u"InstallDir", (install.u16string() + u"/"));
    settings = ReadProductKey();
    EXPECT_EQ(*settings.installDirectory, install.u16string());
    EXPECT_TRUE(EnterInstallDirectory(settings));
    EXPECT_EQ(QFileInfo(QDir::currentPath()).canonicalFilePath(),
              QFileInfo(QString::fromStdString(install.string())).canonicalFilePath());
    EXPECT_TRUE(TrayProgramRequested(shellRequests_));

    SetProductValue(u"InstallDir", install.u16string());
    EXPECT_EQ(*ReadProductKey().installDirectory, install.u16string());
}

TEST_F(ProductKeyTest, StartupTakesLanguageAndDirectoryFromTheKey)
{
    const std::filesystem::path install = temp_ / "inst";
    std::filesystem::create_directories(install);
    SetProductValue(u"Language", u"GERMAN");
    SetProductValue(u"InstallDir", install.u16string() + u"/");
    int languageDuringRun = -2;
    QString directoryDuringRun;
    // No mouse: the run ends with the no-mouse popup.
    RunApp([&](CTovikEliteAppDlg& window) {
        languageDuringRun = CurrentLanguage() ? CurrentLanguage()->LanguageId() : -1;
        directoryDuringRun = QDir::currentPath();
        WaitUntil([&] { return window.IsEnded(); });
    });
    EXPECT_EQ(languageDuringRun, 5);
    EXPECT_EQ(QFileInfo(directoryDuringRun).canonicalFilePath(),
              QFileInfo(QString::fromStdString(install.string())).canonicalFilePath());
    EXPECT_TRUE(TrayProgramRequested(shellRequests_));
}

TEST_F(ProductKeyTest, WithoutAKeyStartupRunsInEnglishFromTheApplicationDirectory)
{
    // A registry file that can be neither read nor created: its folder is a file.
    const std::filesystem::path blocker = temp_ / "not-a-folder";
    std::ofstream(blocker) << "x";
    setenv("ZEMKO_TOVIK_REGISTRY", (blocker / "registry.ini").c_str(), 1);
    EXPECT_FALSE(ReadProductKey().keyAvailable);

    int languageDuringRun = -2;
    QString directoryDuringRun;
    const auto outcome = RunApp([&](CTovikEliteAppDlg& window) {
        languageDuringRun = CurrentLanguage() ? CurrentLanguage()->LanguageId() : -1;
        directoryDuringRun = QDir::currentPath();
        WaitUntil([&] { return window.IsEnded(); });
    });
    EXPECT_EQ(outcome, CTovikEliteAppApp::Outcome::Completed);
    EXPECT_EQ(languageDuringRun, 0);
    EXPECT_EQ(QFileInfo(directoryDuringRun).canonicalFilePath(),
              QFileInfo(QString::fromStdU16String(TestAppDirectory())).canonicalFilePath());
    EXPECT_FALSE(TrayProgramRequested(shellRequests_));
}

TEST_F(AppTest, StartupLoadsTheKeyboardSoKeysReadFromTheDeviceAreKnown)
{
    CKeyboardDef::Instance().Clear();
    Plug(0x0031);
    std::string error;
    emulator::DeviceDirectory directory = Directory();
    auto image = directory.LoadImage(0x0031, error);
    ASSERT_TRUE(image) << error;
    // Left Ctrl pressed and released, as the device stores it.
    image->macros.push_back({GUID::Generate(),
                             u"Ctrl tap",
                             {{kMacroEventKeystroke, 0x1D, 0, 0}, {kMacroEventKeystroke, 0x1D, kMacroKeyRelease, 0}}});
    {
        emulator::DeviceLock lock(directory, 0x0031);
        ASSERT_TRUE(directory.SaveImage(*image, error)) << error;
    }
    std::vector<MacroEvent> events;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntil([&] { return window.IsFirstReadDone(); }));
        if (CMacro* macro = window.Config()->FindMacroByName(u"Ctrl tap"))
            events = macro->GetEvents();
        window.CloseWindow(IDCANCEL);
    });
    EXPECT_TRUE(CKeyboardDef::Instance().IsLoaded());
    EXPECT_EQ(CKeyboardDef::Instance().KeyByHash(HashKeyName(u"a A")).scanCode, 0x1E);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[0].VirtualKey(), 162); // left Ctrl, known by the keyboard definition
}

TEST_F(AppTest, ASecondInstanceBringsTheFirstForwardAndEnds)
{
    AppOptions first = Options();
    const std::string name = first.instanceName;
    Plug(0x0031);
    CTovikEliteAppApp::Outcome secondOutcome = CTovikEliteAppApp::Outcome::NotRun;
    bool restored = false;
    RunApp(
        [&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntil([&] { return window.IsFirstReadDone(); }));
            window.showMinimized();
            ASSERT_TRUE(window.isMinimized());
            AppOptions secondOptions = Options();
            secondOptions.instanceName = name;
            CTovikEliteAppApp second(secondOptions);
            EXPECT_EQ(second.Run(), 0);
            secondOutcome = second.LastOutcome();
            restored = WaitUntil([&] { return !window.isMinimized() && window.isVisible(); });
        },
        first);
    EXPECT_EQ(secondOutcome, CTovikEliteAppApp::Outcome::AnotherInstanceRunning);
    EXPECT_TRUE(restored);
}

} // namespace

TEST_F(ProductKeyTest, TheTrayIsStartedOnlyWhileTheUserHasNotTurnedItsAutostartOff)
{
    // The fixture points XDG_CONFIG_HOME at the test's own folder.
    const std::filesystem::path entry =
        std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "autostart" / "zemko-tovik-tray.desktop";
    const struct {
        const char* name;
        const char* entry; // nullptr: the user has no entry of their own
        bool started;
    } cases[] = {
        {"no entry of the user's", nullptr, true},
        {"the user's entry starts it", "[Desktop Entry]\nType=Application\nName=T\nExec=/x/zemko-tovik-tray\n", true},
        {"Hidden=true", "[Desktop Entry]\nType=Application\nName=T\nExec=zemko-tovik-tray\nHidden=true\n", false},
        {"X-GNOME-Autostart-enabled=false",
         "[Desktop Entry]\nType=Application\nName=T\nExec=zemko-tovik-tray\nX-GNOME-Autostart-enabled=false\n", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove(entry);
        if (c.entry) {
            std::filesystem::create_directories(entry.parent_path());
            std::ofstream(entry) << c.entry;
        }
        shellRequests_.clear();
        EnterInstallDirectory(ReadProductKey());
        EXPECT_EQ(TrayProgramRequested(shellRequests_), c.started);
    }
}

TEST(StartupLanguage, ArgumentThenTheChosenLanguageThenTheSession)
{
    const LocaleVariables french{"", "", "", "fr_FR.UTF-8"};
    ProductKeySettings none;
    ProductKeySettings german;
    german.languageChosen = true;
    german.languageNumber = 5;
    ProductKeySettings unknown;
    unknown.languageChosen = true;
    unknown.languageNumber = -1;
    const struct {
        const char* name;
        const ProductKeySettings& key;
        int argument;
        int expected;
    } cases[] = {
        {"the session when nothing is chosen", none, -1, 3},
        {"the chosen language over the session", german, -1, 5},
        {"an unknown chosen name stays unknown (English)", unknown, -1, -1},
        {"the argument over the chosen language", german, 8, 8},
        {"the argument over the session", none, 9, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(StartupLanguageNumber(c.key, c.argument, french), c.expected);
    }
}

TEST_F(ProductKeyTest, WithNoLanguageChosenTheSessionsLocaleSpeaksAndQtsDialogsFollow)
{
    if (!QFile::exists(QLibraryInfo::path(QLibraryInfo::TranslationsPath) + "/qtbase_fr.qm"))
        GTEST_SKIP() << "Qt's translations are not installed (qt6-translations-l10n)";
    const struct {
        const char* name;
        std::optional<std::u16string> keyLanguage;
        int argument;
        LocaleVariables session;
        int expected;
    } cases[] = {
        {"French session", std::nullopt, -1, {"", "", "", "fr_FR.UTF-8"}, 3},
        {"German chosen in a French session", u"German", -1, {"", "", "", "fr_FR.UTF-8"}, 5},
        {"--language Japanese", u"German", 8, {"", "", "", "fr_FR.UTF-8"}, 8},
        {"English session", std::nullopt, -1, {"", "", "", "en_US.UTF-8"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        auto key = RegistryKey::Create(RegistryRoot::LocalMachine, u"Software\\Zemko\\Tovik");
        ASSERT_TRUE(key);
        if (c.keyLanguage)
            ASSERT_TRUE(key->SetString(u"Language", *c.keyLanguage));
        else
            key->DeleteValue(u"Language");
        AppOptions options = Options();
        options.language = c.argument;
        options.session = c.session;
        int languageDuringRun = -2;
        QString qtColourLabel;
        RunApp(
            [&](CTovikEliteAppDlg& window) {
                languageDuringRun = CurrentLanguage() ? CurrentLanguage()->LanguageId() : -1;
                qtColourLabel = QCoreApplication::translate("QColorDialog", "&Basic colors");
                WaitUntil([&] { return window.IsEnded(); });
            },
            std::move(options));
        EXPECT_EQ(languageDuringRun, c.expected);
        EXPECT_EQ(qtColourLabel == QStringLiteral("&Basic colors"), c.expected == 0) << qtColourLabel.toStdString();
    }
}
