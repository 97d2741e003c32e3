// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/SliderTooltip.h"

#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kPadding = 4;
}

CSliderTooltip::CSliderTooltip() : QWidget(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
}

QPoint CSliderTooltip::Placement(const QPoint& thumbScreen, const QSize& tipSize, TooltipSide side)
{
    switch (side) {
    case TooltipSide::Left:
        return {thumbScreen.x() - tipSize.width(), thumbScreen.y() - tipSize.height() / 2};
    case TooltipSide::Right:
        return {thumbScreen.x(), thumbScreen.y() - tipSize.height() / 2};
    case TooltipSide::Top:
        return {thumbScreen.x() - tipSize.width() / 2, thumbScreen.y() - tipSize.height()};
    case TooltipSide::Bottom:
        return {thumbScreen.x() - tipSize.width() / 2, thumbScreen.y()};
    }
    return thumbScreen;
}

void CSliderTooltip::ShowAt(const QString& text, const QPoint& thumbScreen, TooltipSide side)
{
    text_ = text;
    const QFontMetrics metrics(font());
    const QSize size(metrics.horizontalAdvance(text_) + 2 * kPadding, metrics.height() + 2 * kPadding);
    resize(size);
    move(Placement(thumbScreen, size, side));
    show();
    update();
}

void CSliderTooltip::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0xFF, 0xFF, 0xE1));
    painter.setPen(Qt::black);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    painter.drawText(rect(), Qt::AlignCenter, text_);
}
