// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The small tracking tooltip that shows a thumb's value next to it while the thumb
// is hovered or dragged. One per track, created on first need.
#include <QString>
#include <QWidget>

#include "skin/SkinGeometry.h"

class CSliderTooltip : public QWidget {
public:
    CSliderTooltip();

    // Shows `text` next to the thumb whose top-left corner is at `thumbScreen`.
    void ShowAt(const QString& text, const QPoint& thumbScreen, TooltipSide side);
    void HideTip() { hide(); }
    const QString& Text() const { return text_; }

    // Where the tooltip goes for a thumb at `thumbScreen`, given the tooltip's size.
    static QPoint Placement(const QPoint& thumbScreen, const QSize& tipSize, TooltipSide side);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
};
