// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/DMarker.h"

#include "controls/ControlDrawing.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

CDMarker::CDMarker(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect)
    : CSkinWindow(parent), CGUIItem(itemId, ItemKind::DMARKER, nullptr, itemOwner)
{
    CGUIItem::window = this;
    setGeometry(rect.ToQRect());
}

void CDMarker::SetBitmaps(const QImage& background, const QImage& mark, const SkinRect& rect)
{
    background_ = CutImage(background, rect.left, rect.top, rect.right, rect.bottom);
    mark_ = CutImage(mark, rect.left, rect.top, rect.right, rect.bottom);
    update();
}

void CDMarker::SetRange(int min, int max)
{
    min_ = min;
    max_ = max;
    value_ = std::clamp(value_, min_, std::max(min_, max_));
    update();
}

void CDMarker::SetValue(int value)
{
    value_ = std::clamp(value, min_, std::max(min_, max_));
    update();
}

int CDMarker::ValueAt(int x) const
{
    const int left = 0;
    const int right = width();
    // A marker without width has nowhere to drag to.
    if (right <= left)
        return min_;
    const int64_t value = int64_t(min_) + int64_t(max_ - min_) * (std::max(x, left) - left) / (right - left);
    return int(std::clamp<int64_t>(value, min_, std::max(min_, max_)));
}

int CDMarker::MarkedColumns(int value) const
{
    if (max_ <= min_)
        return 0;
    return int(int64_t(width()) * (value - min_) / (max_ - min_));
}

void CDMarker::mousePressEvent(QMouseEvent* event)
{
    if (!enabled_ || event->button() != Qt::LeftButton)
        return;
    SetCapture();
    dragging_ = true;
    dragValue_ = ValueAt(event->position().toPoint().x());
    update();
}

void CDMarker::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    const int value = ValueAt(event->position().toPoint().x());
    if (value != dragValue_) {
        dragValue_ = value;
        update();
    }
}

void CDMarker::mouseReleaseEvent(QMouseEvent* event)
{
    if (!dragging_ || event->button() != Qt::LeftButton)
        return;
    ReleaseCapture();
    dragging_ = false;
    value_ = ValueAt(event->position().toPoint().x());
    update();
    if (CSkinWindow* target = owner ? owner : GetParentWindow())
        target->PostMessage(WM_MARKER_CHANGED, WPARAM(value_), LPARAM(id));
}

void CDMarker::paintEvent(QPaintEvent*)
{
    QImage buffer(size(), QImage::Format_ARGB32_Premultiplied);
    buffer.fill(Qt::transparent);
    {
        QPainter painter(&buffer);
        if (!background_.isNull())
            painter.drawImage(0, 0, background_);
        const int columns = std::clamp(MarkedColumns(ShownValue()), 0, width());
        if (!mark_.isNull() && columns > 0)
            painter.drawImage(QPoint(0, 0), mark_, QRect(0, 0, columns, mark_.height()));
    }
    QPainter(this).drawImage(0, 0, buffer);
}
