// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleTable.h"

#include "controls/XListCtrl.h"
#include "controls/accessibility/AccessibleName.h"

CAccessibleTable::CAccessibleTable(CXListCtrl* list) : QAccessibleWidget(list, QAccessible::Table) {}

CAccessibleTable::~CAccessibleTable()
{
    for (const auto& [cell, id] : cellIds_)
        QAccessible::deleteAccessibleInterface(id);
}

CXListCtrl* CAccessibleTable::List() const
{
    return static_cast<CXListCtrl*>(widget());
}

void* CAccessibleTable::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CAccessibleTable::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return AccessibleControlName(*List(), QString());
    return QAccessibleWidget::text(t);
}

int CAccessibleTable::rowCount() const
{
    return List()->RowCount();
}

int CAccessibleTable::columnCount() const
{
    return List()->ColumnCount();
}

int CAccessibleTable::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface* CAccessibleTable::cellAt(int row, int column) const
{
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    QAccessible::Id& id = cellIds_[{row, column}];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new CAccessibleTableCell(List(), row, column));
    return QAccessible::accessibleInterface(id);
}

QAccessibleInterface* CAccessibleTable::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || columns == 0)
        return nullptr;
    return cellAt(index / columns, index % columns);
}

int CAccessibleTable::indexOfChild(const QAccessibleInterface* child) const
{
    const auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    if (!cell || child->parent() != this || cell->rowIndex() >= rowCount() || cell->columnIndex() >= columnCount())
        return -1;
    return cell->rowIndex() * columnCount() + cell->columnIndex();
}

int CAccessibleTable::selectedCellCount() const
{
    return List()->SelectedRow() >= 0 ? columnCount() : 0;
}

QList<QAccessibleInterface*> CAccessibleTable::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    if (const int row = List()->SelectedRow(); row >= 0)
        for (int column = 0; column < columnCount(); ++column)
            cells.append(cellAt(row, column));
    return cells;
}

QString CAccessibleTable::columnDescription(int column) const
{
    if (column < 0 || column >= columnCount())
        return {};
    const CXListCtrl::Column& info = List()->ColumnAt(column);
    return info.header.trimmed().isEmpty() ? info.tooltip : info.header;
}

QString CAccessibleTable::rowDescription(int row) const
{
    return row >= 0 && row < rowCount() ? List()->CellText(row, 0) : QString();
}

int CAccessibleTable::selectedRowCount() const
{
    return List()->SelectedRow() >= 0 ? 1 : 0;
}

QList<int> CAccessibleTable::selectedRows() const
{
    if (const int row = List()->SelectedRow(); row >= 0)
        return {row};
    return {};
}

bool CAccessibleTable::isRowSelected(int row) const
{
    return row >= 0 && row == List()->SelectedRow();
}

bool CAccessibleTable::selectRow(int row)
{
    if (row < 0 || row >= rowCount())
        return false;
    List()->SelectRow(row);
    return true;
}

// ---- cells ------------------------------------------------------------------------

CAccessibleTableCell::CAccessibleTableCell(CXListCtrl* list, int row, int column)
    : list_(list), row_(row), column_(column)
{
}

void* CAccessibleTableCell::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableCellInterface)
        return static_cast<QAccessibleTableCellInterface*>(this);
    if (type == QAccessible::ActionInterface)
        return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
}

bool CAccessibleTableCell::isValid() const
{
    return list_ && row_ >= 0 && row_ < list_->RowCount() && column_ >= 0 && column_ < list_->ColumnCount();
}

int CAccessibleTableCell::CellKindOf() const
{
    return isValid() ? list_->ColumnAt(column_).cellKind : -1;
}

bool CAccessibleTableCell::IsCheckCell() const
{
    return CellKindOf() == CellKind::CHECKBOX;
}

QWindow* CAccessibleTableCell::window() const
{
    return list_ ? list_->QWidget::window()->windowHandle() : nullptr;
}

QAccessibleInterface* CAccessibleTableCell::parent() const
{
    return list_ ? QAccessible::queryAccessibleInterface(list_.data()) : nullptr;
}

QString CAccessibleTableCell::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    switch (t) {
    case QAccessible::Name: {
        // A check cell is named by its column, as its header names it for the eye.
        if (IsCheckCell())
            return list_->ColumnAt(column_).header.trimmed().isEmpty() ? list_->ColumnAt(column_).tooltip
                                                                       : list_->ColumnAt(column_).header;
        const QString progress = list_->CellProgressText(row_, column_);
        return progress.isEmpty() ? list_->CellText(row_, column_) : progress;
    }
    case QAccessible::Description:
        return list_->ColumnAt(column_).tooltip;
    default:
        return {};
    }
}

QRect CAccessibleTableCell::rect() const
{
    if (!isValid())
        return {};
    const QRect local = list_->CellRect(row_, column_);
    return QRect(list_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::Role CAccessibleTableCell::role() const
{
    return IsCheckCell() ? QAccessible::CheckBox : QAccessible::Cell;
}

QAccessible::State CAccessibleTableCell::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.selected = isSelected();
    state.focusable = true;
    state.focused = isSelected() && list_->CurrentColumn() == column_ && list_->hasFocus();
    state.hasPopup = CellKindOf() == CellKind::COMBO || CellKindOf() == CellKind::FILEDIALOG;
    state.editable = CellKindOf() == CellKind::EDIT;
    if (IsCheckCell()) {
        state.checkable = true;
        state.checked = list_->IsCellChecked(row_, column_);
    }
    const int top = list_->TopRow();
    state.offscreen = row_ < top || row_ >= top + list_->VisibleRows();
    state.invisible = !list_->isVisible();
    return state;
}

bool CAccessibleTableCell::isSelected() const
{
    return isValid() && list_->SelectedRow() == row_;
}

QStringList CAccessibleTableCell::actionNames() const
{
    if (!isValid() || !list_->isEnabled())
        return {};
    switch (CellKindOf()) {
    case CellKind::CHECKBOX:
        return {toggleAction()};
    case CellKind::COMBO:
        return {showMenuAction()};
    case CellKind::FILEDIALOG:
    case CellKind::EDIT:
        return {pressAction()};
    default:
        return {};
    }
}

void CAccessibleTableCell::doAction(const QString& actionName)
{
    // Only the action the cell offers; the list does the rest as for a click.
    if (actionNames().contains(actionName))
        list_->ActivateCell(row_, column_);
}
