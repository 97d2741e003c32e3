// SPDX-License-Identifier: GPL-3.0-or-later
#include "Assets.h"
#include "Theme.h"

namespace {

constexpr qreal kCornerRadius = 14.0;

// Half a pixel beyond the image on every side, so that the aliased fill reaches the
// last row and column as well.
QPainterPath WindowShape(int width, int height)
{
    return RoundedPath(QRectF(-0.5, -0.5, width + 1.0, height + 1.0), kCornerRadius);
}

// Magenta outside the window's rounded outline, the window colour inside. The
// outline is drawn without antialiasing so that the colour key and the mask cut
// exactly the same pixels.
QImage WindowBase(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(theme::kMagenta);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(WindowShape(width, height), theme::kWindow);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(theme::kFrame, 1.0));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(QRectF(1.5, 1.5, width - 3.0, height - 3.0), kCornerRadius - 1.5, kCornerRadius - 1.5);
    return image;
}

void DrawHeader(QPainter& painter, int width, int headerHeight)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath clip = RoundedPath(QRectF(2, 2, width - 4.0, headerHeight + 20.0), kCornerRadius - 2);
    QPainterPath band;
    band.addRect(QRectF(2, 2, width - 4.0, headerHeight - 2.0));
    QLinearGradient fill(0, 0, 0, headerHeight);
    fill.setColorAt(0, QColor(30, 34, 37));
    fill.setColorAt(1, QColor(14, 15, 16));
    painter.fillPath(clip.intersected(band), fill);
    QLinearGradient line(0, 0, width, 0);
    line.setColorAt(0.0, QColor(111, 232, 237, 0));
    line.setColorAt(0.2, theme::kCyanBorder);
    line.setColorAt(0.5, theme::kCyan);
    line.setColorAt(0.8, theme::kCyanBorder);
    line.setColorAt(1.0, QColor(111, 232, 237, 0));
    painter.fillRect(QRectF(2, headerHeight - 1, width - 4.0, 1.5), line);
    painter.restore();
}

void DrawWell(QPainter& painter, const QRectF& rect)
{
    DrawBox(painter, rect, 8, QColor(17, 19, 21), QColor(13, 14, 15), theme::kFrame, 1.0);
}

void DrawBarFrame(QPainter& painter, const QRectF& rect)
{
    DrawBox(painter, rect, rect.height() / 2.0, QColor(3, 3, 3), QColor(10, 12, 12), theme::kCyanBorder, 1.2);
}

void SaveWindow(SkinWriter& out, const QString& base, const QImage& background)
{
    out.Save(background, base + "_bg.png");
    out.Save(
        MaskFromPath(background.width(), background.height(), WindowShape(background.width(), background.height())),
        base + "_mask.png");
}

void DrawWordmark(QPainter& painter, const QPointF& origin)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(24);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    painter.setFont(font);
    painter.setPen(theme::kWhite);
    painter.drawText(origin, QStringLiteral("ZEMKO"));
    const qreal advance = QFontMetricsF(font).horizontalAdvance(QStringLiteral("ZEMKO "));
    painter.setPen(theme::kCyan);
    painter.drawText(origin + QPointF(advance, 0), QStringLiteral("TOVIK"));
    painter.restore();
}

} // namespace

void WriteWindow(SkinWriter& out, const QString& base, int width, int height, const WindowDecor& decor)
{
    QImage image = WindowBase(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    if (decor.headerHeight > 0)
        DrawHeader(painter, width, decor.headerHeight);
    for (const QRectF& well : decor.wells)
        DrawWell(painter, well);
    for (const QRectF& bar : decor.bars)
        DrawBarFrame(painter, bar);
    painter.end();
    SaveWindow(out, base, image);
}

void WriteMainWindow(SkinWriter& out, int width, int height)
{
    QImage image = WindowBase(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    DrawHeader(painter, width, 64);
    DrawWordmark(painter, QPointF(26, 38));
    // Battery outline; the four segments are separate items drawn inside it.
    painter.setPen(QPen(theme::kFrameLight, 1.5));
    painter.setBrush(QColor(6, 6, 6));
    painter.drawRoundedRect(QRectF(744.5, 20.5, 58, 22), 4, 4);
    painter.setPen(Qt::NoPen);
    painter.setBrush(theme::kFrameLight);
    painter.drawRoundedRect(QRectF(803, 26, 4, 10), 1.5, 1.5);
    // The page area.
    DrawWell(painter, QRectF(16.5, 116.5, width - 33.0, 462));
    // Footer rule.
    QLinearGradient rule(0, 0, width, 0);
    rule.setColorAt(0.0, QColor(43, 43, 43, 0));
    rule.setColorAt(0.5, theme::kFrameLight);
    rule.setColorAt(1.0, QColor(43, 43, 43, 0));
    painter.fillRect(QRectF(16, 586, width - 32.0, 1), rule);
    painter.end();
    SaveWindow(out, "main", image);
}
