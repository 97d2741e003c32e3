// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Starting a program with the desktop session, as the session reads it (XDG
// autostart): entries named NAME.desktop in the user's folder
// ($XDG_CONFIG_HOME/autostart, default ~/.config/autostart) and in the system's
// ($DIR/autostart for each DIR of $XDG_CONFIG_DIRS, default /etc/xdg). The user's
// entry shadows a system entry of the same name; an entry with Hidden=true or
// X-GNOME-Autostart-enabled=false starts nothing.
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <optional>

struct AutostartFolders {
    QString user;
    QStringList system; // in the order the session reads them, first wins
};

// The folders of this session, from the given environment.
AutostartFolders AutostartFoldersFrom(const QProcessEnvironment& environment);

// Whether the entry file `path` exists and, as far as its [Desktop Entry] says,
// starts its program: nothing when the file is missing or unreadable, false when
// it is hidden or disabled, true otherwise.
std::optional<bool> EntryStartsProgram(const QString& path);

// The user turned the entry off: their own entry exists and is hidden or disabled.
bool UserTurnedAutostartOff(const AutostartFolders& folders, const QString& fileName);

// The session will start the entry's program: the user's entry decides when it
// exists, else the first system entry found; false when there is none.
bool StartsWithSession(const AutostartFolders& folders, const QString& fileName);

// What a user entry that starts the program says about it.
struct AutostartProgram {
    QString name;       // Name=
    QString comment;    // Comment=
    QString executable; // absolute path: Exec= (quoted as needed) and TryExec=
    QString icon;       // Icon=
};

// Writes the user's choice as their own entry, replacing the file whole (never a
// torn file): when `enabled`, an entry that starts `program` wherever it is
// installed; otherwise one with Hidden=true and X-GNOME-Autostart-enabled=false.
// Creates the folder when missing. False, with the file left as it was, when the
// folder or the file cannot be written or the executable path is not absolute.
bool WriteUserAutostart(const AutostartFolders& folders, const QString& fileName, bool enabled,
                        const AutostartProgram& program);

// One argument of an Exec= line, quoted as desktop entries require, with the
// escapes of a desktop entry string value applied on top.
QString DesktopExecArgument(const QString& argument);
