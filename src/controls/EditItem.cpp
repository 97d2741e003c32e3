// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/EditItem.h"
#include "controls/accessibility/AccessibleName.h"

#include "skin/FontItem.h"
#include "skin/SkinElements.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

CEditItem::CEditItem(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect, int borderWidth,
                     int itemKind)
    : CSkinWindow(parent), CGUIItem(itemId, itemKind, nullptr, itemOwner), borderWidth_(std::max(0, borderWidth))
{
    CGUIItem::window = this;
    setGeometry(rect.ToQRect().adjusted(-borderWidth_, -borderWidth_, borderWidth_, borderWidth_));
    edit_ = new QLineEdit(this);
    edit_->setGeometry(borderWidth_, borderWidth_, rect.Width(), rect.Height());
    edit_->setFrame(false);
    edit_->setFont(DefaultControlFont());
    edit_->setContextMenuPolicy(Qt::NoContextMenu);
    edit_->installEventFilter(this);
    QObject::connect(edit_, &QLineEdit::textChanged, edit_, [this] {
        if (CSkinWindow* target = owner ? owner : GetParentWindow())
            target->SendMessage(WM_EDIT_TEXT_CHANGED, 0, reinterpret_cast<LPARAM>(GetHandle()));
    });
    ApplyColours();
}

CEditItem::~CEditItem()
{
    // The line edit is destroyed with this window; stop it calling back first.
    if (edit_)
        QObject::disconnect(edit_, nullptr, edit_, nullptr);
}

std::unique_ptr<CEditItem> CEditItem::FromElement(const EditCtrlElement& element, CSkinWindow* itemOwner)
{
    auto item =
        std::make_unique<CEditItem>(element.id, element.parentWindow, itemOwner, element.rect, element.borderWidth);
    EditColours colours;
    const ListColors& c = element.colors;
    colours.text = c.fontColor.value_or(colours.text);
    colours.back = c.backColor.value_or(colours.back);
    colours.border = c.borderColor.value_or(colours.border);
    colours.disabledText = c.disabledFontColor.value_or(colours.disabledText);
    colours.disabledBack = c.disabledBackColor.value_or(colours.disabledBack);
    colours.disabledBorder = c.disabledBorderColor.value_or(colours.disabledBorder);
    colours.hoverText = c.fontColorHighlight.value_or(colours.text);
    colours.hoverBack = c.backColorHighlight.value_or(colours.back);
    item->SetColours(colours);
    item->SetMaxLength(element.maxLength);
    if (element.text.font)
        item->SetFont(element.text.font->Font());
    if (!element.tooltip.text.empty())
        item->SetTooltip(element.tooltip.text);
    item->show();
    return item;
}

void CEditItem::SetColours(const EditColours& colours)
{
    colours_ = colours;
    ApplyColours();
}

COLORREF CEditItem::ShownTextColour() const
{
    if (!isEnabled())
        return colours_.disabledText;
    return IsHovered() ? colours_.hoverText : colours_.text;
}

COLORREF CEditItem::ShownBackColour() const
{
    if (!isEnabled())
        return colours_.disabledBack;
    return IsHovered() ? colours_.hoverBack : colours_.back;
}

void CEditItem::ApplyColours()
{
    if (!edit_)
        return;
    QPalette palette = edit_->palette();
    palette.setColor(QPalette::Text, ToQColor(ShownTextColour()));
    palette.setColor(QPalette::Base, ToQColor(ShownBackColour()));
    palette.setColor(QPalette::Window, ToQColor(ShownBackColour()));
    edit_->setPalette(palette);
    update();
}

void CEditItem::OnMouseEnter()
{
    ApplyColours();
}

void CEditItem::OnMouseLeave()
{
    ApplyColours();
}

void CEditItem::changeEvent(QEvent* event)
{
    // Enabling or disabling through the plain widget call must recolour as well.
    if (event->type() == QEvent::EnabledChange)
        ApplyColours();
    CSkinWindow::changeEvent(event);
}

void CEditItem::SetMaxLength(int max)
{
    // QLineEdit's own default limit stands for "no limit".
    edit_->setMaxLength(max > 0 ? max : 32767);
}

void CEditItem::SetFont(const QFont& font)
{
    edit_->setFont(font);
}

void CEditItem::SetTooltip(std::u16string_view key)
{
    const QString tip = MakeTooltip(key);
    setToolTip(tip);
    edit_->setToolTip(tip);
}

void CEditItem::SetNumeric(bool numeric, int lower, int upper)
{
    numeric_ = numeric;
    lower_ = lower;
    upper_ = upper;
    // Dropped text would bypass the digit check.
    edit_->setAcceptDrops(!numeric);
}

bool CEditItem::AcceptsDigit(int digit) const
{
    const QString text = edit_->text();
    int64_t value = digit;
    if (!text.isEmpty()) {
        bool ok = false;
        const qlonglong current = text.toLongLong(&ok);
        // A text that is no number, or already too large, cannot grow into the bounds.
        if (!ok || current > upper_)
            return false;
        value = int64_t(current) * 10 + digit;
    }
    return value >= lower_ && value <= upper_;
}

void CEditItem::SetText(const QString& text)
{
    edit_->setText(text);
}

QString CEditItem::GetText() const
{
    return edit_->text();
}

void CEditItem::SetEnabled(bool enabled)
{
    setEnabled(enabled);
    ApplyColours();
}

bool CEditItem::eventFilter(QObject* watched, QEvent* event)
{
    // The line edit is what takes the focus and what a screen reader lands on; it
    // carries the field's name, which is known only once the skin has named it.
    if (watched == edit_ && (event->type() == QEvent::Show || event->type() == QEvent::FocusIn) &&
        edit_->accessibleName().isEmpty())
        edit_->setAccessibleName(AccessibleControlName(*this, QString()));
    if (watched != edit_ || !numeric_ || event->type() != QEvent::KeyPress)
        return CSkinWindow::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Backspace)
        return false;
    // Keys that leave the field or end its popup are not typing: they go on as in
    // any other field.
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        return false;
    default:
        break;
    }
    if (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9 && key->modifiers() == Qt::NoModifier)
        return !AcceptsDigit(key->key() - Qt::Key_0);
    if (key->key() >= Qt::Key_0 && key->key() <= Qt::Key_9 && key->modifiers() == Qt::KeypadModifier)
        return !AcceptsDigit(key->key() - Qt::Key_0);
    return true; // every other key, pastes included, is swallowed
}

void CEditItem::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool enabled = isEnabled();
    painter.fillRect(rect(), ToQColor(enabled ? colours_.border : colours_.disabledBorder));
    painter.fillRect(rect().adjusted(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_),
                     ToQColor(ShownBackColour()));
}
