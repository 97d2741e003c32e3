// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Turns the application's key, mouse-button and wheel events into raw-input
// records and delivers them to the window registered for raw input (see
// platform/core/RawInput.h). Installed once on the application by the first
// skinned window; looks at each input event once, where it reaches a top-level
// window, before any widget sees it.
#include "platform/core/RawInput.h"

#include <QObject>
#include <QPointF>
#include <optional>
#include <vector>

class QKeyEvent;
class QMouseEvent;
class QWheelEvent;

class RawInputFilter : public QObject {
public:
    static void EnsureInstalled();

    // The record for an event, or nothing when the event carries no key or button
    // the records can describe (for keys: a native scan code with no set-1 code).
    static std::optional<RawInput> KeyboardRecord(const QKeyEvent& event);
    // What the keyboard reports for the event, in order: the record above, and for
    // Pause a second record (make code 0x45, no prefix, virtual key 0xFF), as the
    // hardware sends E1 1D 45. Readers that drop E1 records and let 0xFF keep the
    // previous virtual key see Pause as scan code 0x45 with VK_PAUSE.
    static std::vector<RawInput> KeyboardRecords(const QKeyEvent& event);
    static std::optional<RawInput> MouseButtonRecord(const QMouseEvent& event);
    static std::optional<RawInput> WheelRecord(const QWheelEvent& event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    using QObject::QObject;
    std::optional<QPointF> lastGlobalPosition_;
};
