// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ListPanelItem.h"

#include "controls/accessibility/AccessibleEvents.h"
#include "skin/FontItem.h"
#include "skin/SkinElements.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>
#include <cstdlib>

CListPanelItem::CListPanelItem(int itemId, CSkinWindow* itemOwner, const SkinRect& rect)
    : CGUIItem(itemId, ItemKind::LISTPANEL, nullptr, itemOwner), font_(DefaultControlFont()), rect_(rect)
{
}

CListPanelItem::~CListPanelItem()
{
    delete list_.data();
}

std::unique_ptr<CListPanelItem> CListPanelItem::FromElement(const ListPanelElement& element, CSkinWindow* itemOwner)
{
    auto panel = std::make_unique<CListPanelItem>(element.id, itemOwner, element.rect);
    ListPanelColours colours;
    const ListColors& c = element.colors;
    colours.text = c.fontColor.value_or(colours.text);
    colours.textHighlight = c.fontColorHighlight.value_or(colours.textHighlight);
    colours.textSelected = c.fontColorSelected.value_or(colours.textSelected);
    colours.disabledText = c.disabledFontColor.value_or(colours.disabledText);
    colours.back = c.backColor.value_or(colours.back);
    colours.backHighlight = c.backColorHighlight.value_or(colours.backHighlight);
    colours.backSelected = c.backColorSelected.value_or(colours.backSelected);
    colours.disabledBack = c.disabledBackColor.value_or(colours.disabledBack);
    colours.border = c.borderColor.value_or(colours.border);
    panel->SetColours(colours);
    panel->SetBorderWidth(element.borderWidth);
    panel->SetMargins(element.leftMargin, element.rightMargin);
    panel->SetSorted(element.sorted);
    panel->SetDynamic(element.dynamic);
    panel->SetListHeight(element.listHeight);
    if (element.scrollBar)
        panel->SetScrollBar(*element.scrollBar);
    if (element.text.font)
        panel->SetFont(element.text.font->Font());
    for (const auto& entry : element.entries)
        panel->AddEntry(entry.text, entry.tooltip, nullptr, entry.disabled);
    if (!element.dynamic && element.parentWindow)
        panel->Embed(element.parentWindow);
    return panel;
}

void CListPanelItem::ClearEntries()
{
    entries_.clear();
    if (list_)
        list_->SetSelectedRow(-1);
}

int CListPanelItem::AddEntry(std::u16string_view text, std::u16string_view tooltip, CListPanelItem* subPanel,
                             bool disabled)
{
    const int row = AddShownEntry(MakeCaption(text), subPanel, disabled);
    entries_[std::size_t(row)].key = std::u16string(text);
    if (!tooltip.empty())
        entries_[std::size_t(row)].tooltip = MakeTooltip(tooltip);
    return row;
}

int CListPanelItem::AddShownEntry(const QString& text, CListPanelItem* subPanel, bool disabled, const QString& tooltip)
{
    Entry entry{text, tooltip, subPanel, disabled, text.toStdU16String()};
    auto at = entries_.end();
    if (sorted_) {
        at = std::upper_bound(entries_.begin(), entries_.end(), entry, [](const Entry& a, const Entry& b) {
            return a.text.compare(b.text, Qt::CaseInsensitive) < 0;
        });
    }
    const int row = int(at - entries_.begin());
    entries_.insert(at, std::move(entry));
    if (list_)
        list_->update();
    return row;
}

bool CListPanelItem::IsRowDisabled(int row) const
{
    if (row < 0 || row >= RowCount())
        return true;
    const Entry& entry = entries_[std::size_t(row)];
    return entry.disabled || (entry.subPanel != nullptr && entry.subPanel->RowCount() == 0);
}

void CListPanelItem::SetSelectionText(const QString& text)
{
    selectionText_ = text;
}

void CListPanelItem::SetMargins(int left, int right)
{
    leftMargin_ = std::max(0, left);
    rightMargin_ = std::max(0, right);
}

int CListPanelItem::LeftMargin() const
{
    return leftMargin_ > Width() ? 0 : leftMargin_;
}

int CListPanelItem::RightMargin() const
{
    return rightMargin_ > Width() ? 0 : rightMargin_;
}

CListPanelStatic* CListPanelItem::Embed(CSkinWindow* parent)
{
    if (!list_) {
        list_ = new CListPanelStatic(*this, parent);
        window = list_;
        list_->show();
    }
    return list_;
}

// ---- the rows ---------------------------------------------------------------------

CListPanelRows::CListPanelRows(CListPanelItem& panel, CSkinWindow* parent, int frameWidth)
    : CSkinWindow(parent), panel_(panel), frameWidth_(std::max(0, frameWidth))
{
    setMouseTracking(true);
}

QRect CListPanelRows::RowsArea() const
{
    return rect().adjusted(frameWidth_, frameWidth_, -frameWidth_ - panel_.ScrollBarWidth(), -frameWidth_);
}

int CListPanelRows::VisibleRows() const
{
    return std::max(1, RowsArea().height() / kRowHeight);
}

QRect CListPanelRows::RowRect(int row) const
{
    const QRect rows = RowsArea();
    return QRect(rows.left(), rows.top() + (row - topRow_) * kRowHeight, rows.width(), kRowHeight);
}

void CListPanelRows::resizeEvent(QResizeEvent* event)
{
    CSkinWindow::resizeEvent(event);
    // The bar follows the list's size; made on the first sizing when the panel has one.
    if (!panel_.ScrollBarLooks())
        return;
    delete scrollBar_;
    const QRect area = rect().adjusted(frameWidth_, frameWidth_, -frameWidth_, -frameWidth_);
    scrollBar_ = new CVScrollBar(this, this, *panel_.ScrollBarLooks(), area);
}

ScrollState CListPanelRows::GetScrollState() const
{
    return ScrollState{panel_.RowCount(), VisibleRows(), topRow_};
}

LRESULT CListPanelRows::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_VSCROLL) {
        ScrollTo(ApplyScrollCode(GetScrollState(), wParam));
        return 0;
    }
    return CSkinWindow::WindowProc(msg, wParam, lParam);
}

void CListPanelRows::SetSelectedRow(int row)
{
    const int selected = row >= 0 && row < panel_.RowCount() ? row : -1;
    if (selected == selected_)
        return;
    selected_ = selected;
    update();
    AnnounceEvent(this, QAccessible::Selection, selected_);
}

void CListPanelRows::ScrollTo(int top)
{
    topRow_ = std::clamp(top, 0, std::max(0, panel_.RowCount() - VisibleRows()));
    if (scrollBar_)
        scrollBar_->Sync();
    update();
}

void CListPanelRows::ScrollIntoView(int row)
{
    if (row < 0)
        return;
    if (row < topRow_)
        ScrollTo(row);
    else if (row >= topRow_ + VisibleRows())
        ScrollTo(row - VisibleRows() + 1);
}

int CListPanelRows::NextEnabledRow(int from, int delta) const
{
    const int count = panel_.RowCount();
    int found = -1;
    const int direction = delta < 0 ? -1 : 1;
    int remaining = std::abs(delta);
    for (int row = from + direction; row >= 0 && row < count && remaining > 0; row += direction) {
        if (panel_.IsRowDisabled(row))
            continue;
        found = row;
        --remaining;
    }
    return found;
}

int CListPanelRows::RowAt(const QPoint& point) const
{
    const QRect rows = RowsArea();
    if (!rows.contains(point))
        return -1;
    const int row = topRow_ + (point.y() - rows.top()) / kRowHeight;
    return row < panel_.RowCount() ? row : -1;
}

QString CListPanelRows::TooltipAt(const QPoint& point) const
{
    const int row = RowAt(point);
    if (row < 0 || panel_.IsRowDisabled(row))
        return {};
    return panel_.EntryAt(row).tooltip;
}

bool CListPanelRows::event(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return CSkinWindow::event(event);
    // Each row has its own tip; it stays up only while the pointer is on that row.
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = TooltipAt(help->pos());
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this, RowRect(RowAt(help->pos())));
    }
    return true;
}

void CListPanelRows::SetHoveredRow(int row)
{
    if (panel_.IsRowDisabled(row))
        row = -1;
    if (row != hovered_) {
        hovered_ = row;
        update();
        // In a pop-up the row under the pointer or the arrows is where the user is.
        if (row >= 0 && selectionAsHighlight_)
            AnnounceEvent(this, QAccessible::Focus, row);
    }
}

void CListPanelRows::mouseMoveEvent(QMouseEvent* event)
{
    SetHoveredRow(RowAt(event->position().toPoint()));
}

void CListPanelRows::wheelEvent(QWheelEvent* event)
{
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        ScrollTo(topRow_ - notches);
    event->accept();
}

void CListPanelRows::OnMouseLeave()
{
    hovered_ = -1;
    update();
}

void CListPanelRows::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const ListPanelColours& colours = panel_.Colours();
    painter.fillRect(rect(), ToQColor(colours.back));
    DrawInsideFrame(painter, rect(), colours.border, frameWidth_);
    painter.setFont(panel_.Font());
    const QRect rows = RowsArea();
    painter.setClipRect(rows);
    for (int row = topRow_; row < panel_.RowCount() && (row - topRow_) * kRowHeight < rows.height(); ++row) {
        const QRect rowRect = RowRect(row);
        COLORREF back = colours.back;
        COLORREF text = colours.text;
        if (panel_.IsRowDisabled(row)) {
            back = colours.disabledBack;
            text = colours.disabledText;
        } else if (row == selected_ && !selectionAsHighlight_) {
            back = colours.backSelected;
            text = colours.textSelected;
        } else if (row == hovered_ || row == selected_) {
            back = colours.backHighlight;
            text = colours.textHighlight;
        }
        painter.fillRect(rowRect, ToQColor(back));
        painter.setPen(ToQColor(text == 0 ? kDefaultTextColor : text));
        // Moved right by the margin and down by one pixel, cut with an ellipsis.
        const QRect textRect = rowRect.adjusted(panel_.LeftMargin(), 1, -panel_.RightMargin(), 1);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         painter.fontMetrics().elidedText(panel_.EntryAt(row).text, Qt::ElideRight, textRect.width()));
    }
}

// ---- the embedded list ------------------------------------------------------------

CListPanelStatic::CListPanelStatic(CListPanelItem& panel, CSkinWindow* parent)
    : CListPanelRows(panel, parent, panel.ShownBorderWidth())
{
    const SkinRect& rect = panel.Rect();
    const int height = panel.ListHeight() > 0 ? panel.ListHeight() : rect.Height();
    setGeometry(rect.left, rect.top, rect.Width(), height);
    setFocusPolicy(Qt::StrongFocus);
}

void CListPanelStatic::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    ChooseRow(RowAt(event->position().toPoint()));
}

bool CListPanelStatic::ChooseRow(int row)
{
    if (row < 0 || row >= Panel().RowCount() || Panel().IsRowDisabled(row))
        return false;
    SetSelectedRow(row);
    ScrollIntoView(row);
    Panel().SetSelectionText(Panel().EntryAt(row).text);
    if (CSkinWindow* parent = GetParentWindow())
        parent->PostMessage(WM_LIST_PANEL_ROW_CHOSEN, WPARAM(row), LPARAM(Panel().id));
    return true;
}

void CListPanelStatic::keyPressEvent(QKeyEvent* event)
{
    const int count = Panel().RowCount();
    int row = -1;
    switch (event->modifiers() == Qt::NoModifier ? event->key() : 0) {
    case Qt::Key_Up:
        row = NextEnabledRow(SelectedRow() < 0 ? count : SelectedRow(), -1);
        break;
    case Qt::Key_Down:
        row = NextEnabledRow(SelectedRow(), 1);
        break;
    case Qt::Key_Home:
        row = NextEnabledRow(-1, 1);
        break;
    case Qt::Key_End:
        row = NextEnabledRow(count, -1);
        break;
    default:
        CListPanelRows::keyPressEvent(event);
        return;
    }
    event->accept();
    if (row != SelectedRow())
        ChooseRow(row);
}
