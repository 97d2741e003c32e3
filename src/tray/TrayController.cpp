// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/TrayController.h"

#include "device/DeviceDescriptor.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QLoggingCategory>
#include <QPainter>
#include <QPainterPath>
#include <QProcess>

#include <algorithm>

Q_LOGGING_CATEGORY(lcTray, "zemko.tovik.tray")

namespace {

const QColor kFrameColour(0x3A, 0x3A, 0x3A);
const QColor kLevelColour(0x00, 0xE5, 0xFF);
const QColor kLowColour(0xFF, 0x40, 0x40);
const QColor kNoDeviceColour(0x80, 0x80, 0x80);

bool IsCharging(const DeviceSnapshot& snapshot)
{
    return snapshot.battery && snapshot.battery->chargingState == 1;
}

bool IsLow(const DeviceSnapshot& snapshot)
{
    return snapshot.battery && snapshot.battery->storeLevel && snapshot.batteryWarning &&
           snapshot.battery->level < *snapshot.batteryWarning;
}

QString ProfileLabel(const DeviceProfileSummary& profile, int index)
{
    const QString name = QString::fromStdU16String(profile.name);
    return name.isEmpty() ? QStringLiteral("Profile %1").arg(index + 1) : name;
}

void StartConfigurator()
{
    // The main program hands over to a running copy through its single-instance
    // channel, which brings that copy forward; otherwise it starts.
    const QString program = QCoreApplication::applicationDirPath() + QStringLiteral("/zemko-tovik");
    if (!QProcess::startDetached(program, {}))
        qCWarning(lcTray) << "could not start" << program;
}

} // namespace

std::optional<int> BatteryPercent(const DeviceSnapshot& snapshot)
{
    if (!snapshot.battery || !snapshot.battery->storeLevel)
        return std::nullopt;
    const uint32_t level = snapshot.battery->level;
    if (IsEarlierGeneration(snapshot.productId))
        return static_cast<int>(std::min<uint32_t>(level, 100));
    return static_cast<int>((std::min<uint32_t>(level, 255) * 100 + 127) / 255);
}

QImage DrawBatteryImage(const std::optional<DeviceSnapshot>& snapshot, int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    const QRectF body(unit * 1, unit * 4, unit * 12, unit * 8);
    const QRectF tip(unit * 13, unit * 6, unit * 2, unit * 4);
    const QColor frame = snapshot ? kFrameColour.lighter(250) : kNoDeviceColour;
    painter.setPen(QPen(frame, unit));
    painter.setBrush(QColor(0x10, 0x10, 0x10));
    painter.drawRoundedRect(body, unit, unit);
    painter.fillRect(tip, frame);
    if (!snapshot)
        return image;
    if (std::optional<int> percent = BatteryPercent(*snapshot)) {
        QRectF fill = body.adjusted(unit * 1.5, unit * 1.5, -unit * 1.5, -unit * 1.5);
        fill.setWidth(fill.width() * std::max(*percent, 4) / 100.0);
        painter.fillRect(fill, IsLow(*snapshot) ? kLowColour : kLevelColour);
    }
    if (IsCharging(*snapshot)) {
        QPainterPath bolt;
        bolt.moveTo(unit * 8, unit * 2.5);
        bolt.lineTo(unit * 4.5, unit * 8.5);
        bolt.lineTo(unit * 7, unit * 8.5);
        bolt.lineTo(unit * 6, unit * 13.5);
        bolt.lineTo(unit * 9.5, unit * 7.5);
        bolt.lineTo(unit * 7, unit * 7.5);
        bolt.closeSubpath();
        painter.setPen(QPen(Qt::black, unit * 0.6));
        painter.setBrush(Qt::white);
        painter.drawPath(bolt);
    }
    return image;
}

CTrayController::CTrayController(QObject* parent) : QObject(parent), openConfigurator_(StartConfigurator)
{
    connect(&deviceTimer_, &QTimer::timeout, this, &CTrayController::Refresh);
    connect(&focusTimer_, &QTimer::timeout, this, &CTrayController::CheckFocus);
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
    SwitchTo(id, false);
}

void CTrayController::SwitchTo(const GUID& id, bool automatic)
{
    if (!snapshot_)
        return;
    const uint32_t productId = snapshot_->productId;
    jobs_.Run<bool>(
        this, [productId, id] { return ActivateDeviceProfile(productId, id); },
        [this, automatic](bool ok) {
            if (!ok) {
                qCWarning(lcTray) << "the device did not take the profile";
                if (automatic)
                    autoSwitch_.SwitchFailed();
            }
            Refresh();
        });
}

void CTrayController::CheckFocus()
{
    // Decide on what the device shows now: while a switch or read is on its way,
    // the next check (the focus is compared with the last one seen) does it.
    if (!focusSource_ || !snapshot_ || jobs_.Pending() > 0)
        return;
    const std::optional<QString> program = focusSource_();
    const std::u16string path = program ? program->toStdU16String() : std::u16string();
    if (std::optional<GUID> target = autoSwitch_.OnFocus(path, snapshot_->profiles))
        SwitchTo(*target, true);
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
    if (!IsLow(*snapshot_) || IsCharging(*snapshot_)) {
        warned_ = false;
        return;
    }
    if (warned_)
        return;
    warned_ = true;
    const std::optional<int> percent = BatteryPercent(*snapshot_);
    if (onLowBattery)
        onLowBattery(QStringLiteral("Zemko Tovik battery low"),
                     QStringLiteral("The mouse battery is at %1%. Please charge it.").arg(percent.value_or(0)));
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
        menu_.addAction(QStringLiteral("No mouse connected"))->setEnabled(false);
    }
    menu_.addSeparator();
    connect(menu_.addAction(QStringLiteral("Open configurator")), &QAction::triggered, this,
            [this] { openConfigurator_(); });
    connect(menu_.addAction(QStringLiteral("Quit")), &QAction::triggered, this, [this] {
        if (onQuit)
            onQuit();
    });
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
        icon.addPixmap(QPixmap::fromImage(DrawBatteryImage(snapshot_, size)));
    return icon;
}

QString CTrayController::ToolTip() const
{
    QString text = QStringLiteral("Zemko Tovik");
    if (!snapshot_) {
        text += QStringLiteral("\nNo mouse connected");
    } else {
        const std::optional<int> percent = BatteryPercent(*snapshot_);
        text += percent ? QStringLiteral("\nBattery: %1%").arg(*percent) : QStringLiteral("\nBattery: unknown");
        if (IsCharging(*snapshot_))
            text += QStringLiteral(" (charging)");
        else if (snapshot_->battery && snapshot_->battery->chargingState == 2)
            text += QStringLiteral(" (on the charger)");
    }
    if (!focusUnavailable_.isEmpty())
        text += QLatin1Char('\n') + focusUnavailable_;
    return text;
}
