// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Between the events a macro stores and the rows the event display shows.
#include "controls/MacroDisplayEvent.h"
#include "settings/Macro.h"

#include <optional>
#include <vector>

MacroDisplayEvent ToDisplayEvent(const MacroEvent& event);
// Nothing for a display event that no macro event can hold (a mouse button
// outside 1..5).
std::optional<MacroEvent> ToMacroEvent(const MacroDisplayEvent& event);

std::vector<MacroDisplayEvent> ToDisplayEvents(const std::vector<MacroEvent>& events);
// Events no macro event can hold are left out.
std::vector<MacroEvent> ToMacroEvents(const std::vector<MacroDisplayEvent>& events);
