// SPDX-License-Identifier: GPL-3.0-or-later
// What the main page shows about the device: battery segments, connection,
// driver and firmware versions; and the screenshot taken for a run without a display.
#include "app/AppLog.h"
#include "app/TovikEliteAppDlg.h"
#include "controls/TextItem.h"
#include "device/BatteryStatus.h"
#include "device/FileVersions.h"
#include "settings/IMouseConfig.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <chrono>

namespace {

bool IsShown(const CGUIItem* item)
{
    return item && item->window && !item->window->isHidden();
}

int64_t WholeSecondsNow()
{
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

} // namespace

void CTovikEliteAppDlg::RefreshBattery()
{
    // A finished status read is stored here, on the thread that owns the configuration.
    if (auto collected = batteryReader_.Collect()) {
        if (*collected && ApplyBatteryStatus(**collected, *config_))
            batteryDisplay_.SetSwitchedOn(true);
    }
    const std::array<bool, 4> lit =
        batteryDisplay_.Refresh(config_->GetChargingState(), config_->GetBatteryLevel(), deviceCode_);
    for (size_t i = 0; i < batterySegments_.size(); ++i) {
        if (batterySegments_[i])
            batterySegments_[i]->Show(lit[i] ? 1 : 0);
    }

    const int64_t now = WholeSecondsNow();
    if (!lastBatteryReadStart_) {
        lastBatteryReadStart_ = now;
        batteryReader_.Start(deviceCode_);
    } else if (now - *lastBatteryReadStart_ >= 5 && !batteryReader_.HasThread()) {
        lastBatteryReadStart_ = now;
        batteryReader_.Start(deviceCode_);
    }
}

std::array<bool, 4> CTovikEliteAppDlg::BatterySegmentsLit() const
{
    std::array<bool, 4> lit{};
    for (size_t i = 0; i < batterySegments_.size(); ++i)
        lit[i] = IsShown(batterySegments_[i]);
    return lit;
}

void CTovikEliteAppDlg::RefreshConnection()
{
    // The mice talk over the air; a dock is on the cable.
    const bool wired = IsDockCode(deviceCode_);
    const bool wireless = deviceCode_ == DeviceCode::EliteMouse || deviceCode_ == DeviceCode::LegacyMouse;
    if (wiredBitmap_)
        wiredBitmap_->Show(wired ? 1 : 0);
    if (wirelessBitmap_)
        wirelessBitmap_->Show(wireless ? 1 : 0);
}

bool CTovikEliteAppDlg::IsConnectionShown(bool wired) const
{
    return IsShown(wired ? wiredBitmap_ : wirelessBitmap_);
}

void CTovikEliteAppDlg::ShowVersions()
{
    if (driverText_) {
        CFileVersions versions;
        versions.SetToModulePath();
        versions.Read(); // a missing version block leaves 0.00
        const auto& parts = versions.ProductVersionParts();
        const int minor = QString::fromStdU16String(parts[1]).toInt();
        const QString line =
            QStringLiteral("%1: %2.%3")
                .arg(driverCaption_, QString::fromStdU16String(parts[0]), QString::asprintf("%.2d", minor));
        driverText_->SetText(line.toStdU16String());
    }
    if (firmwareText_) {
        std::optional<FirmwareVersion> firmware;
        if (IMouseDevice* device = Device()) {
            const uint32_t productId = uint32_t(device->GetProductId());
            RunDeviceCall([&] { firmware = ReadFirmwareVersion(productId); });
        }
        if (firmware) {
            const QString line = QStringLiteral("%1: %2.%3")
                                     .arg(firmwareCaption_)
                                     .arg(firmware->major)
                                     .arg(QString::asprintf("%.2u", firmware->minor));
            firmwareText_->SetText(line.toStdU16String());
            firmwareText_->Show(1);
        } else {
            firmwareText_->Show(0);
        }
    }
}

QString CTovikEliteAppDlg::DriverVersionText() const
{
    return driverText_ ? driverText_->GetText() : QString();
}

QString CTovikEliteAppDlg::FirmwareVersionText() const
{
    return IsShown(firmwareText_) ? firmwareText_->GetText() : QString();
}

void CTovikEliteAppDlg::TakeScreenshotAndClose(const QString& path)
{
    if (batteryReader_.HasThread()) {
        batteryReader_.WaitUntilFinished();
        RefreshBattery();
    }
    QImage picture = grab().toImage().convertToFormat(QImage::Format_ARGB32);
    if (HasRegion()) {
        // A grab ignores the window's shape: what the shape cuts away is made
        // transparent, as it is on screen. The painter works in the window's own
        // coordinates, also when the picture has more pixels (a scaled screen).
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        const QRegion outside = QRegion(rect()) - Region();
        for (const QRect& rect : outside)
            painter.fillRect(rect, Qt::transparent);
    }
    if (!picture.save(path, "PNG"))
        qCWarning(lcApp) << "could not write the screenshot to" << path;
    CloseWindow(IDCANCEL);
}
