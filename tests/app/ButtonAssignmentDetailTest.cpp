// SPDX-License-Identifier: GPL-3.0-or-later
// The detail a button menu shows for the current assignment, including records
// that name a macro or profile the configuration no longer holds.
#include "app/ButtonAssignmentDetail.h"
#include "popups/SingleKeyRecord.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"
#include "settings/TovikEliteConfig.h"

#include <gtest/gtest.h>

namespace {

AssignmentRecord ByName(int32_t kind, std::u16string_view name)
{
    AssignmentRecord record = AssignmentRecord::OfKind(kind);
    EXPECT_TRUE(record.WriteName(name));
    return record;
}

AssignmentRecord ById(int32_t kind, const GUID& id)
{
    AssignmentRecord record = AssignmentRecord::OfKind(kind);
    record.WriteGuid(id);
    return record;
}

} // namespace

TEST(ButtonAssignmentDetail, EachKindShowsWhatItCarries)
{
    CTovikEliteConfig config;
    IMouseProfile* travel = config.CreateProfile(u"Travel");
    travel->SetGuid(GUID::Generate());
    CMacro* reload = config.CreateMacro(u"Reload");
    reload->SetGuid(GUID::Generate());

    struct Case {
        const char* name;
        AssignmentRecord record;
        std::u16string detail;
    };
    const int shiftCtrl = SingleKeyRecord::kShift | SingleKeyRecord::kCtrl;
    const Case cases[] = {
        {"Ctrl and Shift with a letter, Shift first", MakeSingleKeyAssignment(0x1E, 'A', shiftCtrl), u"Shift+Ctrl+A"},
        {"Alt alone", MakeSingleKeyAssignment(0, 0, SingleKeyRecord::kAlt), u"Alt"},
        {"an extended key", MakeSingleKeyAssignment(0x4D, 0, SingleKeyRecord::kExtended), u"Right"},
        {"one sensitivity", MakeTemporarySensitivityAssignment(800, 800, 800, false), u"800"},
        {"separate X and Y", MakeTemporarySensitivityAssignment(800, 800, 1600, true), u"800x, 1600y"},
        {"a macro by identity", ById(AssignmentKind::MacroById, reload->GetGuid()), u"Reload"},
        {"a macro by name, in any case", ByName(AssignmentKind::MacroByName, u"RELOAD"), u"Reload"},
        {"a profile by identity", ById(AssignmentKind::ProfileById, travel->GetGuid()), u"Travel"},
        {"a profile by name", ByName(AssignmentKind::ProfileByName, u"travel"), u"Travel"},
        // Records whose target is gone show nothing rather than a stale name.
        {"a deleted macro", ById(AssignmentKind::MacroById, GUID::Generate()), u""},
        {"a macro name that no longer exists", ByName(AssignmentKind::MacroByName, u"Sprint"), u""},
        {"a deleted profile", ById(AssignmentKind::ProfileById, GUID::Generate()), u""},
        {"a profile name that no longer exists", ByName(AssignmentKind::ProfileByName, u"Gone"), u""},
        {"a kind without details", AssignmentRecord::OfKind(AssignmentKind::Menu), u""},
        {"unset", AssignmentRecord::Unset(), u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AssignmentDetail(c.record, config), c.detail);
    }
}
