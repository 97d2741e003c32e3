#include "controls/DropdownColorButton.h"

#include "skin/SkinElements.h"

#include <QMouseEvent>
#include <QPainter>

CDropdownColorButton::CDropdownColorButton(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner,
                                           const SkinRect& rect)
    : CDropdownListItem(itemId, parent, itemOwner, rect, ItemKind::COMBOCOLOR)
{
}

std::unique_ptr<CDropdownColorButton> CDropdownColorButton::FromElement(const ComboElement& element,
                                                                        CSkinWindow* itemOwner)
{
    auto button = std::make_unique<CDropdownColorButton>(element.id, element.parentWindow, itemOwner, element.rect);
    DropdownColours colours;
    const ListColors& c = element.colors;
    colours.text = c.fontColor.value_or(colours.text);
    colours.textHighlight = c.fontColorHighlight.value_or(colours.textHighlight);
    colours.disabledText = c.disabledFontColor.value_or(colours.disabledText);
    colours.back = c.backColor.value_or(colours.back);
    colours.backHighlight = c.backColorHighlight.value_or(colours.backHighlight);
    colours.disabledBack = c.disabledBackColor.value_or(colours.disabledBack);
    colours.border = c.borderColor.value_or(colours.border);
    colours.disabledBorder = c.disabledBorderColor.value_or(colours.disabledBorder);
    button->SetColours(colours);
    button->SetBorderWidth(element.borderWidth);
    button->SetPopupSize(element.listWidth, element.listHeight);
    if (element.box) {
        button->SetBoxMask(element.box->bitmaps.mask.image);
        button->SetHasArrow(element.box->hasArrow);
    }
    if (!element.tooltip.text.empty())
        button->setToolTip(MakeTooltip(element.tooltip.text));
    button->show();
    return button;
}

void CDropdownColorButton::mousePressEvent(QMouseEvent* event)
{
    // Not a list: it must neither announce nor open the entries' pop-up.
    event->accept();
}

void CDropdownColorButton::SetColour(COLORREF colour)
{
    colour_ = colour;
    update();
}

void CDropdownColorButton::SetBoxMask(const QImage& mask)
{
    boxMask_ = mask;
    update();
}

void CDropdownColorButton::PaintContent(QPainter& painter, const QRect& area, const QColor&)
{
    const QRect box = area.adjusted(0, 2, 0, -2);
    if (boxMask_.isNull()) {
        painter.fillRect(box, ToQColor(colour_));
        return;
    }
    QImage swatch(box.size(), QImage::Format_ARGB32);
    swatch.fill(ToQColor(colour_));
    const QImage mask = boxMask_.scaled(box.size()).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < swatch.height(); ++y)
        for (int x = 0; x < swatch.width(); ++x)
            if ((mask.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                swatch.setPixel(x, y, 0);
    painter.drawImage(box.topLeft(), swatch);
}
