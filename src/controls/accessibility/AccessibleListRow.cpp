// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleListRow.h"

#include "controls/ListPanelItem.h"
#include "controls/ListPanelPopup.h"

CAccessibleListRow::CAccessibleListRow(CListPanelRows* rows, int row) : CAccessibleRowChild(rows, row) {}

CListPanelRows* CAccessibleListRow::Rows() const
{
    return static_cast<CListPanelRows*>(Owner());
}

int CAccessibleListRow::OwnerRowCount() const
{
    return Rows()->Panel().RowCount();
}

QRect CAccessibleListRow::LocalRect() const
{
    return Rows()->RowRect(Row());
}

QString CAccessibleListRow::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    const CListPanelItem::Entry& entry = Rows()->Panel().EntryAt(Row());
    switch (t) {
    case QAccessible::Name:
        return entry.text;
    case QAccessible::Description:
        return entry.tooltip;
    default:
        return {};
    }
}

QAccessible::State CAccessibleListRow::state() const
{
    if (!isValid())
        return RowState(false, 0, 0);
    CListPanelRows* rows = Rows();
    QAccessible::State state = RowState(rows->SelectedRow() == Row(), rows->TopRow(), rows->VisibleRows());
    state.hotTracked = rows->HoveredRow() == Row();
    state.disabled = rows->Panel().IsRowDisabled(Row());
    state.hasPopup = rows->Panel().EntryAt(Row()).subPanel != nullptr;
    // In a pop-up menu the row the arrows are on has the focus.
    if (IsMenuEntry()) {
        state.focusable = !state.disabled;
        state.focused = rows->HoveredRow() == Row();
    }
    return state;
}

bool CAccessibleListRow::IsMenuEntry() const
{
    return dynamic_cast<const CListPanelPopupList*>(Rows()) != nullptr;
}
