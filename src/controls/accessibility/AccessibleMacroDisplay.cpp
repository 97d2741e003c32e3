// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleMacroDisplay.h"

#include "controls/MacroDisplayItem.h"
#include "controls/accessibility/AccessibleName.h"

CAccessibleMacroDisplay::CAccessibleMacroDisplay(CMacroDisplayItem* display)
    : QAccessibleWidget(display, QAccessible::List)
{
}

CAccessibleMacroDisplay::~CAccessibleMacroDisplay()
{
    for (QAccessible::Id id : rowIds_)
        if (id)
            QAccessible::deleteAccessibleInterface(id);
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
    if (rowIds_.size() <= std::size_t(index))
        rowIds_.resize(std::size_t(index) + 1, 0);
    QAccessible::Id& id = rowIds_[std::size_t(index)];
    if (!id)
        id = QAccessible::registerAccessibleInterface(new CAccessibleMacroEvent(Display(), index));
    return QAccessible::accessibleInterface(id);
}

int CAccessibleMacroDisplay::indexOfChild(const QAccessibleInterface* child) const
{
    if (const auto* row = dynamic_cast<const CAccessibleMacroEvent*>(child); row && row->parent() == this)
        return row->Row() < childCount() ? row->Row() : -1;
    return -1;
}

// ---- one event --------------------------------------------------------------------

CAccessibleMacroEvent::CAccessibleMacroEvent(CMacroDisplayItem* display, int row) : display_(display), row_(row) {}

bool CAccessibleMacroEvent::isValid() const
{
    return display_ && row_ >= 0 && row_ < display_->Count();
}

QWindow* CAccessibleMacroEvent::window() const
{
    return display_ ? display_->QWidget::window()->windowHandle() : nullptr;
}

QAccessibleInterface* CAccessibleMacroEvent::parent() const
{
    return display_ ? QAccessible::queryAccessibleInterface(display_.data()) : nullptr;
}

QString CAccessibleMacroEvent::text(QAccessible::Text t) const
{
    if (!isValid() || t != QAccessible::Name)
        return {};
    return display_->RowText(row_);
}

QRect CAccessibleMacroEvent::rect() const
{
    if (!isValid())
        return {};
    const QRect local = display_->RowRect(row_);
    return QRect(display_->mapToGlobal(local.topLeft()), local.size());
}

QAccessible::State CAccessibleMacroEvent::state() const
{
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.selected = display_->Selected() == row_;
    const int top = display_->TopRow();
    state.offscreen = row_ < top || row_ >= top + display_->VisibleRows();
    state.invisible = !display_->isVisible();
    return state;
}
