// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/ColorTable.h"

#include "skin/SkinText.h"

namespace {

struct NamedValue {
    std::string_view name;
    std::uint32_t value;
};

constexpr NamedValue kColors[] = {
    {"RED", 0x0000FF},
    {"GREEN", 0x00FF00},
    {"BLUE", 0xFF0000},
    {"YELLOW", 0x00FFFF},
    {"ORANGE", 0x007EFF},
    {"PINK", 0x8080FF},
    {"BLACK", 0x000000},
    {"WHITE", 0xFFFFFF},
    {"DARKGREY", 0x3A3A3A},
    {"MIDGREY", 0x777069},
    {"GREEN2", 0x067401},
    {"GREEN3", 0x014709},
    {"GREEN4", 0x021E00},
    {"BLUE2", 0xC57700},
    {"BLACK2", 0x0B0B0B},
    {"DARKGREY2", 0x2B2B2B},
    {"MIDGREY2", 0x677079},
    {"GREY_DROPDOWN", 0x505050},
    {"BLUE_JO_BORDER", 0x623300},
    {"BLUE_JO_HIGHLIGHT", 0xEDD8FF},
    {"BLUE_JO_PROFILE_HIGHLIGHT", 0x3D1B00},
    {"BLUE_JO_TAB_SELECT", 0xFDAE00},
    {"GREY_JO_HEADING", 0xD6C2B1},
    {"GOLD_JO_HIGHTLIGHT", 0x007CD0},
    {"NEON_BORDER", 0x554909},
    {"NEON_HIGHLIGHT", 0xFEFEFE},
    {"NEON_PROFILE_HIGHLIGHT", 0x362E04},
    {"NEON_TAB_SELECT", 0xEDE86F},
    {"NEON_COMBO_BK", 0x1C1803},
    {"NEON_DROPDOWN_BORDER", 0x483D06},
    {"NEON_PANEL_BORDER", 0x816E0B},
    {"NEON_PANEL_BACKGROUND", 0x362E05},
    {"NEON_PANEL_HIGHLIGHT", 0x5E510A},
};

constexpr NamedValue kListColumnKinds[] = {
    {"LCITEM_PROFILECURRENT", ListColumnKind::LCITEM_PROFILECURRENT},
    {"LCITEM_PROFILEID", ListColumnKind::LCITEM_PROFILEID},
    {"LCITEM_PROFILENAME", ListColumnKind::LCITEM_PROFILENAME},
    {"LCITEM_PROFILEEXE", ListColumnKind::LCITEM_PROFILEEXE},
    {"LCITEM_AUTOSWITCH", ListColumnKind::LCITEM_AUTOSWITCH},
    {"LCITEM_MCREVENT_ICON", ListColumnKind::LCITEM_MCREVENT_ICON},
    {"LCITEM_MCREVENT_DESCRIP", ListColumnKind::LCITEM_MCREVENT_DESCRIP},
};

constexpr NamedValue kCellControlKinds[] = {
    {"ICON", CellControlKind::ICON},         {"STATIC", CellControlKind::STATIC},
    {"EDIT", CellControlKind::EDIT},         {"COMBO", CellControlKind::COMBO},
    {"CHECKBOX", CellControlKind::CHECKBOX}, {"FILEDIALOG", CellControlKind::FILEDIALOG},
};

template <std::size_t N>
std::optional<std::uint32_t> Find(const NamedValue (&table)[N], std::string_view name)
{
    for (const auto& entry : table)
        if (EqualsIgnoreAsciiCase(entry.name, name))
            return entry.value;
    return std::nullopt;
}

} // namespace

COLORREF LookupColor(std::string_view name)
{
    return Find(kColors, name).value_or(kUnknownColor);
}

std::optional<int> LookupListColumnKind(std::string_view name)
{
    auto found = Find(kListColumnKinds, name);
    return found ? std::optional<int>(static_cast<int>(*found)) : std::nullopt;
}

std::optional<int> LookupCellControlKind(std::string_view name)
{
    auto found = Find(kCellControlKinds, name);
    return found ? std::optional<int>(static_cast<int>(*found)) : std::nullopt;
}
