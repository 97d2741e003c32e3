// SPDX-License-Identifier: GPL-3.0-or-later
// The program as a desktop program: its command line, where it finds its data,
// its icon, and what the user learns when nothing opens the manual or a page.
#include "AppTestSupport.h"

#include "app/AppDirectory.h"
#include "app/CommandLine.h"
#include "app/OpenFailedPopup.h"
#include "controls/BitmapBtn.h"
#include "device/FileVersions.h"
#include "skin/ItemIds.h"

#include <QFile>
#include <QImage>
#include <QProcess>

#ifndef ZT_PROGRAM
#error "ZT_PROGRAM must name the built zemko-tovik"
#endif
#ifndef ZT_DEVICES_TOOL
#error "ZT_DEVICES_TOOL must name the built zemko-tovik-devices"
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
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(u' ').toStdString());
        EXPECT_EQ(ParseCommandLine(QStringList{QStringLiteral("zemko-tovik")} + c.arguments), c.expected);
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

    for (const QString& executable : {program, tool}) {
        SCOPED_TRACE(executable.toStdString());
        const QString embedded = EmbeddedVersion(executable);
        ASSERT_FALSE(embedded.isEmpty()) << "no version block";
        EXPECT_TRUE(embedded.startsWith(QStringLiteral(ZT_PROJECT_VERSION) + u'.')) << embedded.toStdString();
        const QString expected = QFileInfo(executable).fileName() + u' ' + embedded + u'\n';
        const ProcessResult version = RunProcess(executable, {"--version"}, bare);
        EXPECT_EQ(version.exitCode, 0) << version.errors.toStdString();
        EXPECT_EQ(version.output, expected);
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
