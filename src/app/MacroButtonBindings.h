// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeping the buttons that play a macro right when the macro is renamed or
// deleted, in every profile of the configuration.
#include "settings/AssignmentRecord.h"
#include "settings/MouseTypes.h"

#include <array>
#include <string_view>

class CMacro;
class IMouseConfig;

// The buttons the button page assigns.
constexpr std::array<tMouseButton, 9> kAssignableButtons{
    MOUSE_BUTTON_LEFT, MOUSE_BUTTON_RIGHT, MOUSE_BUTTON_WHEEL,    MOUSE_BUTTON_4,         MOUSE_BUTTON_5,
    MOUSE_BUTTON_10,   MOUSE_BUTTON_11,    MOUSE_BUTTON_WHEEL_UP, MOUSE_BUTTON_WHEEL_DOWN};

// Whether `record` plays the macro with this identity and name: kind 6 carrying its
// (non-null) GUID, or kind 7 carrying its name, compared ignoring case.
bool PlaysMacro(const AssignmentRecord& record, const GUID& guid, std::u16string_view name);

// The macro was renamed from `oldName`: every button of every profile that played
// it is rebuilt for it (by GUID, or by its new name when it has no GUID yet),
// keeping the play mode and starting the repeat count at 0. Returns how many
// buttons changed.
int RebindRenamedMacro(IMouseConfig& config, const CMacro& macro, std::u16string_view oldName);

// Every button of every profile that plays the macro gets its default assignment
// back. Returns how many buttons changed.
int ResetButtonsPlayingMacro(IMouseConfig& config, const CMacro& macro);
