// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The list control as a table: its rows and columns, each cell a child with its
// text (or, in a check-box column, a check box that can be toggled), the column
// headers as the columns' descriptions.
#include "controls/accessibility/AccessibleRowChild.h"

#include <QAccessibleWidget>
#include <utility>

class CXListCtrl;

class CAccessibleTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CAccessibleTable(CXListCtrl* list);
    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

    // The table: one selected row at most, selected whole.
    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override;
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override;
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int row) const override;
    // Selecting a row picks it as a click would; columns cannot be selected.
    bool selectRow(int row) override;
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    CXListCtrl* List() const;
    // The header cell of a column (null for no such column): what a screen reader
    // says as the keyboard moves into the column.
    QAccessibleInterface* ColumnHeader(int column) const;

private:
    // Cell interfaces made so far, by row and column, and header cells by column.
    mutable CAccessibleChildIds<std::pair<int, int>> cells_;
    mutable CAccessibleChildIds<int> headers_;
};

// A column's header cell. It is not among the table's children (rows and columns
// count cells only); the table's cells point to it.
class CAccessibleColumnHeader : public CAccessibleRowChild {
public:
    // The header is known by its column, which plays the part of the row here.
    CAccessibleColumnHeader(CXListCtrl* list, int column);
    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::ColumnHeader; }
    QAccessible::State state() const override;

private:
    CXListCtrl* List() const;
    int OwnerRowCount() const override;
    QRect LocalRect() const override;
};

class CAccessibleTableCell : public CAccessibleRowChild,
                             public QAccessibleTableCellInterface,
                             public QAccessibleActionInterface {
public:
    CAccessibleTableCell(CXListCtrl* list, int row, int column);

    void* interface_cast(QAccessible::InterfaceType type) override;
    bool isValid() const override;
    QString text(QAccessible::Text t) const override;
    // A check-box column's cells are check boxes; the others are cells.
    QAccessible::Role role() const override;
    QAccessible::State state() const override;

    int columnExtent() const override { return 1; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    int columnIndex() const override { return column_; }
    int rowExtent() const override { return 1; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int rowIndex() const override { return Row(); }
    bool isSelected() const override;
    QAccessibleInterface* table() const override { return parent(); }

    // Each cell does what a click on it does: a check cell toggles, a file cell
    // browses for a program (press), a combo cell shows its choices, an edit cell
    // starts editing (press).
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    CXListCtrl* List() const;
    int OwnerRowCount() const override;
    QRect LocalRect() const override;
    bool IsCheckCell() const;
    int CellKindOf() const;

    int column_;
};
