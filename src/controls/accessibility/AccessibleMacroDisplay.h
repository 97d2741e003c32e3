// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The macro's event display as a list of its events ("A down", "Delay 0.05 s"),
// each a row without a window of its own.
#include "controls/accessibility/AccessibleRowChild.h"

#include <QAccessibleWidget>

class CMacroDisplayItem;

class CAccessibleMacroDisplay : public QAccessibleWidget {
public:
    explicit CAccessibleMacroDisplay(CMacroDisplayItem* display);
    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;

private:
    CMacroDisplayItem* Display() const;
    mutable CAccessibleChildIds<int> rows_;
};

class CAccessibleMacroEvent : public CAccessibleRowChild {
public:
    CAccessibleMacroEvent(CMacroDisplayItem* display, int row);

    QString text(QAccessible::Text t) const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

private:
    CMacroDisplayItem* Display() const;
    int OwnerRowCount() const override;
    QRect LocalRect() const override;
};
