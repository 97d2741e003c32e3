// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/MacroDisplayEvent.h"

#include "platform/core/KeyNames.h"

#include <array>

MacroDisplayEvent MacroDisplayEvent::Key(uint16_t scanCode, uint16_t virtualKey, bool down, bool extended)
{
    MacroDisplayEvent event;
    event.kind = MacroDisplayEventKind::Key;
    event.scanCode = scanCode;
    event.virtualKey = virtualKey;
    event.down = down;
    event.extended = extended;
    event.name = KeyNameForScanCode(scanCode, extended);
    return event;
}

MacroDisplayEvent MacroDisplayEvent::MouseButton(int button, bool down)
{
    static constexpr std::array<const char16_t*, 5> kNames{u"$LeftButton", u"$RightButton", u"$MiddleButton",
                                                           u"$Button4", u"$Button5"};
    MacroDisplayEvent event;
    event.kind = MacroDisplayEventKind::MouseButton;
    event.button = button;
    event.down = down;
    if (button >= 1 && button <= int(kNames.size()))
        event.name = kNames[std::size_t(button - 1)];
    return event;
}

MacroDisplayEvent MacroDisplayEvent::Delay(uint32_t milliseconds)
{
    MacroDisplayEvent event;
    event.kind = MacroDisplayEventKind::Delay;
    event.milliseconds = milliseconds;
    event.seconds = milliseconds / 1000.0;
    return event;
}

bool MacroDisplayEvent::SameAs(const MacroDisplayEvent& other) const
{
    if (kind != other.kind)
        return false;
    switch (kind) {
    case MacroDisplayEventKind::Key:
        return scanCode == other.scanCode && virtualKey == other.virtualKey && down == other.down &&
               extended == other.extended;
    case MacroDisplayEventKind::MouseButton:
        return button == other.button && down == other.down;
    case MacroDisplayEventKind::Delay:
        return milliseconds == other.milliseconds;
    }
    return false;
}
