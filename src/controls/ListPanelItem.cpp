#include "controls/ListPanelItem.h"

#include "skin/FontItem.h"
#include "skin/SkinElements.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

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
        panel->SetScrollBarWidth(element.scrollBar->Width());
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
    Entry entry{MakeCaption(text), tooltip.empty() ? QString() : MakeTooltip(tooltip), subPanel, disabled};
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

// ---- the embedded list ------------------------------------------------------------

CListPanelStatic::CListPanelStatic(CListPanelItem& panel, CSkinWindow* parent) : CSkinWindow(parent), panel_(panel)
{
    const SkinRect& rect = panel.Rect();
    const int height = panel.ListHeight() > 0 ? panel.ListHeight() : rect.Height();
    setGeometry(rect.left, rect.top, rect.Width(), height);
    setMouseTracking(true);
}

void CListPanelStatic::SetSelectedRow(int row)
{
    selected_ = row >= 0 && row < panel_.RowCount() ? row : -1;
    update();
}

int CListPanelStatic::RowAt(const QPoint& point) const
{
    const int border = panel_.ShownBorderWidth();
    if (point.x() < border || point.x() >= width() - border - panel_.ScrollBarWidth() || point.y() < border)
        return -1;
    const int row = (point.y() - border) / kRowHeight;
    return row < panel_.RowCount() ? row : -1;
}

void CListPanelStatic::mouseMoveEvent(QMouseEvent* event)
{
    int row = RowAt(event->position().toPoint());
    if (panel_.IsRowDisabled(row))
        row = -1;
    if (row != hovered_) {
        hovered_ = row;
        update();
    }
}

void CListPanelStatic::OnMouseLeave()
{
    hovered_ = -1;
    update();
}

void CListPanelStatic::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const int row = RowAt(event->position().toPoint());
    if (row < 0 || panel_.IsRowDisabled(row))
        return;
    SetSelectedRow(row);
    panel_.SetSelectionText(panel_.EntryAt(row).text);
    if (CSkinWindow* parent = GetParentWindow())
        parent->PostMessage(WM_LIST_PANEL_ROW_CHOSEN, WPARAM(row), LPARAM(panel_.id));
}

void CListPanelStatic::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const ListPanelColours& colours = panel_.Colours();
    painter.fillRect(rect(), ToQColor(colours.back));
    const int border = panel_.ShownBorderWidth();
    QPen pen(ToQColor(colours.border));
    pen.setWidth(border);
    pen.setJoinStyle(Qt::MiterJoin);
    painter.setPen(pen);
    const qreal half = border / 2.0;
    painter.drawRect(QRectF(rect()).adjusted(half, half, -half, -half));

    painter.setFont(panel_.Font());
    const QRect rows = rect().adjusted(border, border, -border - panel_.ScrollBarWidth(), -border);
    painter.setClipRect(rows);
    for (int row = 0; row < panel_.RowCount() && row * kRowHeight < rows.height(); ++row) {
        const QRect rowRect(rows.left(), rows.top() + row * kRowHeight, rows.width(), kRowHeight);
        COLORREF back = colours.back;
        COLORREF text = colours.text;
        if (panel_.IsRowDisabled(row)) {
            back = colours.disabledBack;
            text = colours.disabledText;
        } else if (row == selected_) {
            back = colours.backSelected;
            text = colours.textSelected;
        } else if (row == hovered_) {
            back = colours.backHighlight;
            text = colours.textHighlight;
        }
        painter.fillRect(rowRect, ToQColor(back));
        painter.setPen(ToQColor(text == 0 ? kDefaultTextColor : text));
        const QRect textRect = rowRect.adjusted(panel_.LeftMargin(), 1, -panel_.RightMargin(), 1);
        painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         painter.fontMetrics().elidedText(panel_.EntryAt(row).text, Qt::ElideRight, textRect.width()));
    }
}
