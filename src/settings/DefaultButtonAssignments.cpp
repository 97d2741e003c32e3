// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/DefaultButtonAssignments.h"

const std::map<tMouseButton, AssignmentRecord>& DefaultButtonAssignments()
{
    // Built once, on first use, and never changed afterwards, so it may be read
    // from any thread.
    static const std::map<tMouseButton, AssignmentRecord> table = {
        {MOUSE_BUTTON_LEFT, AssignmentRecord::OfKind(AssignmentKind::Click)},
        {MOUSE_BUTTON_RIGHT, AssignmentRecord::OfKind(AssignmentKind::Menu)},
        {MOUSE_BUTTON_WHEEL, AssignmentRecord::OfKind(AssignmentKind::UniversalScrolling)},
        {MOUSE_BUTTON_4, AssignmentRecord::OfKind(AssignmentKind::Backward)},
        {MOUSE_BUTTON_5, AssignmentRecord::OfKind(AssignmentKind::Forward)},
        {MOUSE_BUTTON_10, AssignmentRecord::OfKind(AssignmentKind::SensitivityStageUp)},
        {MOUSE_BUTTON_11, AssignmentRecord::OfKind(AssignmentKind::SensitivityStageDown)},
        {MOUSE_BUTTON_WHEEL_UP, AssignmentRecord::OfKind(AssignmentKind::ScrollUp)},
        {MOUSE_BUTTON_WHEEL_DOWN, AssignmentRecord::OfKind(AssignmentKind::ScrollDown)},
    };
    return table;
}

AssignmentRecord GetDefaultButtonAssignment(tMouseButton button)
{
    const auto& table = DefaultButtonAssignments();
    auto it = table.find(button);
    return it == table.end() ? AssignmentRecord::Unset() : it->second;
}
