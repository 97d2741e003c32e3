// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleListRow.h"

#include "controls/ListPanelItem.h"
#include "controls/ListPanelPopup.h"

#include <QAccessible>
#include <QWidget>

CAccessibleListRow::CAccessibleListRow(CListPanelRows* rows, int row) : rows_(rows), row_(row) {}

bool CAccessibleListRow::isValid() const
{
    return rows_ && row_ >= 0 && row_ < rows_->Panel().RowCount();
}

QWindow* CAccessibleListRow::window() const
{
    return rows_ ? rows_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CAccessibleListRow::parent() const
{
    return rows_ ? QAccessible::queryAccessibleInterface(rows_.data()) : nullptr;
}

QString CAccessibleListRow::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    const CListPanelItem::Entry& entry = rows_->Panel().EntryAt(row_);
    switch (t) {
    case QAccessible::Name:
        return entry.text;
    case QAccessible::Description:
        return entry.tooltip;
    default:
        return {};
    }
}

QRect CAccessibleListRow::rect() const
{
    if (!isValid())
        return {};
    const QRect local = rows_->RowRect(row_);
    return QRect(rows_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State CAccessibleListRow::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.selected = rows_->SelectedRow() == row_;
    state.hotTracked = rows_->HoveredRow() == row_;
    state.disabled = rows_->Panel().IsRowDisabled(row_);
    const int top = rows_->TopRow();
    state.offscreen = row_ < top || row_ >= top + rows_->VisibleRows();
    state.invisible = !rows_->isVisible();
    state.hasPopup = rows_->Panel().EntryAt(row_).subPanel != nullptr;
    // In a pop-up menu the row the arrows are on has the focus.
    if (IsMenuEntry()) {
        state.focusable = !state.disabled;
        state.focused = rows_->HoveredRow() == row_;
    }
    return state;
}

bool CAccessibleListRow::IsMenuEntry() const
{
    return dynamic_cast<const CListPanelPopupList*>(rows_.data()) != nullptr;
}
