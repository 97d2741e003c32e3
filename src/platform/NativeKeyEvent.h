// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Key events as the X11 and Wayland platforms deliver them (native scan code =
// evdev code + 8), for a key given by its set-1 code. Used where input has to be
// produced by the program itself, tests included: Qt's own test helpers send
// native scan code 0, which no raw-input record can describe.
#include "platform/core/ScanCodes.h"

#include <QKeyEvent>
#include <memory>

// The event for `key`; its native scan code is 0 when the key has no evdev code.
std::unique_ptr<QKeyEvent> MakeNativeKeyEvent(QEvent::Type type, Set1ScanCode key, int qtKey,
                                              Qt::KeyboardModifiers modifiers = Qt::NoModifier,
                                              bool autoRepeat = false);
