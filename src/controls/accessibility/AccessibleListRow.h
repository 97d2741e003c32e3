// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One row of a list panel. Rows have no window of their own, so the row is known
// by its list and its index; a row that no longer exists reports itself invalid.
#include <QAccessibleInterface>
#include <QPointer>

class CListPanelRows;

class CAccessibleListRow : public QAccessibleInterface {
public:
    CAccessibleListRow(CListPanelRows* rows, int row);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    // A row of a pop-up is a menu entry; a row of an embedded list a list item.
    QAccessible::Role role() const override { return IsMenuEntry() ? QAccessible::MenuItem : QAccessible::ListItem; }
    QAccessible::State state() const override;

    int Row() const { return row_; }
    bool IsMenuEntry() const;

private:
    QPointer<CListPanelRows> rows_;
    int row_;
};
