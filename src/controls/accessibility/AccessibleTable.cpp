// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleTable.h"

#include "controls/XListCtrl.h"
#include "controls/accessibility/AccessibleName.h"

namespace {

// What a column is called: its header's words, or its tip where the header shows a
// check box instead of words.
QString ColumnTitle(const CXListCtrl::Column& column)
{
    return column.header.trimmed().isEmpty() ? column.tooltip : column.header;
}

} // namespace

CAccessibleTable::CAccessibleTable(CXListCtrl* list) : QAccessibleWidget(list, QAccessible::Table) {}

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
    return cells_.Get({row, column}, [&] { return new CAccessibleTableCell(List(), row, column); });
}

QAccessibleInterface* CAccessibleTable::ColumnHeader(int column) const
{
    if (column < 0 || column >= columnCount())
        return nullptr;
    return headers_.Get(column, [&] { return new CAccessibleColumnHeader(List(), column); });
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
    return ColumnTitle(List()->ColumnAt(column));
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

// ---- column headers ---------------------------------------------------------------

CAccessibleColumnHeader::CAccessibleColumnHeader(CXListCtrl* list, int column) : CAccessibleRowChild(list, column) {}

CXListCtrl* CAccessibleColumnHeader::List() const
{
    return static_cast<CXListCtrl*>(Owner());
}

int CAccessibleColumnHeader::OwnerRowCount() const
{
    return List()->ColumnCount();
}

QRect CAccessibleColumnHeader::LocalRect() const
{
    return List()->HeaderRect(Row());
}

QString CAccessibleColumnHeader::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    const CXListCtrl::Column& column = List()->ColumnAt(Row());
    switch (t) {
    case QAccessible::Name:
        return ColumnTitle(column);
    case QAccessible::Description:
        return column.tooltip;
    default:
        return {};
    }
}

QAccessible::State CAccessibleColumnHeader::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.invisible = !List()->isVisible();
    return state;
}

// ---- cells ------------------------------------------------------------------------

CAccessibleTableCell::CAccessibleTableCell(CXListCtrl* list, int row, int column)
    : CAccessibleRowChild(list, row), column_(column)
{
}

CXListCtrl* CAccessibleTableCell::List() const
{
    return static_cast<CXListCtrl*>(Owner());
}

int CAccessibleTableCell::OwnerRowCount() const
{
    return List()->RowCount();
}

QRect CAccessibleTableCell::LocalRect() const
{
    return List()->CellRect(Row(), column_);
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
    return CAccessibleRowChild::isValid() && column_ >= 0 && column_ < List()->ColumnCount();
}

int CAccessibleTableCell::CellKindOf() const
{
    return isValid() ? List()->ColumnAt(column_).cellKind : -1;
}

bool CAccessibleTableCell::IsCheckCell() const
{
    return CellKindOf() == CellKind::CHECKBOX;
}

QString CAccessibleTableCell::text(QAccessible::Text t) const
{
    if (!isValid())
        return {};
    const CXListCtrl::Column& column = List()->ColumnAt(column_);
    switch (t) {
    case QAccessible::Name: {
        // A check cell is named by its column, as its header names it for the eye.
        if (IsCheckCell())
            return ColumnTitle(column);
        const QString progress = List()->CellProgressText(Row(), column_);
        return progress.isEmpty() ? List()->CellText(Row(), column_) : progress;
    }
    case QAccessible::Description:
        return column.tooltip;
    default:
        return {};
    }
}

QAccessible::Role CAccessibleTableCell::role() const
{
    return IsCheckCell() ? QAccessible::CheckBox : QAccessible::Cell;
}

QAccessible::State CAccessibleTableCell::state() const
{
    if (!isValid())
        return RowState(false, 0, 0);
    const CXListCtrl* list = List();
    QAccessible::State state = RowState(isSelected(), list->TopRow(), list->VisibleRows());
    state.focusable = true;
    state.focused = state.selected && list->CurrentColumn() == column_ && list->hasFocus();
    const int kind = CellKindOf();
    state.hasPopup = kind == CellKind::COMBO || kind == CellKind::FILEDIALOG;
    state.editable = kind == CellKind::EDIT;
    if (kind == CellKind::CHECKBOX) {
        state.checkable = true;
        state.checked = list->IsCellChecked(Row(), column_);
    }
    return state;
}

QList<QAccessibleInterface*> CAccessibleTableCell::columnHeaderCells() const
{
    const auto* table = dynamic_cast<const CAccessibleTable*>(parent());
    QAccessibleInterface* header = table && isValid() ? table->ColumnHeader(column_) : nullptr;
    return header ? QList<QAccessibleInterface*>{header} : QList<QAccessibleInterface*>{};
}

bool CAccessibleTableCell::isSelected() const
{
    return isValid() && List()->SelectedRow() == Row();
}

QStringList CAccessibleTableCell::actionNames() const
{
    if (!isValid() || !List()->isEnabled())
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
        List()->ActivateCell(Row(), column_);
}
