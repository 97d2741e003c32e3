// SPDX-License-Identifier: GPL-3.0-or-later
// The program: one QApplication, one run of the application object.
#include "app/AppIcon.h"
#include "app/AppLog.h"
#include "app/CommandLine.h"
#include "app/StartupMilestones.h"
#include "app/TovikEliteAppApp.h"
#include "platform/SessionDisplay.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

// The executable's own file, known before any Qt application object exists.
QString ExecutablePath()
{
    const QFileInfo self(QStringLiteral("/proc/self/exe"));
    return self.exists() ? self.symLinkTarget() : QString();
}

} // namespace

int main(int argc, char** argv)
{
    RecordMilestone("process");
    // --help and --version are answered without a display or a device.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLineOptions options = ParseCommandLine(arguments);
    switch (options.request) {
    case CommandLineRequest::Help:
        std::fputs(HelpText().toLocal8Bit().constData(), stdout);
        return 0;
    case CommandLineRequest::Version: {
        const QString version = VersionText(ExecutablePath());
        if (version.isEmpty()) {
            std::fputs("zemko-tovik: this executable carries no version block\n", stderr);
            return 1;
        }
        std::printf("%s\n", version.toLocal8Bit().constData());
        return 0;
    }
    case CommandLineRequest::Usage:
        std::fprintf(stderr, "zemko-tovik: %s\nTry 'zemko-tovik --help'.\n", options.error.toLocal8Bit().constData());
        return 2;
    case CommandLineRequest::Run:
        break;
    }

    // Without a display Qt would abort; say why and end instead.
    const QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (const std::optional<QString> reason = NoDisplayReason(environment, QtHasPlatformPlugin)) {
        std::fprintf(stderr, "zemko-tovik: cannot open a window: %s\n", reason->toLocal8Bit().constData());
        return 1;
    }
    // In a Wayland session with XWayland the skinned windows run on X11, where
    // popups can be placed beside the main window (QT_QPA_PLATFORM or Qt's own
    // -platform option still decides).
    std::vector<char*> qtArguments(argv, argv + argc);
    QByteArray platformOption = "-platform";
    QByteArray platform;
    const bool platformGiven =
        arguments.contains(QStringLiteral("-platform")) || arguments.contains(QStringLiteral("--platform"));
    const std::optional<QString> preferred = platformGiven ? std::nullopt : PreferredPlatform(environment);
    if (preferred) {
        platform = preferred->toLatin1();
        qtArguments.push_back(platformOption.data());
        qtArguments.push_back(platform.data());
    }
    int qtArgumentCount = static_cast<int>(qtArguments.size());
    qtArguments.push_back(nullptr);
    std::optional<DisplayFailureExit> displayFailure(std::in_place, "zemko-tovik");
    QApplication application(qtArgumentCount, qtArguments.data());
    displayFailure.reset();
    qCDebug(lcApp).noquote() << "window system:" << QGuiApplication::platformName();
    // The desktop matches windows to the menu entry (and its icon) by this name.
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopName));
    // The run ends when the main window closes; there is no other main loop.
    QApplication::setQuitOnLastWindowClosed(false);
    AppOptions appOptions;
    appOptions.language = options.language;
    CTovikEliteAppApp app(std::move(appOptions));
    return app.Run();
}
