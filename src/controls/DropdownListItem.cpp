// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/DropdownListItem.h"

#include "controls/ListPanelPopup.h"
#include "controls/accessibility/AccessibleEvents.h"
#include "skin/FontItem.h"
#include "skin/SkinElements.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>

CDropdownListItem::CDropdownListItem(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect,
                                     int itemKind)
    : CSkinWindow(parent), CGUIItem(itemId, itemKind, nullptr, itemOwner), font_(DefaultControlFont())
{
    CGUIItem::window = this;
    setGeometry(rect.ToQRect());
    setFocusPolicy(Qt::StrongFocus);
}

DropdownColours DropdownColoursFromSkin(const ListColors& skin)
{
    DropdownColours colours;
    colours.text = skin.fontColor.value_or(colours.text);
    colours.textHighlight = skin.fontColorHighlight.value_or(colours.textHighlight);
    colours.disabledText = skin.disabledFontColor.value_or(colours.disabledText);
    colours.back = skin.backColor.value_or(colours.back);
    colours.backHighlight = skin.backColorHighlight.value_or(colours.backHighlight);
    colours.disabledBack = skin.disabledBackColor.value_or(colours.disabledBack);
    colours.border = skin.borderColor.value_or(colours.border);
    colours.disabledBorder = skin.disabledBorderColor.value_or(colours.disabledBorder);
    return colours;
}

std::unique_ptr<CDropdownListItem> CDropdownListItem::FromElement(const ComboElement& element, CSkinWindow* itemOwner)
{
    auto box = std::make_unique<CDropdownListItem>(element.id, element.parentWindow, itemOwner, element.rect);
    box->SetColours(DropdownColoursFromSkin(element.colors));
    box->SetBorderWidth(element.borderWidth);
    box->SetMargins(element.leftMargin, element.rightMargin);
    box->SetSorted(element.sorted);
    box->SetPopupSize(element.listWidth, element.listHeight);
    if (element.box)
        box->SetBoxRect(element.box->rect.ToQRect());
    if (element.text.font)
        box->SetFont(element.text.font->Font());
    if (!element.tooltip.text.empty())
        box->setToolTip(MakeTooltip(element.tooltip.text));
    box->SetEntries(element.entries);
    box->show();
    return box;
}

void CDropdownListItem::SetEntries(const std::vector<std::u16string>& entries)
{
    entries_.clear();
    selected_ = -1;
    for (const auto& entry : entries)
        AddEntry(entry);
}

void CDropdownListItem::AddEntry(std::u16string_view entry)
{
    DropdownEntry added;
    added.text = std::u16string(entry);
    AddEntry(added);
}

int CDropdownListItem::AddEntry(const DropdownEntry& entry)
{
    EntryData added{entry.plainText ? QString::fromStdU16String(entry.text) : MakeCaption(entry.text),
                    entry.text,
                    entry.description.empty() ? QString() : MakeTooltip(entry.description),
                    QString::fromStdU16String(entry.detail),
                    entry.disabled,
                    entry.subMenu};
    auto at = entries_.end();
    if (sorted_) {
        at = std::upper_bound(entries_.begin(), entries_.end(), added, [](const EntryData& a, const EntryData& b) {
            return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
        });
    }
    const int index = int(at - entries_.begin());
    entries_.insert(at, std::move(added));
    if (selected_ >= index)
        ++selected_;
    update();
    return index;
}

void CDropdownListItem::ClearEntries()
{
    entries_.clear();
    selected_ = -1;
    update();
}

QString CDropdownListItem::Entry(int index) const
{
    return index >= 0 && index < EntryCount() ? entries_[std::size_t(index)].text : QString();
}

std::u16string CDropdownListItem::EntryKey(int index) const
{
    return index >= 0 && index < EntryCount() ? entries_[std::size_t(index)].key : std::u16string();
}

QString CDropdownListItem::EntryDetail(int index) const
{
    return index >= 0 && index < EntryCount() ? entries_[std::size_t(index)].detail : QString();
}

QString CDropdownListItem::EntryDescription(int index) const
{
    return index >= 0 && index < EntryCount() ? entries_[std::size_t(index)].description : QString();
}

bool CDropdownListItem::IsEntryDisabled(int index) const
{
    return index >= 0 && index < EntryCount() && entries_[std::size_t(index)].disabled;
}

CListPanelItem* CDropdownListItem::EntrySubMenu(int index) const
{
    return index >= 0 && index < EntryCount() ? entries_[std::size_t(index)].subMenu : nullptr;
}

QString CDropdownListItem::ShownText(int index) const
{
    const QString detail = EntryDetail(index);
    return detail.isEmpty() ? Entry(index) : Entry(index) + QStringLiteral(": ") + detail;
}

bool CDropdownListItem::SetSelected(int index)
{
    if (index < -1 || index >= EntryCount())
        return false;
    const bool changed = index != selected_;
    selected_ = index;
    update();
    if (changed)
        AnnounceValueChange(this, BoxText());
    return true;
}

void CDropdownListItem::SetLabel(std::u16string_view key)
{
    label_ = MakeCaption(key);
    update();
}

QString CDropdownListItem::BoxText() const
{
    const QString selected = ShownText(selected_);
    return label_.isEmpty() ? selected : label_ + QStringLiteral(": ") + selected;
}

void CDropdownListItem::SetColours(const DropdownColours& colours)
{
    colours_ = colours;
    update();
}

void CDropdownListItem::SetMargins(int left, int right)
{
    leftMargin_ = std::max(0, left);
    rightMargin_ = std::max(0, right);
}

void CDropdownListItem::SetPopupSize(int width, int height)
{
    popupWidth_ = std::max(0, width);
    popupHeight_ = std::max(0, height);
}

void CDropdownListItem::SetBoxRect(const QRect& box)
{
    box_ = box;
    update();
}

QRect CDropdownListItem::BoxRect() const
{
    // A box the control cannot show would make it impossible to press.
    if (box_ && !box_->isEmpty() && rect().contains(*box_))
        return *box_;
    return rect();
}

void CDropdownListItem::SetDisabled(bool disabled)
{
    disabled_ = disabled;
    update();
}

void CDropdownListItem::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton || disabled_ || !interactive_)
        return;
    if (!BoxRect().contains(event->position().toPoint()))
        return;
    Open();
}

bool CDropdownListItem::Open()
{
    if (disabled_ || !interactive_ || open_)
        return false;
    CSkinWindow* parent = GetParentWindow();
    if (parent)
        parent->SendMessage(WM_DROPDOWN_OPENING, 0, reinterpret_cast<LPARAM>(GetHandle()));
    OpenPopup();
    return true;
}

void CDropdownListItem::keyPressEvent(QKeyEvent* event)
{
    // The entries may be filled only when the list opens, so the arrows open it
    // rather than stepping through entries that may be out of date. Enter stays
    // the window's OK.
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const int key = event->key();
    const bool opens = (modifiers == Qt::NoModifier &&
                        (key == Qt::Key_Space || key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_F4)) ||
                       (modifiers == Qt::AltModifier && (key == Qt::Key_Up || key == Qt::Key_Down));
    if (!opens) {
        CSkinWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    if (!event->isAutoRepeat())
        OpenAtChoice();
}

bool CDropdownListItem::OpenAtChoice()
{
    openedByKeyboard_ = true;
    const bool opened = Open();
    openedByKeyboard_ = false;
    return opened;
}

void CDropdownListItem::OpenPopup()
{
    // The pop-up is a list panel in the drop-down's own looks, as wide as the box
    // unless the skin gives the list its own width.
    const int width = popupWidth_ > 0 ? popupWidth_ : this->width();
    CListPanelItem panel(-1, nullptr, SkinRect{0, 0, width, popupHeight_});
    ListPanelColours colours;
    colours.text = colours_.text;
    colours.textHighlight = colours_.textHighlight;
    colours.textSelected = colours_.textHighlight;
    colours.disabledText = colours_.disabledText;
    colours.back = colours_.back;
    colours.backHighlight = colours_.backHighlight;
    colours.backSelected = colours_.backHighlight;
    colours.disabledBack = colours_.disabledBack;
    colours.border = colours_.border;
    panel.SetColours(colours);
    panel.SetBorderWidth(borderWidth_);
    panel.SetMargins(leftMargin_, rightMargin_);
    panel.SetFont(font_);
    for (int row = 0; row < EntryCount(); ++row) {
        const EntryData& entry = entries_[std::size_t(row)];
        panel.AddShownEntry(ShownText(row), entry.subMenu, entry.disabled, entry.description);
    }
    const int height = popupHeight_ > 0
                           ? popupHeight_
                           : CListPanelRows::kRowHeight * std::max(1, EntryCount()) + 2 * panel.ShownBorderWidth();
    open_ = true;
    update();
    const QRect box = BoxRect();
    int subChoice = -1;
    const int chosen = ShowListPanelPopup(height, this, panel, box.left(), box.bottom() + 1, &subChoice,
                                          openedByKeyboard_ ? selected_ : -1);
    open_ = false;
    update();
    if (chosen < 0 || chosen >= EntryCount())
        return;
    lastSubChoice_ = subChoice;
    SetSelected(chosen);
    if (CSkinWindow* parent = GetParentWindow())
        parent->SendMessage(WM_DROPDOWN_SELECTED, WPARAM(chosen), reinterpret_cast<LPARAM>(GetHandle()));
}

void CDropdownListItem::PaintContent(QPainter& painter, const QRect& area, const QColor& textColour)
{
    painter.setFont(font_);
    painter.setPen(textColour);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(BoxText(), Qt::ElideRight, area.width()));
}

void CDropdownListItem::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool hot = (IsHovered() || open_) && !disabled_;
    const COLORREF back = disabled_ ? colours_.disabledBack : hot ? colours_.backHighlight : colours_.back;
    const COLORREF border = disabled_ ? colours_.disabledBorder : colours_.border;
    const COLORREF text = disabled_ ? colours_.disabledText : hot ? colours_.textHighlight : colours_.text;
    const QRect box = BoxRect();
    painter.fillRect(box, ToQColor(border));
    const QRect inner = box.adjusted(borderWidth_, borderWidth_, -borderWidth_, -borderWidth_);
    painter.fillRect(inner, ToQColor(back));

    // The arrow box at the right end: a square as high as the inside.
    const int arrowSize = ShowsArrow() ? std::max(0, inner.height()) : 0;
    const QRect arrowBox(inner.right() - arrowSize + 1, inner.top(), arrowSize, arrowSize);
    QPainterPath arrow;
    const QPointF centre = QRectF(arrowBox).center();
    const qreal half = arrowSize / 5.0;
    arrow.moveTo(centre.x() - half, centre.y() - half / 2);
    arrow.lineTo(centre.x() + half, centre.y() - half / 2);
    arrow.lineTo(centre.x(), centre.y() + half / 2);
    arrow.closeSubpath();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(arrow, ToQColor(text == 0 ? kDefaultTextColor : text));
    painter.setRenderHint(QPainter::Antialiasing, false);

    const QRect content(inner.left() + leftMargin_, inner.top(), inner.width() - leftMargin_ - rightMargin_ - arrowSize,
                        inner.height());
    PaintContent(painter, content, ToQColor(text == 0 ? kDefaultTextColor : text));
}
