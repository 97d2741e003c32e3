// SPDX-License-Identifier: GPL-3.0-or-later
#include "tray/TrayBatteryIcon.h"

#include "app/BatteryDisplay.h"
#include "app/TovikEliteAppDlg.h"
#include "device/DeviceDescriptor.h"
#include "skin/AppPaths.h"
#include "skin/ResourceCache.h"
#include "skin/SkinText.h"
#include "skin/SkinXml.h"

#include <QFile>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace {

const QColor kFrameColour(0x3A, 0x3A, 0x3A);
const QColor kLevelColour(0x00, 0xE5, 0xFF);
const QColor kLowColour(0xFF, 0x40, 0x40);
const QColor kNoDeviceColour(0x80, 0x80, 0x80);

// A lightning bolt across `box`, white on a dark edge so it reads on any fill.
void DrawBolt(QPainter& painter, const QRectF& box)
{
    const auto at = [&](qreal x, qreal y) {
        return QPointF(box.left() + box.width() * x, box.top() + box.height() * y);
    };
    QPainterPath bolt;
    bolt.moveTo(at(0.62, 0.0));
    bolt.lineTo(at(0.1, 0.55));
    bolt.lineTo(at(0.45, 0.55));
    bolt.lineTo(at(0.32, 1.0));
    bolt.lineTo(at(0.9, 0.42));
    bolt.lineTo(at(0.55, 0.42));
    bolt.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, std::max<qreal>(1.0, box.height() / 14)));
    painter.setBrush(Qt::white);
    painter.drawPath(bolt);
    painter.restore();
}

QImage Greyed(const QImage& image)
{
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int level = qGray(line[x]);
            line[x] = qRgba(level, level, level, qAlpha(line[x]));
        }
    }
    return grey;
}

// The highest lit segment (-1: none) as the main window lights them for a level.
int HighestLitSegment(const DeviceSnapshot& snapshot)
{
    if (!snapshot.battery || !snapshot.battery->storeLevel)
        return -1;
    const int deviceCode = CTovikEliteAppDlg::DeviceCodeForProduct(static_cast<int>(snapshot.productId));
    return HighestSegmentForLevel(snapshot.battery->level, deviceCode);
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

bool IsBatteryLow(const DeviceSnapshot& snapshot)
{
    return snapshot.battery && snapshot.battery->storeLevel && snapshot.batteryWarning &&
           snapshot.battery->level < *snapshot.batteryWarning;
}

bool IsBatteryCharging(const DeviceSnapshot& snapshot)
{
    return snapshot.battery && snapshot.battery->chargingState == 1;
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
        painter.fillRect(fill, IsBatteryLow(*snapshot) ? kLowColour : kLevelColour);
    }
    if (IsBatteryCharging(*snapshot))
        DrawBolt(painter, QRectF(unit * 4.5, unit * 2.5, unit * 5, unit * 11));
    return image;
}

std::optional<CSkinBatteryLook> CSkinBatteryLook::Load(QString& why)
{
    const QString pagePath = ToQString(GetAppDirectory()) + QStringLiteral("xml/MainPage.xml");
    QFile file(pagePath);
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    pugi::xml_document document;
    if (text.isEmpty() || !document.load_buffer(text.constData(), size_t(text.size()))) {
        why = pagePath + QStringLiteral(" cannot be read");
        return std::nullopt;
    }
    const skinxml::Node page = document.child("GUIPANEL");
    const std::u16string backgroundName = skinxml::ElementText(skinxml::Child(page, "BACKGROUND"));
    const QImage background = CResourceCache::Instance().Image(backgroundName);
    if (background.isNull()) {
        why = QStringLiteral("the main page's background cannot be read");
        return std::nullopt;
    }

    std::array<QRect, 4> onPage;
    QImage segment;
    const skinxml::Node list = skinxml::Child(page, "BITMAPLIST");
    for (size_t index = 0; index < onPage.size(); ++index) {
        const std::string name = "BATTERY_LEVEL" + std::to_string(index);
        skinxml::Node item;
        for (skinxml::Node node = list.child("BITMAPITEM"); node && !item; node = node.next_sibling("BITMAPITEM"))
            if (EqualsIgnoreAsciiCase(std::string_view(node.attribute("name").value()), name))
                item = node;
        if (!item) {
            why = QStringLiteral("the main page has no %1").arg(QString::fromStdString(name));
            return std::nullopt;
        }
        const SkinRect rect = skinxml::ReadRectElement(skinxml::Child(item, "RECT"));
        onPage[index] = QRect(rect.left, rect.top, rect.Width(), rect.Height());
        if (!rect.IsWithinSkinLimits() || onPage[index].isEmpty() || !background.rect().contains(onPage[index])) {
            why = QStringLiteral("%1 does not lie on the main page's background").arg(QString::fromStdString(name));
            return std::nullopt;
        }
        // The segments share one bitmap; the first one's stands for all.
        if (index == 0) {
            segment = CResourceCache::Instance().Image(skinxml::ElementText(skinxml::Child(item, "SBMN")));
            if (segment.isNull()) {
                why = QStringLiteral("the battery segment bitmap cannot be read");
                return std::nullopt;
            }
        }
    }

    // The outline the main page draws around the segments, with room for its tip
    // on the right.
    QRect segmentsArea = onPage[0];
    for (const QRect& rect : onPage)
        segmentsArea = segmentsArea.united(rect);
    const int margin = segmentsArea.height() / 3 + 1;
    const QRect area = segmentsArea.adjusted(-margin, -margin, margin + segmentsArea.height() / 2, margin)
                           .intersected(background.rect());

    CSkinBatteryLook look;
    look.frame_ = background.copy(area).convertToFormat(QImage::Format_ARGB32_Premultiplied);
    look.segment_ = segment;
    for (size_t index = 0; index < onPage.size(); ++index)
        look.segments_[index] = onPage[index].translated(-area.topLeft());
    return look;
}

QImage CSkinBatteryLook::Draw(const std::optional<DeviceSnapshot>& snapshot, int size) const
{
    QImage battery = snapshot ? frame_ : Greyed(frame_);
    if (snapshot) {
        QPainter painter(&battery);
        const int highest = HighestLitSegment(*snapshot);
        for (int index = 0; index <= highest && index < int(segments_.size()); ++index) {
            const QRect& rect = segments_[size_t(index)];
            painter.drawImage(rect, segment_);
            if (IsBatteryLow(*snapshot)) {
                // The warning colour over the segment's own shading.
                QImage tinted = segment_.scaled(rect.size()).convertToFormat(QImage::Format_ARGB32_Premultiplied);
                QPainter tint(&tinted);
                tint.setCompositionMode(QPainter::CompositionMode_SourceAtop);
                tint.fillRect(tinted.rect(), QColor(kLowColour.red(), kLowColour.green(), kLowColour.blue(), 200));
                tint.end();
                painter.drawImage(rect, tinted);
            }
        }
        if (IsBatteryCharging(*snapshot)) {
            QRect area = segments_[0];
            for (const QRect& rect : segments_)
                area = area.united(rect);
            const qreal boltWidth = area.height() * 0.9;
            DrawBolt(painter, QRectF(area.center().x() - boltWidth / 2, area.top() - area.height() * 0.25, boltWidth,
                                     area.height() * 1.5));
        }
    }

    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QImage scaled = battery.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&image);
    painter.drawImage(QPoint((size - scaled.width()) / 2, (size - scaled.height()) / 2), scaled);
    return image;
}

QImage BatteryIconImage(const CSkinBatteryLook* look, const std::optional<DeviceSnapshot>& snapshot, int size)
{
    return look ? look->Draw(snapshot, size) : DrawBatteryImage(snapshot, size);
}
