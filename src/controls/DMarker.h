// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A level marker (`DMARKER`, kind 7): a bar whose marked part grows with a value in
// [min, max] (0 to 10 by default). Dragging sets the value; the owner hears of the
// new value when the drag ends (1114).
#include <QImage>

#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

class CDMarker : public CSkinWindow, public CGUIItem {
public:
    CDMarker(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect);

    // Markers cut their part out of images the size of their parent, at their own rectangle.
    void SetBitmaps(const QImage& background, const QImage& mark, const SkinRect& rect);

    void SetRange(int min, int max);
    void SetValue(int value);
    int GetValue() const { return value_; }
    // The value shown: the value being dragged to while a drag lasts.
    int ShownValue() const { return dragging_ ? dragValue_ : value_; }
    int GetMin() const { return min_; }
    int GetMax() const { return max_; }
    void Enable(bool enable) { enabled_ = enable; }
    bool IsMarkerEnabled() const { return enabled_; }
    bool IsDragging() const { return dragging_; }

    // The value for client x: min + (max - min) * (x - left) / (right - left), x not
    // below left, clamped to [min, max].
    int ValueAt(int x) const;
    // How many columns of the mark are drawn for a value.
    int MarkedColumns(int value) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage background_;
    QImage mark_;
    int min_ = 0;
    int max_ = 10;
    int value_ = 0;
    int dragValue_ = 0;
    bool enabled_ = true;
    bool dragging_ = false;
};
