// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ButtonAssignmentDetail.h"

#include "platform/core/KeyNames.h"
#include "popups/SingleKeyRecord.h"
#include "settings/IMouseConfig.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"

#include <QString>

int32_t MenuKindOfAssignment(int32_t kind)
{
    switch (kind) {
    case AssignmentKind::ProfileByName:
        return AssignmentKind::ProfileById;
    case AssignmentKind::MacroByName:
        return AssignmentKind::MacroById;
    default:
        return kind;
    }
}

std::u16string SingleKeyDetail(const AssignmentRecord& record)
{
    const uint32_t key = record.ReadWord(0);
    SingleKeyRecord shown;
    shown.scanCode = uint16_t(key & 0xFFFF);
    shown.virtualKey = uint16_t(key >> 16);
    shown.modifiers = int(record.ReadWord(1) & 0xFF);
    if (shown.scanCode != 0)
        shown.text = KeyNameForScanCode(shown.scanCode, (shown.modifiers & SingleKeyRecord::kExtended) != 0);
    return SingleKeyText(shown);
}

std::u16string AssignmentDetail(const AssignmentRecord& record, const IMouseConfig& config)
{
    switch (record.kind) {
    case AssignmentKind::SingleKey:
        return SingleKeyDetail(record);
    case AssignmentKind::MacroById:
        if (const CMacro* macro = config.FindMacroByGuid(record.ReadGuid()))
            return macro->GetName();
        return {};
    case AssignmentKind::MacroByName:
        if (const CMacro* macro = config.FindMacroByName(record.ReadName()))
            return macro->GetName();
        return {};
    case AssignmentKind::TemporarySensitivity: {
        const uint32_t x = record.ReadWord(1);
        const uint32_t y = record.ReadWord(2);
        if (x == y)
            return QString::asprintf("%d", int(record.ReadWord(0))).toStdU16String();
        return QString::asprintf("%dx, %dy", int(x), int(y)).toStdU16String();
    }
    case AssignmentKind::ProfileById:
        if (IMouseProfile* profile = config.FindProfileByGuid(record.ReadGuid()))
            return profile->GetName();
        return {};
    case AssignmentKind::ProfileByName:
        if (IMouseProfile* profile = config.FindProfileByName(record.ReadName()))
            return profile->GetName();
        return {};
    default:
        return {};
    }
}
