// SPDX-License-Identifier: GPL-3.0-or-later
// The program: one QApplication, one run of the application object.
#include "app/AppIcon.h"
#include "app/CommandLine.h"
#include "app/StartupMilestones.h"
#include "app/TovikEliteAppApp.h"

#include <QApplication>
#include <QFileInfo>
#include <cstdio>

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
    switch (ParseCommandLine(arguments)) {
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
    case CommandLineRequest::Run:
        break;
    }

    QApplication application(argc, argv);
    // The desktop matches windows to the menu entry (and its icon) by this name.
    QGuiApplication::setDesktopFileName(QLatin1String(kDesktopName));
    // The run ends when the main window closes; there is no other main loop.
    QApplication::setQuitOnLastWindowClosed(false);
    CTovikEliteAppApp app;
    return app.Run();
}
