// SPDX-License-Identifier: GPL-3.0-or-later
#include "Painting.h"

#include <QDir>
#include <QFont>

bool SkinWriter::Save(const QImage& image, const QString& name)
{
    const QString path = QDir(directory_).filePath(name);
    if (!image.save(path)) {
        ++failures_;
        return false;
    }
    ++written_;
    return true;
}

bool SkinWriter::SaveBitmap24(const QImage& image, const QString& name)
{
    return Save(image.convertToFormat(QImage::Format_RGB888), name);
}

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

QImage MaskFromPath(int width, int height, const QPainterPath& shape)
{
    QImage mask(width, height, QImage::Format_RGB32);
    mask.fill(Qt::white);
    QPainter painter(&mask);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillPath(shape, Qt::black);
    return mask;
}

QPainterPath RoundedPath(const QRectF& rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect, radius, radius);
    return path;
}

void DrawBox(QPainter& painter, const QRectF& rect, qreal radius, const QColor& top, const QColor& bottom,
             const QColor& border, qreal borderWidth)
{
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0.0, top);
    gradient.setColorAt(1.0, bottom);
    const qreal inset = borderWidth / 2.0;
    const QRectF inner = rect.adjusted(inset, inset, -inset, -inset);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(gradient);
    if (borderWidth > 0.0)
        painter.setPen(QPen(border, borderWidth));
    else
        painter.setPen(Qt::NoPen);
    painter.drawRoundedRect(inner, radius, radius);
    painter.restore();
}

void DrawGlow(QPainter& painter, const QRectF& rect, qreal radius, const QColor& colour, int spread)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setBrush(Qt::NoBrush);
    for (int i = spread; i >= 1; --i) {
        QColor ring = colour;
        ring.setAlpha(70 / i);
        painter.setPen(QPen(ring, 1.0));
        painter.drawRoundedRect(rect.adjusted(-i + 0.5, -i + 0.5, i - 0.5, i - 0.5), radius + i, radius + i);
    }
    painter.restore();
}

void DrawGlyphText(QPainter& painter, const QRectF& rect, const QString& text, int pixelSize, const QColor& colour,
                   bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    painter.save();
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(rect, Qt::AlignCenter, text);
    painter.restore();
}
