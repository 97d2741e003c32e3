// SPDX-License-Identifier: GPL-3.0-or-later
#include <QtMath>

#include "Assets.h"
#include "Theme.h"

namespace {

// Shapes in a 100 x 140 unit box, scaled to the image.
struct MouseShape {
    QPainterPath body;
    QPainterPath leftButton, rightButton;
    QRectF wheel;
    std::vector<QRectF> sideButtons; // on the left flank, front to rear
    QRectF stageButton;
};

MouseShape CurrentShape()
{
    MouseShape shape;
    QPainterPath body;
    body.moveTo(50, 2);
    body.cubicTo(80, 2, 94, 22, 94, 52);
    body.cubicTo(94, 92, 88, 136, 52, 138);
    body.cubicTo(14, 138, 8, 104, 10, 74);
    body.cubicTo(4, 66, 4, 52, 10, 44);
    body.cubicTo(10, 18, 24, 2, 50, 2);
    shape.body = body;
    QPainterPath left;
    left.moveTo(48, 5);
    left.cubicTo(26, 6, 16, 20, 15, 44);
    left.lineTo(48, 50);
    left.closeSubpath();
    shape.leftButton = left;
    QPainterPath right;
    right.moveTo(52, 5);
    right.cubicTo(76, 6, 88, 22, 89, 48);
    right.lineTo(52, 50);
    right.closeSubpath();
    shape.rightButton = right;
    shape.wheel = QRectF(45, 14, 10, 24);
    shape.sideButtons = {QRectF(4, 50, 6, 12), QRectF(4, 64, 6, 12), QRectF(12, 24, 5, 9), QRectF(13, 35, 5, 8)};
    shape.stageButton = QRectF(46, 42, 8, 5);
    return shape;
}

MouseShape EarlierShape()
{
    MouseShape shape;
    QPainterPath body;
    body.moveTo(50, 4);
    body.cubicTo(82, 4, 92, 28, 92, 60);
    body.cubicTo(92, 104, 82, 136, 50, 136);
    body.cubicTo(18, 136, 8, 104, 8, 60);
    body.cubicTo(8, 28, 18, 4, 50, 4);
    shape.body = body;
    QPainterPath left;
    left.moveTo(48, 7);
    left.cubicTo(26, 8, 14, 24, 13, 50);
    left.lineTo(48, 52);
    left.closeSubpath();
    shape.leftButton = left;
    QPainterPath right;
    right.moveTo(52, 7);
    right.cubicTo(74, 8, 86, 24, 87, 50);
    right.lineTo(52, 52);
    right.closeSubpath();
    shape.rightButton = right;
    shape.wheel = QRectF(45, 16, 10, 22);
    shape.sideButtons = {QRectF(6, 58, 5, 12), QRectF(6, 72, 5, 12), QRectF(12, 30, 4, 8), QRectF(12, 40, 4, 8)};
    shape.stageButton = QRectF(46, 43, 8, 5);
    return shape;
}

void Callout(QPainter& painter, const QPointF& from, const QPointF& badge, int number, qreal radius)
{
    painter.setPen(QPen(theme::kCyanBorder, 1.2));
    painter.drawLine(from, badge);
    painter.setBrush(theme::kCyan);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(from, 2.2, 2.2);
    painter.setBrush(theme::kCyanDeep);
    painter.setPen(QPen(theme::kCyan, 1.5));
    painter.drawEllipse(badge, radius, radius);
    DrawGlyphText(painter, QRectF(badge.x() - radius, badge.y() - radius, 2 * radius, 2 * radius),
                  QString::number(number), int(radius * 1.15), theme::kWhite);
}

} // namespace

void WriteMouseTopView(SkinWriter& out, const QString& name, int width, int height, MouseGeneration generation,
                       bool callouts)
{
    QImage image = Canvas(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const MouseShape shape = generation == MouseGeneration::Current ? CurrentShape() : EarlierShape();
    // The mouse takes the middle of the image; call-outs use the margins.
    const qreal margin = callouts ? width * 0.2 : 6.0;
    const qreal scale = qMin((width - 2 * margin) / 100.0, (height - 12.0) / 140.0);
    const QPointF offset((width - 100 * scale) / 2.0, (height - 140 * scale) / 2.0);
    painter.save();
    painter.translate(offset);
    painter.scale(scale, scale);
    QLinearGradient shell(0, 0, 100, 140);
    shell.setColorAt(0, QColor(44, 48, 52));
    shell.setColorAt(1, QColor(16, 17, 19));
    painter.setPen(QPen(theme::kFrameLight, 1.2 / scale * 1.5));
    painter.setBrush(shell);
    painter.drawPath(shape.body);
    painter.setBrush(QColor(30, 33, 36));
    painter.setPen(QPen(theme::kCyanBorder, 1.0 / scale * 1.2));
    painter.drawPath(shape.leftButton);
    painter.drawPath(shape.rightButton);
    painter.setBrush(QColor(8, 8, 8));
    painter.setPen(QPen(theme::kCyan, 1.0 / scale * 1.2));
    painter.drawRoundedRect(shape.wheel, 4, 4);
    for (int i = 1; i < 6; ++i) {
        const qreal y = shape.wheel.top() + i * shape.wheel.height() / 6.0;
        painter.drawLine(QPointF(shape.wheel.left() + 2, y), QPointF(shape.wheel.right() - 2, y));
    }
    painter.setBrush(QColor(24, 26, 28));
    painter.setPen(QPen(theme::kCyanBorder, 1.0 / scale));
    for (const QRectF& side : shape.sideButtons)
        painter.drawRoundedRect(side, 2, 2);
    // A light strip along the palm rest: the scroll wheel and logo light up on the real mouse.
    QLinearGradient glow(0, 90, 0, 130);
    glow.setColorAt(0, QColor(111, 232, 237, 160));
    glow.setColorAt(1, QColor(111, 232, 237, 0));
    painter.setPen(Qt::NoPen);
    painter.setBrush(glow);
    painter.drawEllipse(QRectF(40, 92, 20, 30));
    painter.restore();

    if (callouts) {
        const auto at = [&](qreal x, qreal y) { return offset + QPointF(x * scale, y * scale); };
        const qreal r = qMax(9.0, width / 30.0);
        const qreal leftX = r + 2, rightX = width - r - 2;
        const QRectF& w = shape.wheel;
        const auto& s = shape.sideButtons;
        struct Entry {
            QPointF part;
            QPointF badge;
        };
        // Numbered in the order of the assignment menus: left, right, wheel click,
        // button 4, button 5, front and rear top-left buttons, wheel up, wheel down.
        const Entry entries[] = {
            {at(30, 26), QPointF(leftX, at(0, 8).y())},
            {at(76, 32), QPointF(rightX, at(0, 72).y())},
            {at(w.center().x(), w.center().y()), QPointF(rightX, at(0, 24).y())},
            {at(s[0].center().x(), s[0].center().y()), QPointF(leftX, at(0, 62).y())},
            {at(s[1].center().x(), s[1].center().y()), QPointF(leftX, at(0, 84).y())},
            {at(s[2].center().x(), s[2].center().y()), QPointF(leftX, at(0, 30).y())},
            {at(s[3].center().x(), s[3].center().y()), QPointF(leftX, at(0, 45).y())},
            {at(w.center().x(), w.top() + 3), QPointF(rightX, at(0, 0).y() + r)},
            {at(w.center().x(), w.bottom() - 3), QPointF(rightX, at(0, 48).y())},
        };
        int number = 1;
        for (const Entry& entry : entries)
            Callout(painter, entry.part, entry.badge, number++, r);
    }
    painter.end();
    out.Save(image, name);
}

void WriteButtonNumberStrip(SkinWriter& out, const QString& name, int width, const std::vector<int>& rowCentres)
{
    const int height = rowCentres.empty() ? width : rowCentres.back() + width;
    QImage image = Canvas(width, height);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const qreal r = width / 2.0 - 2;
    int number = 1;
    for (int centre : rowCentres) {
        const QPointF c(width / 2.0, centre);
        painter.setBrush(theme::kCyanDeep);
        painter.setPen(QPen(theme::kCyan, 1.5));
        painter.drawEllipse(c, r, r);
        DrawGlyphText(painter, QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), QString::number(number++), int(r * 1.1),
                      theme::kWhite);
    }
    painter.end();
    out.Save(image, name);
}
