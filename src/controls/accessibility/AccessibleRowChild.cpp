// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleRowChild.h"

#include <QWindow>

CAccessibleRowChild::CAccessibleRowChild(QWidget* owner, int row) : owner_(owner), row_(row) {}

bool CAccessibleRowChild::isValid() const
{
    return owner_ && row_ >= 0 && row_ < OwnerRowCount();
}

QWindow* CAccessibleRowChild::window() const
{
    return owner_ ? owner_->window()->windowHandle() : nullptr;
}

QAccessibleInterface* CAccessibleRowChild::parent() const
{
    return owner_ ? QAccessible::queryAccessibleInterface(owner_.data()) : nullptr;
}

QRect CAccessibleRowChild::rect() const
{
    if (!isValid())
        return {};
    const QRect local = LocalRect();
    return QRect(owner_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State CAccessibleRowChild::RowState(bool selected, int topRow, int visibleRows) const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.selected = selected;
    state.offscreen = row_ < topRow || row_ >= topRow + visibleRows;
    state.invisible = !owner_->isVisible();
    return state;
}

int IndexOfRowChild(const QAccessibleInterface* child, const QAccessibleInterface* owner, int rowCount)
{
    const auto* row = dynamic_cast<const CAccessibleRowChild*>(child);
    if (!row || row->parent() != owner)
        return -1;
    return row->Row() < rowCount ? row->Row() : -1;
}
