// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SessionDisplay.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <cstdlib>

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

namespace {

const char* g_failingProgram = nullptr;
QtMessageHandler g_previousHandler = nullptr;

void ExitOnFatal(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type != QtFatalMsg || !g_failingProgram) {
        if (g_previousHandler)
            g_previousHandler(type, context, message);
        return;
    }
    // Qt's own text names the plugins it tried; the first line is what matters.
    const QString reason = message.section(QLatin1Char('\n'), 0, 0).trimmed();
    std::fprintf(stderr, "%s: cannot open a window: %s\n", g_failingProgram, qPrintable(reason));
    std::fflush(stderr);
    std::_Exit(1);
}

} // namespace

DisplayFailureExit::DisplayFailureExit(const char* program)
{
    g_failingProgram = program;
    g_previousHandler = qInstallMessageHandler(ExitOnFatal);
}

DisplayFailureExit::~DisplayFailureExit()
{
    qInstallMessageHandler(g_previousHandler);
    g_previousHandler = nullptr;
    g_failingProgram = nullptr;
}

std::optional<QString> PreferredPlatform(const QProcessEnvironment& environment)
{
    const auto isSet = [&](const char* name) { return !environment.value(QString::fromLatin1(name)).isEmpty(); };
    if (isSet("QT_QPA_PLATFORM"))
        return std::nullopt;
    if (isSet("WAYLAND_DISPLAY") && isSet("DISPLAY"))
        // Qt tries them in order: Wayland still works when no X server answers.
        return QStringLiteral("xcb;wayland");
    return std::nullopt;
}
