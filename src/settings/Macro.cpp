// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/Macro.h"

#include "platform/core/TextCase.h"

MacroEvent MacroEvent::Keystroke(uint16_t scanCode, uint16_t virtualKey, bool press, bool extended)
{
    MacroEvent event;
    event.kind = MacroEventKind::Keystroke;
    event.data1 = uint32_t(scanCode) | uint32_t(virtualKey) << 16;
    event.data2 = (press ? kPress : kRelease) | (extended ? 0x100u : 0u);
    return event;
}

MacroEvent MacroEvent::MouseButton(uint32_t button, bool press)
{
    MacroEvent event;
    event.kind = MacroEventKind::MouseButton;
    event.data1 = button;
    event.data2 = press ? kPress : kRelease;
    return event;
}

MacroEvent MacroEvent::Delay(uint32_t milliseconds)
{
    MacroEvent event;
    event.kind = MacroEventKind::Delay;
    event.data1 = milliseconds;
    event.data2 = milliseconds;
    return event;
}

CMacro::CMacro(const CMacro& other) : name_(other.name_), guid_(other.guid_), events_(other.events_) {}

CMacro& CMacro::operator=(const CMacro& other)
{
    name_ = other.name_;
    guid_ = other.guid_;
    events_ = other.events_;
    return *this;
}

bool CMacro::IsValidName(std::u16string_view name)
{
    return name.size() <= kMaxNameLength && name.find(u'\0') == std::u16string_view::npos;
}

bool CMacro::SetName(std::u16string_view name)
{
    if (!IsValidName(name))
        return false;
    name_ = name;
    return true;
}

bool SameMacroContent(const CMacro& a, const CMacro& b)
{
    return a.GetGuid() == b.GetGuid() && EqualsIgnoringCase(a.GetName(), b.GetName()) && a.GetEvents() == b.GetEvents();
}
