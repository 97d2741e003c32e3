// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a desktop program: its command line, where it finds its data,
// its icon, and what the user learns when nothing opens the manual or a page.
#include "AppTestSupport.h"

#include "app/AppDirectory.h"
#include "app/CommandLine.h"
#include "app/ExchangeFolder.h"
#include "app/OpenFailedPopup.h"
#include "controls/BitmapBtn.h"
#include "device/FileVersions.h"
#include "platform/Registry.h"
#include "skin/ItemIds.h"

#include <QFile>
#include <QImage>
#include <QProcess>

#include <fstream>
#include <map>

#ifndef ZT_PROGRAM
#error "ZT_PROGRAM must name the built zemko-tovik"
#endif
#ifndef ZT_DEVICES_TOOL
#error "ZT_DEVICES_TOOL must name the built zemko-tovik-devices"
#endif
#ifndef ZT_TRAY
#error "ZT_TRAY must name the built zemko-tovik-tray"
#endif
#ifndef ZT_PROJECT_VERSION
#error "ZT_PROJECT_VERSION must give the project's version"
#endif

namespace {

struct ProcessResult {
    int exitCode = -1;
    QString output; // standard output
    QString errors;
};

// Runs `program` to its end with the given arguments and extra environment.
ProcessResult RunProcess(const QString& program, const QStringList& arguments,
                         const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    ProcessResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return result;
    result.exitCode = process.exitCode();
    result.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    result.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return result;
}

QString EmbeddedVersion(const QString& executable)
{
    CFileVersions versions;
    versions.SetPath(executable.toStdU16String());
    return versions.Read() ? QString::fromStdU16String(versions.ProductVersion()) : QString();
}

} // namespace

TEST(CommandLine, OnlyHelpAndVersionAreAnsweredAndEverythingElseRuns)
{
    struct Case {
        QStringList arguments;
        CommandLineRequest expected;
    };
    const Case cases[] = {
        {{}, CommandLineRequest::Run},
        {{"--help"}, CommandLineRequest::Help},
        {{"-h"}, CommandLineRequest::Help},
        {{"-?"}, CommandLineRequest::Help},
        {{"--version"}, CommandLineRequest::Version},
        {{"-v"}, CommandLineRequest::Version},
        {{"--version", "--help"}, CommandLineRequest::Help},
        // Qt's own options and anything unknown start the program as before.
        {{"-platform", "offscreen"}, CommandLineRequest::Run},
        {{"-platform", "offscreen", "--version"}, CommandLineRequest::Version},
        {{"-style=fusion"}, CommandLineRequest::Run},
        {{"-reverse"}, CommandLineRequest::Run},
        {{"--unknown", "some-file.zmp"}, CommandLineRequest::Run},
        {{"--", "--help"}, CommandLineRequest::Run},
        {{"--language", "Thai", "--help"}, CommandLineRequest::Help},
        {{"--language", "Thai"}, CommandLineRequest::Usage},
        {{"--language"}, CommandLineRequest::Usage},
        {{"--language="}, CommandLineRequest::Usage},
        {{"-platform", "offscreen", "--language"}, CommandLineRequest::Usage},
        {{"--", "--language"}, CommandLineRequest::Run},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CommandLineOptions options = ParseCommandLine(QStringList{QStringLiteral("zemko-tovik")} + c.arguments);
        EXPECT_EQ(options.request, c.expected);
        EXPECT_EQ(options.error.isEmpty(), c.expected != CommandLineRequest::Usage) << options.error.toStdString();
    }

    // The language of one run, by name or locale name; the last one given counts.
    const struct {
        QStringList arguments;
        int language;
    } languages[] = {
        {{}, -1},
        {{"--language", "French"}, 3},
        {{"--language=german"}, 5},
        {{"-language", "ja"}, 8},
        {{"--language", "fr_CA", "-platform", "offscreen"}, 4},
        {{"--language", "English", "--language", "Korean"}, 6},
    };
    for (const auto& c : languages) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const CommandLineOptions options = ParseCommandLine(QStringList{QStringLiteral("zemko-tovik")} + c.arguments);
        EXPECT_EQ(options.request, CommandLineRequest::Run);
        EXPECT_EQ(options.language, c.language);
    }
}

TEST(AppDirectory, TheInstalledDataFolderWinsOnlyWhenItHoldsTheSkin)
{
    TempDir temp;
    const QString root = QString::fromStdString(temp.path().string());
    ASSERT_TRUE(QDir().mkpath(root + "/bin"));
    ASSERT_TRUE(QDir().mkpath(root + "/share/zemko-tovik/xml"));
    const QString bin = root + "/bin";
    const QString data = root + "/share/zemko-tovik";
    const QString relative = QStringLiteral("../share/zemko-tovik");

    EXPECT_EQ(FindAppDirectory(bin, relative), bin) << "an empty data folder is not the application directory";
    QFile skin(data + "/xml/MainPage.xml");
    ASSERT_TRUE(skin.open(QIODevice::WriteOnly));
    skin.close();
    EXPECT_EQ(FindAppDirectory(bin, relative), data);
    EXPECT_EQ(FindAppDirectory(bin + "/", relative), data);
    EXPECT_EQ(FindAppDirectory(bin, QString()), bin);
    EXPECT_EQ(FindAppDirectory(bin, data), bin) << "only a path relative to the executable is followed";
    // The icons sit beside the data folder, in the theme of the installation.
    EXPECT_EQ(IconThemeDirectory(data), root + "/share/icons/hicolor");
}

TEST(Executables, HelpAndVersionNeedNoDisplayAndTheVersionIsTheEmbeddedOne)
{
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        bare.remove(QLatin1String(name));
    const QString program = QStringLiteral(ZT_PROGRAM);
    const QString tool = QStringLiteral(ZT_DEVICES_TOOL);

    for (const QString& executable : {program, tool, QStringLiteral(ZT_TRAY)}) {
        SCOPED_TRACE(executable.toStdString());
        const QString embedded = EmbeddedVersion(executable);
        ASSERT_FALSE(embedded.isEmpty()) << "no version block";
        EXPECT_TRUE(embedded.startsWith(QStringLiteral(ZT_PROJECT_VERSION) + u'.')) << embedded.toStdString();
        const QString expected = QFileInfo(executable).fileName() + u' ' + embedded + u'\n';
        // -v means the same in every executable.
        for (const char* option : {"--version", "-v"}) {
            const ProcessResult version = RunProcess(executable, {QLatin1String(option)}, bare);
            EXPECT_EQ(version.exitCode, 0) << option << version.errors.toStdString();
            EXPECT_EQ(version.output, expected) << option;
        }
        const ProcessResult help = RunProcess(executable, {"--help"}, bare);
        EXPECT_EQ(help.exitCode, 0) << help.errors.toStdString();
        EXPECT_TRUE(help.output.contains(QStringLiteral("--version"))) << help.output.toStdString();
    }

    // The device tool answers them wherever they stand, even after a wrong word.
    struct Case {
        QStringList arguments;
        QString firstWord;
    };
    const Case anywhere[] = {
        {{"list", "--version"}, "zemko-tovik-devices"},
        {{"--dir", "/nonexistent", "--version"}, "zemko-tovik-devices"},
        {{"no-such-command", "--help"}, "usage:"},
        {{"plug", "nothing", "-h"}, "usage:"},
    };
    for (const Case& c : anywhere) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        const ProcessResult r = RunProcess(tool, c.arguments, bare);
        EXPECT_EQ(r.exitCode, 0) << r.errors.toStdString();
        EXPECT_TRUE(r.output.startsWith(c.firstWord)) << r.output.toStdString();
    }
    EXPECT_FALSE(QDir(QStringLiteral("/nonexistent")).exists()) << "--version must not create the device directory";
}

// The window at twice the scale: twice the pixels, and the corners the shape cuts
// away stay transparent.
TEST_F(AppTest, TheMainWindowKeepsItsShapeWhenTheScreenIsScaled)
{
    Plug(0x0031);
    const QString folder = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    // A runtime folder of its own, so that no other copy of the program (one a
    // parallel test starts) takes this run for a second instance.
    const std::filesystem::path runtime = temp_ / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
    std::vector<QImage> pictures;
    for (const char* scale : {"1", "2"}) {
        SCOPED_TRACE(scale);
        const QString picturePath = folder + QStringLiteral("/main-window-scale%1.png").arg(QLatin1String(scale));
        QFile::remove(picturePath);
        environment.insert("QT_SCALE_FACTOR", QLatin1String(scale));
        environment.insert("ZEMKO_TOVIK_SCREENSHOT", picturePath);
        const ProcessResult r = RunProcess(QStringLiteral(ZT_PROGRAM), {}, environment);
        ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
        QImage picture(picturePath);
        ASSERT_FALSE(picture.isNull()) << "no picture at " << picturePath.toStdString();
        EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << "the corner is cut away";
        EXPECT_EQ(qAlpha(picture.pixel(picture.width() / 2, picture.height() / 2)), 255);
        pictures.push_back(picture);
    }
    ASSERT_EQ(pictures.size(), 2u);
    EXPECT_EQ(pictures[1].size(), pictures[0].size() * 2);
}

TEST_F(AppTest, TheMainWindowCarriesTheProgramIcon)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        const QIcon icon = window.windowIcon();
        ASSERT_FALSE(icon.isNull());
        const QList<QSize> sizes = icon.availableSizes();
        EXPECT_TRUE(sizes.contains(QSize(16, 16)));
        EXPECT_TRUE(sizes.contains(QSize(256, 256)));
    });
}

// When no program opens the manual or a page, a notice says where it is.
TEST_F(AppTest, WhenNothingOpensTheManualOrAPageTheNoticeNamesIt)
{
    Plug(0x0031);
    bool openerWorks = true;
    SetShellOpenHandler([&](const ShellRequest& request) {
        shellRequests_.push_back(request);
        return openerWorks;
    });
    struct Case {
        int button;
        bool openerWorks;
        bool noticeExpected;
        QString inNotice;
    };
    const QString manual = QString::fromStdU16String(TestAppDirectory()) + "/Manuals/index.html";
    const Case cases[] = {
        {ItemId::BUTTON_HELP, true, false, {}},
        {ItemId::BUTTON_HELP, false, true, QDir::cleanPath(manual)},
        {ItemId::BUTTON_KORU, false, true, "https://www.zemko.example.com/"},
    };
    RunApp([&](CTovikEliteAppDlg& window) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.button);
            openerWorks = c.openerWorks;
            QString notice;
            if (c.noticeExpected) {
                ModalScript::EndNextRun("OpenFailedPopup.xml", IDOK, [&](CSkinWindow& popup) {
                    notice = static_cast<COpenFailedPopup&>(popup).MessageText();
                    // A picture of each notice for people to look at.
                    QDir().mkpath(QStringLiteral(ZT_TEST_SCREENSHOT_DIR));
                    popup.grab().save(QStringLiteral(ZT_TEST_SCREENSHOT_DIR "/open-failed-%1.png").arg(c.button));
                });
            }
            const size_t requestsBefore = shellRequests_.size();
            CBitmapBtn* button = window.Items().FindAs<CBitmapBtn>(c.button);
            ASSERT_NE(button, nullptr);
            QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
            EXPECT_EQ(shellRequests_.size(), requestsBefore + 1) << "the opener is always tried first";
            EXPECT_EQ(ModalScript::PendingAnswers(), 0u);
            if (c.noticeExpected) {
                EXPECT_TRUE(notice.contains(c.inNotice)) << notice.toStdString();
            }
        }
    });
    EXPECT_TRUE(WasRun("OpenFailedPopup.xml"));
}

TEST(Executables, WithoutADisplayTheProgramsSaySoAndEndWithExitCodeOne)
{
    QProcessEnvironment bare = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY", "XDG_SESSION_TYPE"})
        bare.remove(QLatin1String(name));
    TempDir temp;
    bare.insert("ZEMKO_TOVIK_DEVICE_DIR", QString::fromStdString((temp / "devices").string()));
    bare.insert("ZEMKO_TOVIK_REGISTRY", QString::fromStdString((temp / "registry.ini").string()));
    bare.insert("XDG_CONFIG_HOME", QString::fromStdString((temp / "config").string()));
    const std::filesystem::path runtime = temp / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    bare.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
    const struct {
        const char* name;
        const char* display; // nullptr: not set
    } sessions[] = {
        {"no display at all", nullptr},
        // Named, but no X server answers there: Qt itself finds out.
        {"a display no server answers", ":397"},
    };
    for (const QString& executable : {QStringLiteral(ZT_PROGRAM), QStringLiteral(ZT_TRAY)}) {
        for (const auto& session : sessions) {
            SCOPED_TRACE(executable.toStdString() + ": " + session.name);
            QProcessEnvironment environment = bare;
            if (session.display)
                environment.insert("DISPLAY", QLatin1String(session.display));
            const ProcessResult r = RunProcess(executable, {}, environment);
            EXPECT_EQ(r.exitCode, 1) << r.errors.toStdString();
            EXPECT_TRUE(r.errors.contains(QFileInfo(executable).fileName() + QStringLiteral(": cannot ")))
                << r.errors.toStdString();
        }
    }
    EXPECT_FALSE(std::filesystem::exists(temp / "devices")) << "nothing is started without a window";
}

TEST(Executables, AWrongLanguageIsAUsageError)
{
    for (const QStringList& arguments : {QStringList{"--language", "Klingon"}, QStringList{"--language"}}) {
        SCOPED_TRACE(arguments.join(u' ').toStdString());
        const ProcessResult r = RunProcess(QStringLiteral(ZT_PROGRAM), arguments);
        EXPECT_EQ(r.exitCode, 2);
        EXPECT_TRUE(r.errors.startsWith(QStringLiteral("zemko-tovik: "))) << r.errors.toStdString();
        EXPECT_TRUE(r.output.isEmpty());
    }
}

// The session's locale alone makes the window French: no language is chosen in
// the registry file and none on the command line.
TEST_F(AppTest, TheLocaleAloneMakesTheMainWindowFrench)
{
    Plug(0x0031);
    const QString folder = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    const std::filesystem::path runtime = temp_ / "runtime";
    std::filesystem::create_directories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
        environment.remove(QLatin1String(name));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_RUNTIME_DIR", QString::fromStdString(runtime.string()));
    std::map<std::string, QImage> pictures;
    for (const char* locale : {"C.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8"}) {
        SCOPED_TRACE(locale);
        const QString picturePath = folder + QStringLiteral("/main-window-locale-%1.png").arg(QLatin1String(locale));
        QFile::remove(picturePath);
        environment.insert("LANG", QLatin1String(locale));
        environment.insert("ZEMKO_TOVIK_SCREENSHOT", picturePath);
        const ProcessResult r = RunProcess(QStringLiteral(ZT_PROGRAM), {}, environment);
        ASSERT_EQ(r.exitCode, 0) << r.errors.toStdString();
        pictures[locale] = QImage(picturePath);
        ASSERT_FALSE(pictures[locale].isNull()) << picturePath.toStdString();
    }
    EXPECT_NE(pictures["C.UTF-8"], pictures["fr_FR.UTF-8"]) << "the French texts are drawn";
    EXPECT_NE(pictures["fr_FR.UTF-8"], pictures["de_DE.UTF-8"]);
    const std::optional<RegistryKey> key = RegistryKey::Open(RegistryRoot::LocalMachine, u"Software\\Zemko\\Tovik");
    EXPECT_TRUE(!key || !key->QueryString(u"Language")) << "following the session chooses nothing for the user";
}

TEST_F(AppTest, ExportAndImportStartInTheLastFolderElseTheUsersDocuments)
{
    const std::filesystem::path home = temp_ / "home";
    std::filesystem::create_directories(home);
    const QByteArray previousHome = qgetenv("HOME");
    qputenv("HOME", QByteArray::fromStdString(home.string()));
    const QString homeText = QString::fromStdString(home.string());
    const std::u16string homeFolder = homeText.toStdU16String() + u"/";

    // No documents folder: the home folder, never the program's data folder.
    EXPECT_EQ(ExchangeStartFolder(), homeFolder);
    // The documents folder of the user's XDG user directories.
    std::filesystem::create_directories(home / "Dokumente");
    std::filesystem::create_directories(temp_ / "config");
    std::ofstream(temp_ / "config" / "user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n";
    EXPECT_EQ(ExchangeStartFolder(), homeFolder + u"Dokumente/");

    // The folder of the last file chosen, while it exists.
    const std::filesystem::path elsewhere = temp_ / "exports" / "mice";
    std::filesystem::create_directories(elsewhere);
    ModalScript::AnswerNextSaveFile((elsewhere / "a.zmp").u16string());
    FileDialogRequest request;
    request.initialDirectory = TestAppDirectory() + u"save/";
    EXPECT_EQ(AskExchangeFileToSave(request), (elsewhere / "a.zmp").u16string());
    EXPECT_EQ(ModalScript::Records().back().fileRequest.initialDirectory, homeFolder + u"Dokumente/");
    EXPECT_EQ(ExchangeStartFolder(), elsewhere.u16string() + u"/");
    // A cancelled dialog remembers nothing.
    ModalScript::AnswerNextOpenFile(std::nullopt);
    EXPECT_FALSE(AskExchangeFileToOpen(request));
    EXPECT_EQ(ModalScript::Records().back().fileRequest.initialDirectory, elsewhere.u16string() + u"/");
    EXPECT_EQ(ExchangeStartFolder(), elsewhere.u16string() + u"/");
    // Gone (an unplugged stick): back to the documents folder.
    std::filesystem::remove_all(elsewhere);
    EXPECT_EQ(ExchangeStartFolder(), homeFolder + u"Dokumente/");
    qputenv("HOME", previousHome);
}
