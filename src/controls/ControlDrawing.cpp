// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ControlDrawing.h"

#include <QPainter>
#include <QWidget>

#include "skin/LangTable.h"
#include "skin/SkinText.h"

QColor ToQColor(COLORREF color)
{
    return QColor(GetRValue(color), GetGValue(color), GetBValue(color));
}

QImage CutImage(const QImage& source, int left, int top, int right, int bottom)
{
    if (source.isNull() || right <= left || bottom <= top)
        return QImage();
    // The piece may reach past the source (the rest stays transparent), but never
    // beyond the skin limits: a hostile size must not allocate gigabytes.
    if (!IsSkinExtent(static_cast<long long>(right) - left) || !IsSkinExtent(static_cast<long long>(bottom) - top))
        return QImage();
    // The whole of a premultiplied picture is the picture itself: shared, not copied.
    if (left == 0 && top == 0 && right == source.width() && bottom == source.height() &&
        source.format() == QImage::Format_ARGB32_Premultiplied)
        return source;
    QImage image(right - left, bottom - top, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), source, QRect(left, top, right - left, bottom - top));
    return image;
}

QImage PaintBuffer(const QWidget& control, QImage::Format format)
{
    const qreal ratio = control.devicePixelRatioF();
    QImage buffer(control.size() * ratio, format);
    buffer.setDevicePixelRatio(ratio);
    return buffer;
}

void DrawInsideFrame(QPainter& painter, const QRect& area, COLORREF colour, int width)
{
    if (width <= 0)
        return;
    QPen pen(ToQColor(colour));
    pen.setWidth(width);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.save();
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const qreal half = width / 2.0;
    painter.drawRect(QRectF(area).adjusted(half, half, -half, -half));
    painter.restore();
}

QString MakeCaption(std::u16string_view key, CapsMode caps)
{
    QString text = ToQString(TranslateText(key));
    // The line break goes in before the case change: upper-casing first would turn
    // the escape into "\N" and show it literally.
    const qsizetype pair = text.indexOf(QStringLiteral("\\n"));
    if (pair >= 0)
        text.replace(pair, 2, QStringLiteral("\n"));
    if (caps == CapsMode::Upper)
        text = text.toUpper();
    else if (caps == CapsMode::Lower)
        text = text.toLower();
    return text;
}

QString MakeTooltip(std::u16string_view key)
{
    QString text = ToQString(TranslateText(key));
    text.replace(QStringLiteral("\\n"), QStringLiteral("\n"));
    return text;
}

int DrawTextFormat::QtFlags() const
{
    int flags = 0;
    switch (horizontal) {
    case Justify::Left:
        flags |= Qt::AlignLeft;
        break;
    case Justify::Centre:
        flags |= Qt::AlignHCenter;
        break;
    case Justify::Right:
        flags |= Qt::AlignRight;
        break;
    }
    flags |= verticalCentre ? Qt::AlignVCenter : Qt::AlignTop;
    if (singleLine)
        flags |= Qt::TextSingleLine;
    else if (wordBreak)
        flags |= Qt::TextWordWrap;
    return flags;
}

DrawTextFormat ButtonTextFormat(Justify justify, int multiline)
{
    DrawTextFormat format;
    format.horizontal = justify;
    if (multiline == 1) {
        format.wordBreak = true;
    } else {
        format.singleLine = true;
        format.verticalCentre = true;
        format.wordBreak = true;
    }
    return format;
}

DrawTextFormat TextItemFormat(Justify justify, int multiline)
{
    DrawTextFormat format;
    format.horizontal = justify;
    if (multiline == 1) {
        format.wordBreak = true;
    } else if (justify != Justify::Left) {
        format.singleLine = true;
        format.verticalCentre = true;
    }
    return format;
}
