// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One row of a list panel: an entry of a pop-up menu, or an item of an embedded list.
#include "controls/accessibility/AccessibleRowChild.h"

class CListPanelRows;

class CAccessibleListRow : public CAccessibleRowChild {
public:
    CAccessibleListRow(CListPanelRows* rows, int row);

    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return IsMenuEntry() ? QAccessible::MenuItem : QAccessible::ListItem; }
    QAccessible::State state() const override;

    bool IsMenuEntry() const;

private:
    CListPanelRows* Rows() const;
    int OwnerRowCount() const override;
    QRect LocalRect() const override;
};
