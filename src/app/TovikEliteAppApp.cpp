// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TovikEliteAppApp.h"

#include "app/AppConstants.h"
#include "app/AppDirectory.h"
#include "app/AppIcon.h"
#include "app/AppLog.h"
#include "app/ProductKey.h"
#include "app/TovikEliteAppDlg.h"
#include "controls/ControlFactories.h"
#include "controls/accessibility/ControlAccessibility.h"
#include "device/DeviceChoice.h"
#include "device/MousePicker.h"
#include "emulator/DeviceChannel.h"
#include "emulator/EmulatedDeviceServer.h"
#include "platform/HelperThread.h"
#include "platform/QtTranslations.h"
#include "platform/SingleInstance.h"
#include "platform/com/ComRuntime.h"
#include "popups/accessibility/AccessiblePopup.h"
#include "settings/TovikEliteConfig.h"
#include "skin/AppPaths.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/MouseMats.h"
#include "skin/SkinLoader.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace {

// The longest the work of the start-up pause waits for the popup's first paint.
constexpr std::chrono::milliseconds kPopupFirstPaintWait{30};

// Calls `painted` once, after the widget's first paint.
class PaintWatcher : public QObject {
public:
    static void Watch(QWidget& widget, std::function<void()> painted)
    {
        widget.installEventFilter(new PaintWatcher(widget, std::move(painted)));
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Once the paint (and its flush) is over.
            QTimer::singleShot(0, this, [this] {
                painted_();
                deleteLater();
            });
        }
        return false;
    }

private:
    PaintWatcher(QWidget& widget, std::function<void()> painted) : QObject(&widget), painted_(std::move(painted)) {}
    std::function<void()> painted_;
};

// Keeps the GUI thread painting for at least `duration` (the popup has just been
// shown). `work`, when given, runs meanwhile, once `popup` has painted (or after
// a short wait when it does not paint); the pause ends when both are over.
void PaintFor(std::chrono::milliseconds duration, QWidget* popup = nullptr, const std::function<void()>& work = {})
{
    if (!QCoreApplication::instance()) {
        if (work)
            work();
        return;
    }
    QEventLoop loop;
    bool elapsed = false;
    bool done = !work;
    QTimer::singleShot(duration, &loop, [&] {
        elapsed = true;
        if (done)
            loop.quit();
    });
    bool started = false;
    if (work) {
        auto* start = new QTimer(&loop);
        start->setSingleShot(true);
        QObject::connect(start, &QTimer::timeout, &loop, [&] {
            // Whichever comes first, the paint or the wait, starts it; once.
            if (started)
                return;
            started = true;
            work();
            done = true;
            if (elapsed)
                loop.quit();
        });
        start->start(kPopupFirstPaintWait);
        if (popup)
            PaintWatcher::Watch(*popup, [timer = QPointer<QTimer>(start)] {
                if (timer)
                    timer->start(0);
            });
    }
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

CTovikEliteAppApp::CTovikEliteAppApp(AppOptions options) : options_(std::move(options))
{
    if (options_.instanceName.empty())
        options_.instanceName = std::string(kSingleInstanceName);
}

CTovikEliteAppApp::~CTovikEliteAppApp()
{
    TearDown();
}

void CTovikEliteAppApp::BringForward()
{
    QWidget* front = QApplication::activeModalWidget();
    if (mainWindow_ && mainWindow_->isVisible())
        SingleInstance::BringWindowForward(*mainWindow_);
    if (!front && startupPopup_.Dialog())
        front = startupPopup_.Dialog();
    if (front && front != mainWindow_.get())
        SingleInstance::BringWindowForward(*front);
}

int CTovikEliteAppApp::Run()
{
    // One copy at a time: a later one hands over to the first and ends quietly.
    instance_ = std::make_unique<SingleInstance>(options_.instanceName);
    switch (instance_->Claim(options_.instanceLockWait)) {
    case SingleInstance::Outcome::AnotherRunning:
        outcome_ = Outcome::AnotherInstanceRunning;
        instance_.reset();
        return 0;
    case SingleInstance::Outcome::AnotherStarting:
        outcome_ = Outcome::AnotherInstanceStarting;
        instance_.reset();
        return 0;
    case SingleInstance::Outcome::First:
    case SingleInstance::Outcome::Failed: // without the rendezvous the program still runs
        break;
    }
    instance_->SetBringForwardHandler([this] { BringForward(); });

    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    PrepareEnvironment();

    config_ = std::make_unique<CTovikEliteConfig>();
    searchConfig_ = config_.get();
    windowConfig_ = config_.get();

    startupPopup_.Show(u"ReadingFromCorvanePopup.xml", kProgressPopupTemplate, ItemId::PROG_PANEL_ITEM_POPUP,
                       ItemId::TEXT_PROGRESS_MESSAGE, ItemId::BUTTON_POPUP_CANCEL, nullptr);
    // The start-up popup stays on show for the designed 100 ms. The device search
    // and the main window's skin do not wait for that pause to end: they are done
    // during it, once the popup has painted.
    bool windowLoaded = false;
    PaintFor(std::chrono::milliseconds(100), startupPopup_.Dialog(), [&] {
        FindDevice();
        mainWindow_ = std::make_unique<CTovikEliteAppDlg>(&devicePointer_, windowConfig_, &operationPopup_);
        windowLoaded = mainWindow_->LoadSkins();
    });

    const std::u16string readText = TranslateText(u"$Readfromdevice");
    operationPopup_.Attach(devicePointer_->GetProgressMessenger(), readText.c_str());
    startupPopup_.Close();
    operationPopup_.Show(u"ProgressPopup.xml", kProgressPopupTemplate, ItemId::PROG_PANEL_ITEM_POPUP,
                         ItemId::TEXT_PROGRESS_MESSAGE, ItemId::BUTTON_POPUP_CANCEL, nullptr);
    if (operationPopup_.HasThread())
        operationPopup_.SetText(readText);

    auto followChanges = [this] {
        if (auto* picker = dynamic_cast<CMousePicker*>(device_.get()))
            picker->SetChangeCallback(&CTovikEliteAppDlg::DeviceChangeCallback, mainWindow_.get());
    };
    followChanges();
    mainWindow_->SetDeviceSearch([this, followChanges] {
        // The device object the window used so far is replaced by a fresh search.
        if (auto* picker = dynamic_cast<CMousePicker*>(device_.get()))
            picker->SetChangeCallback(nullptr, nullptr);
        FindDevice();
        followChanges();
    });
    if (windowLoaded && mainWindow_->Initialise()) {
        if (options_.onMainWindowReady)
            options_.onMainWindowReady(*mainWindow_);
        mainWindowResult_ = mainWindow_->DoModal();
        outcome_ = Outcome::Completed;
    } else {
        outcome_ = Outcome::MainWindowFailed;
    }
    TearDown();
    return outcome_ == Outcome::Completed ? 0 : 1;
}

void CTovikEliteAppApp::PrepareEnvironment()
{
    // The application directory is the installation's data folder (or the
    // executable's own in the build tree), and the working directory.
    std::u16string directory = options_.appDirectory;
    if (directory.empty())
        directory = InstalledAppDirectory().toStdU16String();
    SetAppDirectory(directory);
    QDir::setCurrent(QString::fromStdU16String(GetAppDirectory()));
    // Every window, the popups included, carries the program's icon.
    QApplication::setWindowIcon(ApplicationIcon(QString::fromStdU16String(GetAppDirectory())));

    RegisterAllControls();
    InstallControlAccessibility();
    InstallPopupAccessibility();
    // The program talks to the device server it ships.
    emulator::RegisterEmulatedDeviceServer();
    emulator::SetDeviceProblemReporter(
        [](const std::string& problem) { qCWarning(lcEmulator).noquote() << QString::fromStdString(problem); });

    MouseMatList().LoadDefault();
    // The languages (and the fonts every page may name) come from Language.xml.
    LoadSkinFile(languageItems_, u"Language.xml", nullptr, false);
    SetSharedSkinItems(&languageItems_);
    // Key names, scan codes and defaults: the device layer turns the keys it reads
    // into key identities with it, and key fields and macros name keys by it.
    // Without it the program still runs; keys then read as unknown.
    LoadSkinFile(keyboardItems_, u"Keyboard.xml", nullptr, false);

    const ProductKeySettings key = ReadProductKey();
    workingDirectoryFromRegistry_ = EnterInstallDirectory(key);
    const LocaleVariables session = options_.session ? *options_.session : LocaleVariablesFromEnvironment();
    selectedLanguage_ = SelectStartupLanguage(StartupLanguageNumber(key, options_.language, session));
    // Qt's file and colour dialogs follow, where Qt's translations are installed.
    qtTranslated_ = InstallQtTranslations(QString::fromStdString(QtLocaleNameOfLanguage(selectedLanguage_)));
}

void CTovikEliteAppApp::FindDevice()
{
    // The search reads the device; the GUI thread keeps the start-up popup painting.
    std::unique_ptr<IMouseDevice> chosen;
    IMouseConfig* config = searchConfig_;
    RunOnHelperThread([&] { chosen = ChooseDevice(config); });
    device_ = std::move(chosen);
    devicePointer_ = device_.get();
}

void CTovikEliteAppApp::TearDown()
{
    if (auto* picker = dynamic_cast<CMousePicker*>(device_.get()))
        picker->SetChangeCallback(nullptr, nullptr);
    operationPopup_.Close();
    startupPopup_.Close();
    // The window leaves the device's listeners, so it goes before the device.
    mainWindow_.reset();
    device_.reset();
    devicePointer_ = nullptr;
    config_.reset();
    searchConfig_ = windowConfig_ = nullptr;
    if (outcome_ != Outcome::NotRun || instance_) {
        SetSharedSkinItems(nullptr);
        languageItems_.Clear();
        keyboardItems_.Clear();
    }
    if (instance_) {
        CoUninitialize();
        instance_.reset();
    }
}
