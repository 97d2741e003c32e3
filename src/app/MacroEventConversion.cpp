// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MacroEventConversion.h"

MacroDisplayEvent ToDisplayEvent(const MacroEvent& event)
{
    switch (event.kind) {
    case MacroEventKind::MouseButton:
        return MacroDisplayEvent::MouseButton(int(event.data1), event.IsPress());
    case MacroEventKind::Delay:
        return MacroDisplayEvent::Delay(event.data1);
    default:
        return MacroDisplayEvent::Key(event.ScanCode(), event.VirtualKey(), event.IsPress(), event.IsExtended());
    }
}

std::optional<MacroEvent> ToMacroEvent(const MacroDisplayEvent& event)
{
    switch (event.kind) {
    case MacroDisplayEventKind::Key:
        return MacroEvent::Keystroke(event.scanCode, event.virtualKey, event.down, event.extended);
    case MacroDisplayEventKind::MouseButton:
        if (event.button < 1 || event.button > 5)
            return std::nullopt;
        return MacroEvent::MouseButton(uint32_t(event.button), event.down);
    case MacroDisplayEventKind::Delay:
        // A delay keeps its length in both words, as recorded delays do.
        return MacroEvent::Delay(event.milliseconds);
    }
    return std::nullopt;
}

std::vector<MacroDisplayEvent> ToDisplayEvents(const std::vector<MacroEvent>& events)
{
    std::vector<MacroDisplayEvent> shown;
    shown.reserve(events.size());
    for (const MacroEvent& event : events)
        shown.push_back(ToDisplayEvent(event));
    return shown;
}

std::vector<MacroEvent> ToMacroEvents(const std::vector<MacroDisplayEvent>& events)
{
    std::vector<MacroEvent> stored;
    stored.reserve(events.size());
    for (const MacroDisplayEvent& event : events)
        if (auto converted = ToMacroEvent(event))
            stored.push_back(*converted);
    return stored;
}
