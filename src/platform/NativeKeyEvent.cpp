// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/NativeKeyEvent.h"

std::unique_ptr<QKeyEvent> MakeNativeKeyEvent(QEvent::Type type, Set1ScanCode key, int qtKey,
                                              Qt::KeyboardModifiers modifiers, bool autoRepeat)
{
    const uint32_t evdev = EvdevFromSet1(key);
    const quint32 native = evdev ? evdev + kXkbKeycodeOffset : 0;
    return std::make_unique<QKeyEvent>(type, qtKey, modifiers, native, 0, 0, QString(), autoRepeat);
}
