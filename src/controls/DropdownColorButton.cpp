// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/DropdownColorButton.h"
#include "controls/accessibility/AccessibleEvents.h"

#include "platform/ModalService.h"
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
    button->SetColours(DropdownColoursFromSkin(element.colors));
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
    // Not a list: it opens the palette, never the entries' pop-up.
    event->accept();
    if (event->button() == Qt::LeftButton)
        Open();
}

bool CDropdownColorButton::Open()
{
    if (IsDisabled() || !IsInteractive())
        return false;
    ClosePalette();
    before_ = colour_;
    palette_ = new CColourPalette(this, mapToGlobal(QPoint(0, height())), colour_);
    palette_->setAttribute(Qt::WA_DeleteOnClose);
    palette_->show();
    update();
    return true;
}

void CDropdownColorButton::ClosePalette()
{
    if (palette_)
        palette_->Dismiss();
    palette_.clear();
}

CSkinWindow* CDropdownColorButton::NotifyOwner() const
{
    return notifyOwner_ ? notifyOwner_ : GetParentWindow();
}

void CDropdownColorButton::Choose(COLORREF colour, WPARAM code)
{
    ClosePalette();
    shown_ = colour;
    CSkinWindow* target = NotifyOwner();
    if (target)
        target->PostMessage(WM_COLOUR_PICKED, code, LPARAM(colour));
    if (colour != colour_) {
        colour_ = colour;
        if (target)
            target->SendMessage(WM_COLOUR_CHANGED, WPARAM(colour), LPARAM(id));
    }
    update();
}

void CDropdownColorButton::Cancel(COLORREF before)
{
    shown_ = before;
    ClosePalette();
    if (CSkinWindow* target = NotifyOwner())
        target->SendMessage(WM_COLOUR_CANCELLED, WPARAM(before), LPARAM(id));
    update();
}

LRESULT CDropdownColorButton::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_COLOUR_PICKED:
        if (lParam == kPalettePreview) {
            if (!palette_)
                return 0; // a late preview after the palette closed
            shown_ = COLORREF(wParam);
            update();
            AnnounceValueChange(this, ToQColor(shown_).name().toUpper());
            if (CSkinWindow* target = NotifyOwner())
                target->PostMessage(WM_COLOUR_PICKED, WPARAM(kPalettePreview), LPARAM(wParam));
        } else {
            Choose(COLORREF(wParam), WPARAM(lParam));
        }
        return 0;
    case WM_COLOUR_CANCELLED:
        Cancel(COLORREF(wParam));
        return 0;
    case WM_COLOUR_CUSTOM: {
        ClosePalette();
        if (const auto chosen = ChooseColor(colour_))
            Choose(*chosen, WPARAM(kPaletteChoice));
        else
            Cancel(before_);
        return 0;
    }
    default:
        return CDropdownListItem::WindowProc(msg, wParam, lParam);
    }
}

void CDropdownColorButton::SetColour(COLORREF colour)
{
    colour_ = colour;
    shown_ = colour;
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
        painter.fillRect(box, ToQColor(shown_));
        return;
    }
    QImage swatch(box.size(), QImage::Format_ARGB32);
    swatch.fill(ToQColor(shown_));
    const QImage mask = boxMask_.scaled(box.size()).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < swatch.height(); ++y)
        for (int x = 0; x < swatch.width(); ++x)
            if ((mask.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF)
                swatch.setPixel(x, y, 0);
    painter.drawImage(box.topLeft(), swatch);
}
