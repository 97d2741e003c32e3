// SPDX-License-Identifier: GPL-3.0-or-later
// Starting with the desktop session: what the session will do with the entries on
// disk, and the user's own entry written so that every desktop honours it.
#include "platform/Autostart.h"

#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace {

const QString kFile = QStringLiteral("zemko-tovik-tray.desktop");

QString Path(const TempDir& temp, const char* relative)
{
    return QString::fromStdString(temp.path().string()) + u'/' + QLatin1String(relative);
}

void WriteFile(const QString& path, const QByteArray& text)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray kEnabledEntry = "[Desktop Entry]\nType=Application\nName=Tray\nExec=zemko-tovik-tray\n";

} // namespace

TEST(Autostart, TheUsersEntryDecidesAndOnlyHiddenOrGnomeDisabledTurnsItOff)
{
    const struct {
        const char* name;
        const char* user;   // nullptr: no user entry
        const char* system; // nullptr: no system entry
        bool turnedOff;
        bool starts;
    } cases[] = {
        {"no entry anywhere", nullptr, nullptr, false, false},
        {"system entry only", nullptr, "[Desktop Entry]\nType=Application\nExec=x\n", false, true},
        {"system entry disabled", nullptr, "[Desktop Entry]\nExec=x\nX-GNOME-Autostart-enabled=false\n", false, false},
        {"user Hidden=true", "[Desktop Entry]\nExec=x\nHidden=true\n", "[Desktop Entry]\nExec=x\n", true, false},
        {"user X-GNOME-Autostart-enabled=false", "[Desktop Entry]\nExec=x\nX-GNOME-Autostart-enabled=false\n",
         "[Desktop Entry]\nExec=x\n", true, false},
        {"spaces around the equals sign", "[Desktop Entry]\nHidden = true\n", nullptr, true, false},
        {"user entry enabled over a disabled system one", "[Desktop Entry]\nExec=x\nHidden=false\n",
         "[Desktop Entry]\nExec=x\nHidden=true\n", false, true},
        {"user entry without either key", "[Desktop Entry]\nExec=x\n", nullptr, false, true},
        {"keys of another group do not count", "[Desktop Entry]\nExec=x\n[Desktop Action off]\nHidden=true\n", nullptr,
         false, true},
        {"a comment is not a key", "[Desktop Entry]\n# Hidden=true\nExec=x\n", nullptr, false, true},
        {"only the exact value false disables", "[Desktop Entry]\nX-GNOME-Autostart-enabled=False\n", nullptr, false,
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir temp;
        const AutostartFolders folders{Path(temp, "user"), {Path(temp, "system1"), Path(temp, "system2")}};
        if (c.user)
            WriteFile(folders.user + u'/' + kFile, c.user);
        if (c.system)
            WriteFile(folders.system[1] + u'/' + kFile, c.system);
        EXPECT_EQ(UserTurnedAutostartOff(folders, kFile), c.turnedOff);
        EXPECT_EQ(StartsWithSession(folders, kFile), c.starts);
    }
}

TEST(Autostart, FoldersFollowTheXdgVariablesAndTheirDefaults)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), QStringLiteral("/home/u"));
    AutostartFolders folders = AutostartFoldersFrom(environment);
    EXPECT_EQ(folders.user, QStringLiteral("/home/u/.config/autostart"));
    EXPECT_EQ(folders.system, QStringList{QStringLiteral("/etc/xdg/autostart")});

    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("/cfg/"));
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), QStringLiteral("/usr/local/etc/xdg:relative:/etc/xdg"));
    folders = AutostartFoldersFrom(environment);
    EXPECT_EQ(folders.user, QStringLiteral("/cfg/autostart"));
    EXPECT_EQ(folders.system,
              (QStringList{QStringLiteral("/usr/local/etc/xdg/autostart"), QStringLiteral("/etc/xdg/autostart")}));
    // A relative XDG_CONFIG_HOME is invalid and ignored.
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QStringLiteral("cfg"));
    EXPECT_EQ(AutostartFoldersFrom(environment).user, QStringLiteral("/home/u/.config/autostart"));
}

TEST(Autostart, TheWrittenChoiceIsWhatTheSessionReadsAndAValidEntry)
{
    TempDir temp;
    const AutostartFolders folders{Path(temp, "config/autostart"), {Path(temp, "xdg/autostart")}};
    WriteFile(folders.system[0] + u'/' + kFile, kEnabledEntry);
    const AutostartProgram program{QStringLiteral("Zemko Tovik Tray"), QStringLiteral("Battery and profiles"),
                                   Path(temp, "my programs/bin/zemko-tovik-tray"), QStringLiteral("zemko-tovik")};
    const QString userEntry = folders.user + u'/' + kFile;

    ASSERT_TRUE(WriteUserAutostart(folders, kFile, false, program));
    EXPECT_TRUE(UserTurnedAutostartOff(folders, kFile));
    EXPECT_FALSE(StartsWithSession(folders, kFile)) << "the user's entry hides the system one";
    const QByteArray off = ReadFile(userEntry);
    EXPECT_TRUE(off.contains("\nHidden=true\n") && off.contains("\nX-GNOME-Autostart-enabled=false\n")) << off.data();

    ASSERT_TRUE(WriteUserAutostart(folders, kFile, true, program));
    EXPECT_FALSE(UserTurnedAutostartOff(folders, kFile));
    EXPECT_TRUE(StartsWithSession(folders, kFile));
    const QByteArray on = ReadFile(userEntry);
    // A path with a space is quoted, so a prefix anywhere starts the right program.
    EXPECT_TRUE(on.contains("\nExec=\"" + program.executable.toUtf8() + "\"\n")) << on.data();
    EXPECT_TRUE(on.contains("\nTryExec=" + program.executable.toUtf8() + "\n")) << on.data();

    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    if (!validator.isEmpty()) {
        for (bool enabled : {true, false}) {
            ASSERT_TRUE(WriteUserAutostart(folders, kFile, enabled, program));
            QProcess validate;
            validate.start(validator, {userEntry});
            ASSERT_TRUE(validate.waitForFinished(30000));
            EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().constData();
        }
    }
}

TEST(Autostart, AnUnwritableFolderOrARelativeProgramChangesNothing)
{
    TempDir temp;
    const AutostartProgram program{QStringLiteral("Tray"), {}, QStringLiteral("/usr/bin/zemko-tovik-tray"), {}};
    // The user's configuration folder is a file: nothing can be created below it.
    WriteFile(Path(temp, "config"), "not a folder");
    const AutostartFolders blocked{Path(temp, "config/autostart"), {}};
    EXPECT_FALSE(WriteUserAutostart(blocked, kFile, false, program));
    EXPECT_EQ(ReadFile(Path(temp, "config")), QByteArray("not a folder"));

    const AutostartFolders folders{Path(temp, "user"), {}};
    WriteFile(folders.user + u'/' + kFile, "[Desktop Entry]\nHidden=true\n");
    AutostartProgram relative = program;
    relative.executable = QStringLiteral("zemko-tovik-tray");
    EXPECT_FALSE(WriteUserAutostart(folders, kFile, true, relative));
    EXPECT_EQ(ReadFile(folders.user + u'/' + kFile), QByteArray("[Desktop Entry]\nHidden=true\n"));
}

TEST(Autostart, ExecArgumentsAreQuotedAndEscapedAsDesktopEntriesRequire)
{
    const struct {
        const char* argument;
        const char* expected;
    } cases[] = {
        {"/usr/bin/zemko-tovik-tray", "/usr/bin/zemko-tovik-tray"},
        {"/opt/my apps/tray", "\"/opt/my apps/tray\""},
        {"/opt/a$b/tray", "\"/opt/a\\\\$b/tray\""},
        {"/opt/back\\slash", "\"/opt/back\\\\\\\\slash\""},
        {"/opt/100%/tray", "/opt/100%%/tray"},
        {"", "\"\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        EXPECT_EQ(DesktopExecArgument(QString::fromUtf8(c.argument)), QString::fromUtf8(c.expected));
    }
}
