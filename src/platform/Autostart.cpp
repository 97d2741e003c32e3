// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Autostart.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

namespace {

QString AutostartFolderOf(const QString& configDirectory)
{
    return QDir::cleanPath(configDirectory) + QStringLiteral("/autostart");
}

// A desktop entry string value: backslash, line breaks and tabs are escaped.
QString EscapeValue(const QString& value)
{
    QString escaped;
    for (QChar c : value) {
        if (c == u'\\')
            escaped += QStringLiteral("\\\\");
        else if (c == u'\n')
            escaped += QStringLiteral("\\n");
        else if (c == u'\t')
            escaped += QStringLiteral("\\t");
        else if (c == u'\r')
            escaped += QStringLiteral("\\r");
        else
            escaped += c;
    }
    return escaped;
}

} // namespace

AutostartFolders AutostartFoldersFrom(const QProcessEnvironment& environment)
{
    AutostartFolders folders;
    QString configHome = environment.value(QStringLiteral("XDG_CONFIG_HOME"));
    // Relative paths are not valid there and are ignored, as the session does.
    if (configHome.isEmpty() || !QDir::isAbsolutePath(configHome))
        configHome = environment.value(QStringLiteral("HOME")) + QStringLiteral("/.config");
    folders.user = AutostartFolderOf(configHome);
    QString configDirs = environment.value(QStringLiteral("XDG_CONFIG_DIRS"));
    if (configDirs.isEmpty())
        configDirs = QStringLiteral("/etc/xdg");
    for (const QString& directory : configDirs.split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(directory))
            folders.system << AutostartFolderOf(directory);
    }
    return folders;
}

std::optional<bool> EntryStartsProgram(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    QTextStream stream(&file);
    stream.setEncoding(QStringConverter::Utf8);
    bool inMainGroup = false;
    bool starts = true;
    while (!stream.atEnd()) {
        const QString line = stream.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            inMainGroup = line == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inMainGroup || equals <= 0)
            continue;
        const QString key = line.left(equals).trimmed();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == QLatin1String("Hidden") && value == QLatin1String("true"))
            starts = false;
        if (key == QLatin1String("X-GNOME-Autostart-enabled") && value == QLatin1String("false"))
            starts = false;
    }
    return starts;
}

bool UserTurnedAutostartOff(const AutostartFolders& folders, const QString& fileName)
{
    return EntryStartsProgram(folders.user + u'/' + fileName) == std::optional<bool>(false);
}

bool StartsWithSession(const AutostartFolders& folders, const QString& fileName)
{
    if (const std::optional<bool> user = EntryStartsProgram(folders.user + u'/' + fileName))
        return *user;
    for (const QString& folder : folders.system) {
        if (const std::optional<bool> system = EntryStartsProgram(folder + u'/' + fileName))
            return *system;
    }
    return false;
}

QString DesktopExecArgument(const QString& argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = argument.isEmpty();
    for (QChar c : argument)
        needsQuotes = needsQuotes || reserved.contains(c);
    QString quoted;
    if (!needsQuotes) {
        quoted = argument;
    } else {
        quoted = QStringLiteral("\"");
        for (QChar c : argument) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                quoted += u'\\';
            quoted += c;
        }
        quoted += u'"';
    }
    // A field code would be expanded by the launcher.
    quoted.replace(QStringLiteral("%"), QStringLiteral("%%"));
    return EscapeValue(quoted);
}

bool WriteUserAutostart(const AutostartFolders& folders, const QString& fileName, bool enabled,
                        const AutostartProgram& program)
{
    if (enabled && !QDir::isAbsolutePath(program.executable))
        return false;
    if (!QDir().mkpath(folders.user))
        return false;
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QStringLiteral("Name=") + EscapeValue(program.name) + u'\n';
    if (!program.comment.isEmpty())
        text += QStringLiteral("Comment=") + EscapeValue(program.comment) + u'\n';
    if (!program.executable.isEmpty()) {
        text += QStringLiteral("Exec=") + DesktopExecArgument(program.executable) + u'\n';
        text += QStringLiteral("TryExec=") + EscapeValue(program.executable) + u'\n';
    }
    if (!program.icon.isEmpty())
        text += QStringLiteral("Icon=") + EscapeValue(program.icon) + u'\n';
    text += QStringLiteral("Terminal=false\nNoDisplay=true\n");
    text += enabled ? QStringLiteral("Hidden=false\nX-GNOME-Autostart-enabled=true\n")
                    : QStringLiteral("Hidden=true\nX-GNOME-Autostart-enabled=false\n");
    QSaveFile file(folders.user + u'/' + fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray bytes = text.toUtf8();
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
