// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleMacroDisplay.h"

#include "controls/MacroDisplayItem.h"
#include "controls/accessibility/AccessibleName.h"

CAccessibleMacroDisplay::CAccessibleMacroDisplay(CMacroDisplayItem* display)
    : QAccessibleWidget(display, QAccessible::List)
{
}

CMacroDisplayItem* CAccessibleMacroDisplay::Display() const
{
    return static_cast<CMacroDisplayItem*>(widget());
}

QString CAccessibleMacroDisplay::text(QAccessible::Text t) const
{
    if (t == QAccessible::Name)
        return AccessibleControlName(*Display(), QString());
    if (t == QAccessible::Value) {
        const int selected = Display()->Selected();
        return selected >= 0 ? Display()->RowText(selected) : QString();
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State CAccessibleMacroDisplay::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.readOnly = Display()->IsReadOnly();
    // While it records, every key the user presses becomes an event: say so.
    state.busy = Display()->IsRecording();
    return state;
}

int CAccessibleMacroDisplay::childCount() const
{
    return Display()->Count();
}

QAccessibleInterface* CAccessibleMacroDisplay::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return rows_.Get(index, [&] { return new CAccessibleMacroEvent(Display(), index); });
}

int CAccessibleMacroDisplay::indexOfChild(const QAccessibleInterface* child) const
{
    return IndexOfRowChild(child, this, childCount());
}

// ---- one event --------------------------------------------------------------------

CAccessibleMacroEvent::CAccessibleMacroEvent(CMacroDisplayItem* display, int row) : CAccessibleRowChild(display, row) {}

CMacroDisplayItem* CAccessibleMacroEvent::Display() const
{
    return static_cast<CMacroDisplayItem*>(Owner());
}

int CAccessibleMacroEvent::OwnerRowCount() const
{
    return Display()->Count();
}

QRect CAccessibleMacroEvent::LocalRect() const
{
    return Display()->RowRect(Row());
}

QString CAccessibleMacroEvent::text(QAccessible::Text t) const
{
    if (!isValid() || t != QAccessible::Name)
        return {};
    return Display()->RowText(Row());
}

QAccessible::State CAccessibleMacroEvent::state() const
{
    if (!isValid())
        return RowState(false, 0, 0);
    const CMacroDisplayItem* display = Display();
    return RowState(display->Selected() == Row(), display->TopRow(), display->VisibleRows());
}
