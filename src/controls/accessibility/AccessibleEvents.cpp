// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/AccessibleEvents.h"

#include <QAccessibleEvent>

namespace {

AnnouncementWatcher& Watcher()
{
    static AnnouncementWatcher watcher;
    return watcher;
}

void Announce(QAccessibleEvent& event)
{
    if (Watcher())
        Watcher()(event);
    QAccessible::updateAccessibility(&event);
}

} // namespace

void SetAnnouncementWatcher(AnnouncementWatcher watcher)
{
    Watcher() = std::move(watcher);
}

void AnnounceStateChange(QObject* control, QAccessible::State changed)
{
    if (!control)
        return;
    QAccessibleStateChangeEvent event(control, changed);
    Announce(event);
}

void AnnounceValueChange(QObject* control, const QVariant& value)
{
    if (!control)
        return;
    QAccessibleValueChangeEvent event(control, value);
    Announce(event);
}

void AnnounceEvent(QObject* control, QAccessible::Event type, int child)
{
    if (!control)
        return;
    QAccessibleEvent event(control, type);
    if (child >= 0)
        event.setChild(child);
    Announce(event);
}
