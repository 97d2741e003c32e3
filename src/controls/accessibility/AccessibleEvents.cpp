// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleEvents.h"

#include <QAccessibleEvent>

void AnnounceStateChange(QObject* control, QAccessible::State changed)
{
    if (!control || !QAccessible::isActive())
        return;
    QAccessibleStateChangeEvent event(control, changed);
    QAccessible::updateAccessibility(&event);
}

void AnnounceValueChange(QObject* control, const QVariant& value)
{
    if (!control || !QAccessible::isActive())
        return;
    QAccessibleValueChangeEvent event(control, value);
    QAccessible::updateAccessibility(&event);
}

void AnnounceEvent(QObject* control, QAccessible::Event type, int child)
{
    if (!control || !QAccessible::isActive())
        return;
    QAccessibleEvent event(control, type);
    if (child >= 0)
        event.setChild(child);
    QAccessible::updateAccessibility(&event);
}
