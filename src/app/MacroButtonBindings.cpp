// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MacroButtonBindings.h"

#include "platform/core/TextCase.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

#include <functional>

namespace {

// Calls `change` for every button of every profile whose assignment plays the
// macro; counts the buttons whose new record was stored.
int ForEachButtonPlaying(IMouseConfig& config, const GUID& guid, std::u16string_view name,
                         const std::function<AssignmentRecord(const AssignmentRecord&, tMouseButton)>& change)
{
    int changed = 0;
    for (size_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* profile = config.GetProfile(i);
        if (!profile)
            continue;
        for (tMouseButton button : kAssignableButtons) {
            const AssignmentRecord record = config.GetButtonAssignment(button, profile);
            if (!PlaysMacro(record, guid, name))
                continue;
            const AssignmentRecord replacement = change(record, button);
            if (replacement != record && config.SetButtonAssignment(button, replacement, profile))
                ++changed;
        }
    }
    return changed;
}

} // namespace

bool PlaysMacro(const AssignmentRecord& record, const GUID& guid, std::u16string_view name)
{
    if (record.kind == AssignmentKind::MacroById)
        return guid != GUID{} && record.ReadGuid() == guid;
    if (record.kind == AssignmentKind::MacroByName)
        return !name.empty() && EqualsIgnoringCase(record.ReadName(), name);
    return false;
}

int RebindRenamedMacro(IMouseConfig& config, const CMacro& macro, std::u16string_view oldName)
{
    return ForEachButtonPlaying(config, macro.GetGuid(), oldName, [&](const AssignmentRecord& record, tMouseButton) {
        return MakeMacroAssignment(macro, record.ReadPlayMode(), 0);
    });
}

int ResetButtonsPlayingMacro(IMouseConfig& config, const CMacro& macro)
{
    return ForEachButtonPlaying(
        config, macro.GetGuid(), macro.GetName(),
        [&](const AssignmentRecord&, tMouseButton button) { return config.GetDefaultButtonAssignment(button); });
}
