// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/BitmapWindow.h"

#include <QEvent>
#include <QPainter>

#include "controls/BitmapItem.h"

CBitmapWindow::CBitmapWindow(const SkinRect& rect, QWidget* parent)
    : CSkinWindow(parent), CGUIItem(-1, ItemKind::BITMAPWINDOW, this, nullptr)
{
    setGeometry(rect.ToQRect());
    show();
}

CBitmapWindow::~CBitmapWindow() = default;

std::unique_ptr<CBitmapWindow> CBitmapWindow::FromElement(const BitmapWindowElement& element)
{
    auto window = std::make_unique<CBitmapWindow>(element.rect, element.parentWindow);
    window->SetBitmaps(element.bitmaps.normal.image, element.bitmaps.disabled.image, element.bitmaps.mask.image);
    window->SetFont(element.text.font);
    window->SetCaps(element.text.caps);
    window->SetTextFormat(ButtonTextFormat(element.text.justify, element.text.multiline));
    if (element.fontColor && *element.fontColor != 0)
        window->SetTextColour(*element.fontColor);
    if (!element.tooltip.text.empty())
        window->SetTooltip(element.tooltip.text);
    for (const BitmapItemElement& childElement : element.children) {
        // Child pictures are placed in the window's own coordinates.
        auto* child = new CBitmapItem(childElement.rect, window.get());
        child->id = childElement.id;
        child->owner = element.parentWindow;
        child->SetBitmap(childElement.bitmaps.normal.image, childElement.bitmaps.mask.image);
        child->SetAssignType(childElement.assignType);
        child->SetMoveable(childElement.moveable);
        if (!childElement.tooltip.text.empty())
            child->SetTooltip(childElement.tooltip.text);
        window->children_.push_back(child);
    }
    return window;
}

void CBitmapWindow::SetBitmaps(const QImage& normal, const QImage& disabled, const QImage& mask)
{
    normal_ = CutImage(normal, 0, 0, width(), height());
    disabled_ = CutImage(disabled, 0, 0, width(), height());
    const QImage cutMask = CutImage(mask, 0, 0, width(), height());
    if (!cutMask.isNull())
        SetRegionFromMask(cutMask, MaskKind::ControlMask);
    update();
}

void CBitmapWindow::SetText(std::u16string_view key)
{
    text_ = MakeCaption(key, caps_);
    update();
}

void CBitmapWindow::SetTooltip(std::u16string_view key)
{
    setToolTip(MakeTooltip(key));
}

void CBitmapWindow::ShowChildrenOfAssignType(int type)
{
    for (CBitmapItem* child : children_)
        child->setVisible(child->AssignType() == type);
}

void CBitmapWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QImage& image = (!isEnabled() && !disabled_.isNull()) ? disabled_ : normal_;
    if (!image.isNull())
        painter.drawImage(QPoint(0, 0), image);
    if (!text_.isEmpty()) {
        painter.setFont(font_ ? font_->Font() : DefaultControlFont());
        painter.setPen(ToQColor(colour_));
        painter.drawText(rect(), format_.QtFlags(), text_);
    }
}

void CBitmapWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    CSkinWindow::changeEvent(event);
}
