// SPDX-License-Identifier: GPL-3.0-or-later
// The tray companion: one copy per user, an icon in the system tray with the
// mouse's battery, a menu with its profiles, and automatic switching of profiles
// for the focused program where the session lets us see which program that is.
#include "app/AppDirectory.h"
#include "device/FileVersions.h"
#include "emulator/DeviceChannel.h"
#include "emulator/EmulatedDeviceServer.h"
#include "platform/SessionDisplay.h"
#include "platform/SingleInstance.h"
#include "skin/AppPaths.h"
#include "skin/GUIItems.h"
#include "tray/TrayController.h"
#include "tray/TrayTexts.h"
#include "tray/X11FocusWatcher.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QSystemTrayIcon>

#include <cstdio>
#include <cstring>

namespace {

Q_LOGGING_CATEGORY(lcTrayMain, "zemko.tovik.tray")

constexpr const char* kHelp = "Usage: zemko-tovik-tray [--help | --version]\n"
                              "Shows the Zemko Tovik mouse's battery and profiles in the system tray and\n"
                              "switches profiles for the focused program. One copy runs per user.\n"
                              "\n"
                              "Options:\n"
                              "  -h, --help     print this help and exit\n"
                              "  -v, --version  print the program's version and exit\n";

// The version the build embedded in this executable, the same as the program's.
int PrintVersion()
{
    CFileVersions versions;
    versions.SetToModulePath();
    if (!versions.Read()) {
        std::fputs("zemko-tovik-tray: this executable carries no version block\n", stderr);
        return 1;
    }
    const std::u16string& version = versions.ProductVersion();
    std::printf("zemko-tovik-tray %s\n", std::string(version.begin(), version.end()).c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0 || std::strcmp(argv[i], "-v") == 0)
            return PrintVersion();
    }

    if (const std::optional<QString> reason =
            NoDisplayReason(QProcessEnvironment::systemEnvironment(), QtHasPlatformPlugin)) {
        std::fprintf(stderr, "zemko-tovik-tray: cannot show a tray icon: %s\n", qPrintable(*reason));
        return 1;
    }
    std::optional<DisplayFailureExit> displayFailure(std::in_place, "zemko-tovik-tray");
    QApplication application(argc, argv);
    displayFailure.reset();
    QApplication::setQuitOnLastWindowClosed(false);

    SingleInstance instance("zemko-tovik-tray");
    switch (instance.Claim()) {
    case SingleInstance::Outcome::AnotherRunning:
    case SingleInstance::Outcome::AnotherStarting:
        return 0;
    case SingleInstance::Outcome::First:
    case SingleInstance::Outcome::Failed: // without the rendezvous the tray still works
        break;
    }

    emulator::RegisterEmulatedDeviceServer();
    emulator::SetDeviceProblemReporter(
        [](const std::string& problem) { qCWarning(lcTrayMain).noquote() << QString::fromStdString(problem); });

    // The program's skin beside (or installed with) this executable: its
    // languages for the texts and its battery for the icon.
    SetAppDirectory(InstalledAppDirectory().toStdU16String());
    CGUIItems languageItems;
    QString why;
    if (!LoadTrayLanguage(languageItems, why))
        qCWarning(lcTrayMain).noquote() << "texts stay English:" << why;

    CTrayController controller;
    if (std::optional<CSkinBatteryLook> look = CSkinBatteryLook::Load(why))
        controller.SetBatteryLook(std::move(look));
    else
        qCWarning(lcTrayMain).noquote() << "the icon is drawn without the skin:" << why;

    FocusWatchChoice focus = ChooseFocusWatch(QGuiApplication::platformName());
    std::unique_ptr<CX11FocusWatcher> watcher = std::move(focus.watcher);
    if (watcher)
        controller.SetFocusSource([&watcher] { return watcher->ActiveProgram(); });
    else
        controller.SetFocusSource({}, focus.unavailable);

    QSystemTrayIcon tray;
    if (!QSystemTrayIcon::isSystemTrayAvailable())
        qCWarning(lcTrayMain) << "no system tray is available yet; the icon appears when one is";
    tray.setContextMenu(&controller.Menu());
    auto update = [&] {
        tray.setIcon(controller.Icon());
        tray.setToolTip(controller.ToolTip());
    };
    controller.onChanged = update;
    controller.onLowBattery = [&tray](const QString& title, const QString& message) {
        tray.showMessage(title, message, QSystemTrayIcon::Warning);
    };
    controller.onQuit = [] { QCoreApplication::quit(); };
    update();
    tray.show();
    controller.Start();
    return application.exec();
}
