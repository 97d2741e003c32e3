// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colour names a skin writes in its colour attributes, and the other small name
// tables the skin reader uses (list-column kinds, cell control kinds). All are looked
// up whole with the letter case of A-Z ignored.
#include <cstdint>
#include <optional>
#include <string_view>

#include "platform/core/WinTypes.h"

// A name that is not in the colour table gives this value, which controls then use
// as their colour (it is not "keep the default").
constexpr COLORREF kUnknownColor = 0xFFFFFFFF;

// The colour value (0x00BBGGRR) for a name, or kUnknownColor.
COLORREF LookupColor(std::string_view name);

// List-column kinds named by the `name` of a `LISTCOLUMN`.
namespace ListColumnKind {
constexpr int LCITEM_PROFILECURRENT = 0;
constexpr int LCITEM_PROFILEID = 1;
constexpr int LCITEM_PROFILENAME = 2;
constexpr int LCITEM_PROFILEEXE = 3;
constexpr int LCITEM_AUTOSWITCH = 4;
constexpr int LCITEM_MCREVENT_ICON = 5;
constexpr int LCITEM_MCREVENT_DESCRIP = 6;
} // namespace ListColumnKind

// Cell control kinds named by the `type` of a `LISTCOLUMN`.
namespace CellControlKind {
constexpr int ICON = 0;
constexpr int STATIC = 1;
constexpr int EDIT = 2;
constexpr int COMBO = 3;
constexpr int CHECKBOX = 4;
constexpr int FILEDIALOG = 5;
} // namespace CellControlKind

std::optional<int> LookupListColumnKind(std::string_view name);
std::optional<int> LookupCellControlKind(std::string_view name);
