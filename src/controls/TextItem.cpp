// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/TextItem.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "controls/BitmapBtn.h"

CTextItem::CTextItem(const SkinRect& rect, QWidget* parent)
    : CSkinWindow(parent), CGUIItem(-1, ItemKind::TEXTITEM, this, nullptr)
{
    setGeometry(rect.ToQRect());
    setAttribute(Qt::WA_Hover);
    show();
}

std::unique_ptr<CTextItem> CTextItem::FromElement(const TextItemElement& element)
{
    auto item = std::make_unique<CTextItem>(element.rect, element.parentWindow);
    item->id = element.id; // clicks carry the item id
    item->SetFont(element.text.font);
    item->SetTextFormat(TextItemFormat(element.text.justify, element.text.multiline));
    item->SetColours(element.fontColor, element.fontColorHighlight, element.disabledFontColor);
    item->SetCaps(element.text.caps);
    item->SetText(element.textKey);
    if (!element.tooltip.text.empty())
        item->SetTooltip(element.tooltip.text);
    item->SetInteractive(element.interactive);
    if (element.checkBox)
        item->LinkCheckBox(dynamic_cast<CBitmapBtn*>(element.checkBox));
    return item;
}

void CTextItem::SetText(std::u16string_view key)
{
    text_ = MakeCaption(key, caps_);
    // The label has no background of its own: repainting it shows the parent through.
    update();
}

void CTextItem::SetPlainText(const QString& text)
{
    text_ = text;
    update();
}

void CTextItem::SetPlainText(std::u16string_view text)
{
    SetPlainText(QString::fromUtf16(text.data(), qsizetype(text.size())));
}

void CTextItem::SetColours(SkinColor normal, SkinColor hover, SkinColor disabled)
{
    normal_ = normal;
    hover_colour_ = hover;
    disabled_ = disabled;
    update();
}

void CTextItem::SetFont(const CFontItem* font)
{
    font_ = font;
    update();
}

void CTextItem::SetTextFormat(const DrawTextFormat& format)
{
    format_ = format;
    update();
}

void CTextItem::SetTooltip(std::u16string_view key)
{
    setToolTip(MakeTooltip(key));
}

bool CTextItem::LinkCheckBox(CBitmapBtn* checkBox)
{
    if (!checkBox || !checkBox->IsCheckBox()) {
        checkBox_ = nullptr;
        return false;
    }
    checkBox_ = checkBox;
    return true;
}

CBitmapBtn* CTextItem::LinkedCheckBox() const
{
    return checkBox_.data();
}

COLORREF CTextItem::ChosenColour() const
{
    if (!isEnabled() && disabled_)
        return *disabled_;
    if (hover_ && hover_colour_)
        return *hover_colour_;
    if (normal_)
        return *normal_;
    return kDefaultTextColor;
}

void CTextItem::paintEvent(QPaintEvent*)
{
    if (text_.isEmpty())
        return;
    QPainter painter(this);
    const QFont font = font_ ? font_->Font() : DefaultControlFont();
    painter.setFont(font);
    painter.setPen(ToQColor(ChosenColour()));
    if (!format_.IsEmpty()) {
        painter.drawText(rect(), format_.QtFlags(), text_);
        return;
    }
    // Without a format: one line, 5 pixels in, centred by the font's height.
    const QFontMetrics metrics(font);
    const int top = (height() - metrics.height()) / 2;
    painter.drawText(QRect(5, top, std::max(0, width() - 5), metrics.height()), Qt::AlignLeft | Qt::AlignTop, text_);
}

void CTextItem::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint())) {
        CSkinWindow::mouseReleaseEvent(event);
        return;
    }
    if (CBitmapBtn* box = checkBox_.data()) {
        box->ClickFromLabel();
        return;
    }
    Click();
}

bool CTextItem::Click()
{
    if (!interactive_ || !isEnabled())
        return false;
    ::SendMessage(GetParentWindow(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
                  reinterpret_cast<LPARAM>(GetHandle()));
    return true;
}

void CTextItem::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        update();
    CSkinWindow::changeEvent(event);
}

void CTextItem::OnMouseEnter()
{
    hover_ = true;
    if (CBitmapBtn* box = checkBox_.data())
        box->SetHover(true);
    update();
}

void CTextItem::OnMouseLeave()
{
    hover_ = false;
    if (CBitmapBtn* box = checkBox_.data())
        box->SetHover(false);
    update();
}
