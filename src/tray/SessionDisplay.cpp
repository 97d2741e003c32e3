// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/SessionDisplay.h"

#include <QCoreApplication>
#include <QDir>

std::optional<QString> NoDisplayReason(const QProcessEnvironment& environment,
                                       const std::function<bool(const QString&)>& hasPlatformPlugin)
{
    const auto isSet = [&](const char* name) { return !environment.value(QString::fromLatin1(name)).isEmpty(); };
    if (isSet("QT_QPA_PLATFORM") || isSet("DISPLAY"))
        return std::nullopt;
    const bool wayland =
        isSet("WAYLAND_DISPLAY") || environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    if (!wayland)
        return QStringLiteral("there is no graphical session (neither DISPLAY nor WAYLAND_DISPLAY is set)");
    if (hasPlatformPlugin(QStringLiteral("wayland")))
        return std::nullopt;
    return QStringLiteral("this Wayland session has no X server, and Qt's Wayland support (the package "
                          "qt6-wayland) is not installed");
}

bool QtHasPlatformPlugin(const QString& name)
{
    // Works before the application object exists: the paths come from Qt's
    // installation and QT_PLUGIN_PATH.
    for (const QString& path : QCoreApplication::libraryPaths()) {
        const QDir platforms(path + QStringLiteral("/platforms"));
        if (!platforms.entryList({QStringLiteral("libq") + name + QStringLiteral("*.so")}, QDir::Files).isEmpty())
            return true;
    }
    return false;
}
