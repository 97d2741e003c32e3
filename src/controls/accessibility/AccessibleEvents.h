// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the controls tell assistive tools when they change, as Qt's own widgets
// do: Qt passes each event on to whatever assistive tool is listening, if any.
#include <QAccessible>
#include <QVariant>
#include <functional>

class QObject;
class QAccessibleEvent;

// Sees every event the controls announce before Qt passes it on (none by
// default): how tests, and a diagnostic log, learn what a screen reader is told
// where no assistive tool runs.
using AnnouncementWatcher = std::function<void(QAccessibleEvent&)>;
void SetAnnouncementWatcher(AnnouncementWatcher watcher);

// A state (checked, selected, …) of the control changed; set in `changed` the
// states that did.
void AnnounceStateChange(QObject* control, QAccessible::State changed);
// The control's value is now `value`.
void AnnounceValueChange(QObject* control, const QVariant& value);
// Another event (name changed, focus or selection moved to a child row, …);
// `child` is the child's index or -1 for the control itself.
void AnnounceEvent(QObject* control, QAccessible::Event type, int child = -1);
