// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the controls tell assistive tools when they change. Each call does nothing
// while no assistive tool listens, so controls call them freely.
#include <QAccessible>
#include <QVariant>

class QObject;

// A state (checked, selected, …) of the control changed; set in `changed` the
// states that did.
void AnnounceStateChange(QObject* control, QAccessible::State changed);
// The control's value is now `value`.
void AnnounceValueChange(QObject* control, const QVariant& value);
// Another event (name changed, focus or selection moved to a child row, …);
// `child` is the child's index or -1 for the control itself.
void AnnounceEvent(QObject* control, QAccessible::Event type, int child = -1);
