// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/TrayController.h"

#include "app/AppConstants.h"
#include "device/DeviceDescriptor.h"
#include "tray/TrayTexts.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QProcess>

#include <algorithm>

Q_LOGGING_CATEGORY(lcTray, "zemko.tovik.tray")

namespace {

QString ProfileLabel(const DeviceProfileSummary& profile, int index)
{
    const QString name = QString::fromStdU16String(profile.name);
    return name.isEmpty() ? traytext::UnnamedProfile(index + 1) : name;
}

void StartConfigurator()
{
    // The main program hands over to a running copy through its single-instance
    // channel, which brings that copy forward; otherwise it starts.
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/zemko-tovik");
    if (!QProcess::startDetached(program, {}))
        qCWarning(lcTray) << "could not start" << program;
}

QString AutostartFileName()
{
    return QString::fromUtf16(kTrayAutostartFile.data(), kTrayAutostartFile.size());
}

} // namespace

CTrayController::CTrayController(QObject* parent)
    : QObject(parent), openConfigurator_(StartConfigurator),
      autostartFolders_(AutostartFoldersFrom(QProcessEnvironment::systemEnvironment())),
      autostartProgram_{QStringLiteral("Zemko Tovik Tray"),
                        QStringLiteral("Shows the Zemko Tovik mouse's battery and switches its profiles"),
                        QCoreApplication::instance() ? QCoreApplication::applicationFilePath() : QString(),
                        QStringLiteral("zemko-tovik")}
{
    connect(&deviceTimer_, &QTimer::timeout, this, &CTrayController::Refresh);
    connect(&focusTimer_, &QTimer::timeout, this, &CTrayController::CheckFocus);
    retryTimer_.setSingleShot(true);
    retryTimer_.setInterval(std::chrono::seconds(1));
    connect(&retryTimer_, &QTimer::timeout, this, [this] {
        if (chosen_)
            SwitchTo(*chosen_, false);
    });
    RebuildMenu();
}

CTrayController::~CTrayController() = default;

void CTrayController::Start(std::chrono::milliseconds devicePeriod, std::chrono::milliseconds focusPeriod)
{
    deviceTimer_.start(devicePeriod);
    if (focusSource_)
        focusTimer_.start(focusPeriod);
    Refresh();
}

void CTrayController::SetFocusSource(FocusSource source, QString unavailableReason)
{
    focusSource_ = std::move(source);
    focusUnavailable_ = focusSource_ ? QString() : std::move(unavailableReason);
    if (!focusUnavailable_.isEmpty())
        qCInfo(lcTray).noquote() << focusUnavailable_;
    if (!focusSource_)
        focusTimer_.stop();
    NotifyChanged();
}

void CTrayController::SetBatteryLook(std::optional<CSkinBatteryLook> look)
{
    batteryLook_ = std::move(look);
    NotifyChanged();
}

void CTrayController::SetBusyTiming(std::chrono::milliseconds wait, std::chrono::milliseconds retry)
{
    busyWait_ = wait;
    retryTimer_.setInterval(retry);
}

void CTrayController::Refresh()
{
    // One read in flight is enough: a later one would see the same device.
    if (readQueued_)
        return;
    readQueued_ = true;
    jobs_.Run<std::optional<DeviceSnapshot>>(
        this, [] { return ReadDeviceSnapshot(); },
        [this](std::optional<DeviceSnapshot> snapshot) {
            readQueued_ = false;
            OnSnapshot(std::move(snapshot));
        });
}

void CTrayController::ChooseProfile(const GUID& id)
{
    // A newer choice replaces one that waits for a write to end.
    chosen_ = id;
    retryTimer_.stop();
    SwitchTo(id, false);
}

void CTrayController::SwitchTo(const GUID& id, bool automatic)
{
    if (!snapshot_) {
        if (!automatic)
            chosen_.reset(); // the profile went with the device
        return;
    }
    const uint32_t productId = snapshot_->productId;
    const std::chrono::milliseconds wait = busyWait_;
    jobs_.Run<ProfileSwitch>(
        this, [productId, id, wait] { return ActivateDeviceProfile(productId, id, wait); },
        [this, id, automatic](ProfileSwitch result) { OnSwitched(result, id, automatic); });
}

void CTrayController::OnSwitched(ProfileSwitch result, const GUID& id, bool automatic)
{
    if (result == ProfileSwitch::Busy && !waitingForWrite_)
        qCInfo(lcTray) << "the device is busy with another program's write; switching when it is done";
    if (result == ProfileSwitch::Failed)
        qCWarning(lcTray) << "the device did not take the profile";
    SetWaitingForWrite(result == ProfileSwitch::Busy);
    if (automatic) {
        // The focused program is looked at again at the next check, so a put-off
        // switch is tried again then, for whatever has the focus by then.
        if (result != ProfileSwitch::Done)
            autoSwitch_.SwitchFailed();
    } else if (chosen_ && *chosen_ == id) { // not overtaken by a newer choice
        if (result == ProfileSwitch::Busy)
            retryTimer_.start();
        else
            chosen_.reset();
    }
    Refresh();
}

void CTrayController::SetWaitingForWrite(bool waiting)
{
    if (waitingForWrite_ == waiting)
        return;
    waitingForWrite_ = waiting;
    NotifyChanged();
}

void CTrayController::CheckFocus()
{
    // Decide on what the device shows now: while a switch or read is on its way,
    // the next check (the focus is compared with the last one seen) does it. A
    // choice from the menu that waits for the device goes first.
    if (!focusSource_ || !snapshot_ || jobs_.Pending() > 0 || chosen_)
        return;
    const std::optional<QString> program = focusSource_();
    const std::u16string path = program ? program->toStdU16String() : std::u16string();
    if (std::optional<GUID> target = autoSwitch_.OnFocus(path, snapshot_->profiles))
        SwitchTo(*target, true);
    else
        SetWaitingForWrite(false); // nothing is put off any more
}

void CTrayController::OnSnapshot(std::optional<DeviceSnapshot> snapshot)
{
    if (!snapshot && snapshot_)
        qCInfo(lcTray) << "the device is gone; waiting for it to return";
    snapshot_ = std::move(snapshot);
    CheckLowBattery();
    RebuildMenu();
    NotifyChanged();
}

void CTrayController::CheckLowBattery()
{
    if (!snapshot_ || !snapshot_->battery || !snapshot_->battery->storeLevel)
        return; // nothing new is known; keep whether we warned
    if (!IsBatteryLow(*snapshot_) || IsBatteryCharging(*snapshot_)) {
        warned_ = false;
        return;
    }
    if (warned_)
        return;
    warned_ = true;
    const std::optional<int> percent = BatteryPercent(*snapshot_);
    if (onLowBattery)
        onLowBattery(traytext::LowBatteryTitle(), traytext::LowBatteryMessage(percent.value_or(0)));
}

void CTrayController::RebuildMenu()
{
    menu_.clear();
    if (snapshot_ && !snapshot_->profiles.empty()) {
        auto* group = new QActionGroup(&menu_);
        group->setExclusive(true);
        int index = 0;
        for (const DeviceProfileSummary& profile : snapshot_->profiles) {
            QAction* action = menu_.addAction(ProfileLabel(profile, index++));
            action->setCheckable(true);
            action->setChecked(profile.active);
            group->addAction(action);
            const GUID id = profile.id;
            connect(action, &QAction::triggered, this, [this, id] { ChooseProfile(id); });
        }
    } else {
        menu_.addAction(traytext::NoMouse())->setEnabled(false);
    }
    menu_.addSeparator();
    connect(menu_.addAction(traytext::OpenConfigurator()), &QAction::triggered, this, [this] { openConfigurator_(); });
    QAction* autostart = menu_.addAction(traytext::StartWithDesktop());
    autostart->setCheckable(true);
    autostart->setChecked(StartsWithSession(autostartFolders_, AutostartFileName()));
    // Rebuilding the menu deletes the action that is sending: let it finish first.
    connect(autostart, &QAction::triggered, this,
            [this](bool checked) { QTimer::singleShot(0, this, [this, checked] { SetStartWithDesktop(checked); }); });
    connect(menu_.addAction(traytext::Quit()), &QAction::triggered, this, [this] {
        if (onQuit)
            onQuit();
    });
}

void CTrayController::SetAutostart(AutostartFolders folders, AutostartProgram program)
{
    autostartFolders_ = std::move(folders);
    autostartProgram_ = std::move(program);
    RebuildMenu();
    NotifyChanged();
}

bool CTrayController::SetStartWithDesktop(bool enabled)
{
    const bool written = WriteUserAutostart(autostartFolders_, AutostartFileName(), enabled, autostartProgram_);
    if (!written)
        qCWarning(lcTray).noquote() << "could not write the autostart entry in" << autostartFolders_.user;
    RebuildMenu();
    NotifyChanged();
    return written;
}

void CTrayController::NotifyChanged()
{
    if (onChanged)
        onChanged();
}

QIcon CTrayController::Icon() const
{
    QIcon icon;
    for (int size : {16, 22, 24, 32, 48, 64})
        icon.addPixmap(QPixmap::fromImage(BatteryIconImage(batteryLook_ ? &*batteryLook_ : nullptr, snapshot_, size)));
    return icon;
}

QString CTrayController::ToolTip() const
{
    QString text = QStringLiteral("Zemko Tovik");
    if (!snapshot_) {
        text += QLatin1Char('\n') + traytext::NoMouse();
    } else {
        const int charging = snapshot_->battery ? snapshot_->battery->chargingState : 0;
        text += QLatin1Char('\n') + traytext::Battery(BatteryPercent(*snapshot_), charging);
    }
    if (waitingForWrite_)
        text += QLatin1Char('\n') + traytext::WaitingForWrite();
    if (!focusUnavailable_.isEmpty())
        text += QLatin1Char('\n') + focusUnavailable_;
    return text;
}
