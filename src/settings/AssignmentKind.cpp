// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/AssignmentKind.h"

#include <map>

namespace {

const std::map<int32_t, std::string_view>& KindTextKeys()
{
    static const std::map<int32_t, std::string_view> table = {
        {0, "$defaultkey"},
        {1, "$click"},
        {2, "$menu"},
        {3, "$universalscrolling"},
        {4, "$Double-Click"},
        {5, "$SingleKey"},
        {6, "$macro"},
        {7, "$macro"},
        {8, "$buttonoff"},
        {9, "$advanced"},
        {10, "$on-the-flysensitivity"},
        {11, "$button4"},
        {12, "$button5"},
        {13, "$SensitivityStageUp"},
        {14, "$SensitivityStageDown"},
        {15, "$SensitivityStages"},
        {16, "$dpistage1"},
        {17, "$dpistage2"},
        {18, "$dpistage3"},
        {19, "$dpistage4"},
        {20, "$dpistage5"},
        {21, "$TemporaryDPISwitch"},
        {22, "$profile"},
        {23, "$profile"},
        {24, "$profileup"},
        {25, "$profiledown"},
        {26, "$profile1"},
        {27, "$profile2"},
        {28, "$profile3"},
        {29, "$profile4"},
        {30, "$profile5"},
        {31, "$keymap"},
        {32, "$keymap"},
        {43, "$play"},
        {44, "$stop"},
        {45, "$Backward"},
        {46, "$Forward"},
        {47, "$pause"},
        {48, "$volumeup"},
        {49, "$volumedown"},
        {50, "$mute"},
        {51, "$skipback"},
        {52, "$skipforward"},
        {53, "$scrollup"},
        {54, "$scrolldown"},
        {55, "$cut"},
        {56, "$copy"},
        {57, "$paste"},
        {58, "$undo"},
        {59, "$all"},
        {60, "$find"},
        {61, "$new"},
        {62, "$print"},
        {63, "$save"},
        {64, "$swapwindows"},
        {65, "$closewindow"},
        {66, "$lockpc"},
        {67, "$openexplorer"},
        {68, "$run"},
        {69, "$showdesktop"},
        {70, "$zoomin"},
        {71, "$zoomout"},
        {72, "$dpisetting"},
        {73, "$profilesetting"},
        {74, "$selectfun"},
        {75, "$launchprogram"},
        {76, "$launchprogram"},
        {78, "$joystick"},
        {79, "$joystick"},
    };
    return table;
}

} // namespace

std::optional<std::string_view> AssignmentKindTextKey(int32_t kind)
{
    const auto& table = KindTextKeys();
    auto it = table.find(kind);
    if (it == table.end())
        return std::nullopt;
    return it->second;
}

std::optional<std::string_view> AssignmentKindDescriptionKey(int32_t kind)
{
    static const std::map<int32_t, std::string_view> descriptions = [] {
        std::map<int32_t, std::string_view> table = {
            {0, "$ResetButtonBackToDefaultFunction"},
            {1, "$Assignasclick"},
            {2, "$Assignasmenu"},
            {3, "$Assignasuniversalscrollcontrol"},
            {4, "$Assignasdouble-click"},
            {5, "$Assignthisbuttontobehaveasakeyboardkey"},
            {6, "$Assignthisbuttontocontrolmacroplayback"},
            {7, "$Assignthisbuttontocontrolmacroplayback"},
            {8, "$Disablethisbutton"},
            {10, "$Assignthisbuttontoenableon-the-flysensitivitywhilstheld"},
            {13, "$AssignthisbuttontoincreaseDPIstage"},
            {14, "$AssignthisbuttontodecreaseDPIstage"},
            {21, "$Assignthisbuttontoatemporarydpi"},
            {22, "$Assignthisbuttontochangetoaprofile"},
            {23, "$Assignthisbuttontochangetoaprofile"},
            {45, "$Assignasbackward"},
            {46, "$Assignasforward"},
            {53, "$AssignthisbuttontobehaveasScrollUp"},
            {54, "$AssignthisbuttontobehaveasScrollDown"},
        };
        // The remaining named kinds up to 76 say what they do by their name.
        for (int32_t kind = 9; kind <= 76; ++kind) {
            if (auto name = AssignmentKindTextKey(kind))
                table.emplace(kind, *name);
        }
        return table;
    }();
    auto it = descriptions.find(kind);
    if (it == descriptions.end())
        return std::nullopt;
    return it->second;
}

std::optional<int32_t> AssignmentKindFromTextKey(std::string_view key)
{
    // The map is in kind order, so the first match is the lowest kind.
    for (const auto& [kind, name] : KindTextKeys()) {
        if (name == key)
            return kind;
    }
    return std::nullopt;
}
