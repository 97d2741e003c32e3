// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Everything the tray does, without needing a tray: it reads the device every few
// seconds (as often as the main window reads the battery), keeps the profiles menu
// and the battery icon and tooltip up to date, warns once when the battery falls
// below the device's warning level, makes a chosen profile active, and switches
// profiles for the focused program. A switch never lands in the middle of the
// main program's write: while it writes, the switch is tried again later. The
// tray icon itself only shows what this class offers (Menu, Icon, ToolTip) and
// forwards the notification.
#include "device/DeviceSnapshot.h"
#include "platform/Autostart.h"
#include "tray/AutoProfileSwitch.h"
#include "tray/DeviceJobs.h"
#include "tray/TrayBatteryIcon.h"

#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

class CTrayController : public QObject {
public:
    // The focused window's executable path; nothing when it cannot be learnt.
    using FocusSource = std::function<std::optional<QString>()>;

    explicit CTrayController(QObject* parent = nullptr);
    ~CTrayController() override;

    // Starts the periodic device reads (and focus checks when a source is set).
    void Start(std::chrono::milliseconds devicePeriod = std::chrono::seconds(5),
               std::chrono::milliseconds focusPeriod = std::chrono::milliseconds(500));
    // Without a source (or with one that cannot work) there is no automatic switching;
    // `unavailableReason` is then shown in the tooltip.
    void SetFocusSource(FocusSource source, QString unavailableReason = {});
    // The skin's battery for the icon; without one the drawn battery is shown.
    void SetBatteryLook(std::optional<CSkinBatteryLook> look);
    // How long a switch waits for another program's write before it is put off,
    // and how soon a put-off choice from the menu is tried again.
    void SetBusyTiming(std::chrono::milliseconds wait, std::chrono::milliseconds retry);

    // Queues a device read; the menu, icon and tooltip follow when it is in.
    void Refresh();
    // Makes the profile active on the device, then reads the device again.
    void ChooseProfile(const GUID& id);
    // Looks at the focused program now (the timer does this periodically).
    void CheckFocus();

    QMenu& Menu() { return menu_; }
    QIcon Icon() const;
    QString ToolTip() const;
    const std::optional<DeviceSnapshot>& Snapshot() const { return snapshot_; }
    // Device calls queued or running.
    int PendingDeviceCalls() const { return jobs_.Pending(); }
    // A switch was put off because another program was writing the device, and
    // none has been made since.
    bool WaitingForWrite() const { return waitingForWrite_; }

    // Where "Start with the desktop" reads and writes the user's choice, and what
    // an entry that starts the tray names (tests); by default this session's
    // autostart folders and this executable.
    void SetAutostart(AutostartFolders folders, AutostartProgram program);
    // The menu's "Start with the desktop" was chosen: writes the user's choice.
    // False, with the menu left showing the state on disk, when it cannot be written.
    bool SetStartWithDesktop(bool enabled);

    // Replaces what "Open configurator" starts (tests); by default the main
    // program beside this executable, which hands over to a running copy.
    void SetOpenConfigurator(std::function<void()> open) { openConfigurator_ = std::move(open); }

    // The battery fell below the warning level (called once per fall).
    std::function<void(const QString& title, const QString& message)> onLowBattery;
    // The menu, icon or tooltip changed.
    std::function<void()> onChanged;
    // "Quit" was chosen.
    std::function<void()> onQuit;

private:
    void OnSnapshot(std::optional<DeviceSnapshot> snapshot);
    void RebuildMenu();
    void CheckLowBattery();
    void SwitchTo(const GUID& id, bool automatic);
    void OnSwitched(ProfileSwitch result, const GUID& id, bool automatic);
    void SetWaitingForWrite(bool waiting);
    void NotifyChanged();

    CDeviceJobs jobs_;
    QMenu menu_;
    QTimer deviceTimer_;
    QTimer focusTimer_;
    std::optional<DeviceSnapshot> snapshot_;
    bool readQueued_ = false;
    bool warned_ = false;
    FocusSource focusSource_;
    QString focusUnavailable_;
    CAutoProfileSwitch autoSwitch_;
    std::function<void()> openConfigurator_;
    AutostartFolders autostartFolders_;
    AutostartProgram autostartProgram_;
    std::optional<CSkinBatteryLook> batteryLook_;
    std::chrono::milliseconds busyWait_{500};
    QTimer retryTimer_;
    std::optional<GUID> chosen_; // the menu choice not made yet
    bool waitingForWrite_ = false;
};
