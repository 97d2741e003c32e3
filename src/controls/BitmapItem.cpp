// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/BitmapItem.h"

#include <QMouseEvent>
#include <QPainter>

#include "controls/ControlDrawing.h"

CBitmapItem::CBitmapItem(const SkinRect& rect, QWidget* parent)
    : CSkinWindow(parent), CGUIItem(-1, ItemKind::BITMAPITEM, this, nullptr)
{
    setGeometry(rect.ToQRect());
    show();
}

std::unique_ptr<CBitmapItem> CBitmapItem::FromElement(const BitmapItemElement& element)
{
    auto item = std::make_unique<CBitmapItem>(element.rect, element.parentWindow);
    item->SetBitmap(element.bitmaps.normal.image, element.bitmaps.mask.image);
    if (!element.tooltip.text.empty())
        item->SetTooltip(element.tooltip.text);
    item->SetMoveable(element.moveable);
    item->SetAssignType(element.assignType);
    return item;
}

void CBitmapItem::SetBitmap(const QImage& bitmap, const QImage& mask)
{
    bitmap_ = CutImage(bitmap, 0, 0, width(), height());
    mask_ = CutImage(mask, 0, 0, width(), height());
    if (mask_.isNull())
        ClearRegion();
    else
        SetRegionFromMask(mask_, MaskKind::ControlMask);
    update();
}

void CBitmapItem::SetTooltip(std::u16string_view key)
{
    setToolTip(MakeTooltip(key));
}

LRESULT CBitmapItem::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    // Controls placed on a picture report to the window that owns the picture.
    if (msg == WM_COMMAND)
        return ::SendMessage(GetParentWindow(), msg, wParam, lParam);
    return CSkinWindow::WindowProc(msg, wParam, lParam);
}

void CBitmapItem::paintEvent(QPaintEvent*)
{
    if (bitmap_.isNull())
        return;
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), bitmap_);
}

void CBitmapItem::mousePressEvent(QMouseEvent* event)
{
    if (moveable_ && event->button() == Qt::LeftButton) {
        dragging_ = true;
        dragOffset_ = event->position().toPoint();
        return;
    }
    CSkinWindow::mousePressEvent(event);
}

void CBitmapItem::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_) {
        CSkinWindow::mouseMoveEvent(event);
        return;
    }
    // A moveable picture follows the pointer but stays inside its parent.
    QPoint target = mapToParent(event->position().toPoint()) - dragOffset_;
    if (QWidget* parent = parentWidget()) {
        target.setX(std::clamp(target.x(), 0, std::max(0, parent->width() - width())));
        target.setY(std::clamp(target.y(), 0, std::max(0, parent->height() - height())));
    }
    move(target);
}

void CBitmapItem::mouseReleaseEvent(QMouseEvent* event)
{
    if (dragging_ && event->button() == Qt::LeftButton) {
        dragging_ = false;
        return;
    }
    CSkinWindow::mouseReleaseEvent(event);
}
