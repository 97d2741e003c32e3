// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/AssignmentRecord.h"
#include "settings/DefaultButtonAssignments.h"
#include "settings/Macro.h"

#include <gtest/gtest.h>

namespace {

TEST(AssignmentPayload, WordsAreLittleEndianAndGuidsUseTheStoredByteOrder)
{
    AssignmentRecord record;
    record.WriteWord(1, 0x11223344);
    EXPECT_EQ(record.payload[4], 0x44);
    EXPECT_EQ(record.payload[7], 0x11);
    EXPECT_EQ(record.ReadWord(1), 0x11223344u);
    record.WriteWord(AssignmentRecord::kPayloadWords, 1); // out of range: ignored
    EXPECT_EQ(record.ReadWord(AssignmentRecord::kPayloadWords), 0u);

    GUID guid = *GUID::Parse("{01020304-0506-0708-090A-0B0C0D0E0F10}");
    record.WriteGuid(guid);
    EXPECT_EQ(record.ReadGuid(), guid);
    EXPECT_EQ(record.ReadWord(0), 0x01020304u) << "word 0 is the GUID's first field";
}

TEST(AssignmentPayload, NamesFitWithTheirTerminatorOrAreRefused)
{
    AssignmentRecord record;
    std::u16string longest(AssignmentRecord::kMaxNameUnits - 1, u'x');
    ASSERT_TRUE(record.WriteName(longest));
    EXPECT_EQ(record.ReadName(), longest);
    EXPECT_EQ(record.payload[AssignmentRecord::kPlayModeOffset - 1], 0) << "terminator inside the name area";

    AssignmentRecord before = record;
    EXPECT_FALSE(record.WriteName(std::u16string(AssignmentRecord::kMaxNameUnits, u'y')));
    EXPECT_FALSE(record.WriteName(std::u16string(u"a\0b", 3)));
    EXPECT_EQ(record, before) << "a refused name changes nothing";

    ASSERT_TRUE(record.WriteName(u"\u00c4rger"));
    EXPECT_EQ(record.ReadName(), u"\u00c4rger");
    EXPECT_EQ(record.payload[20], 0) << "the rest of the previous name is cleared";

    // A payload without any terminator reads only as far as the name area.
    AssignmentRecord filled;
    filled.payload.fill(0x41);
    EXPECT_EQ(filled.ReadName().size(), AssignmentRecord::kMaxNameUnits);
}

TEST(AssignmentPayload, MacroAssignmentsUseTheGuidOrFallBackToTheName)
{
    CMacro macro;
    macro.SetName(u"Combo");
    AssignmentRecord byName = MakeMacroAssignment(macro);
    EXPECT_EQ(byName.kind, AssignmentKind::MacroByName);
    EXPECT_EQ(byName.ReadName(), u"Combo");
    EXPECT_EQ(byName.ReadPlayMode(), MacroPlayMode::Once);
    EXPECT_EQ(byName.ReadRepeatCount(), 0);

    macro.SetGuid(GUID::Generate());
    AssignmentRecord byId = MakeMacroAssignment(macro, MacroPlayMode::Multiple, 3);
    EXPECT_EQ(byId.kind, AssignmentKind::MacroById);
    EXPECT_EQ(byId.ReadGuid(), macro.GetGuid());
    EXPECT_EQ(byId.payload[AssignmentRecord::kPlayModeOffset], 2);
    EXPECT_EQ(byId.payload[AssignmentRecord::kRepeatCountOffset], 3);

    byId.WritePlayMode(9);
    EXPECT_EQ(byId.EffectivePlayMode(), MacroPlayMode::Once);
    byId.WritePlayMode(MacroPlayMode::UntilPressed);
    EXPECT_EQ(byId.EffectivePlayMode(), MacroPlayMode::UntilPressed);
}

TEST(AssignmentPayload, ProfileSingleKeyAndTemporarySensitivityLayouts)
{
    AssignmentRecord byName = MakeProfileAssignment(u"Games", GUID_NULL);
    EXPECT_EQ(byName.kind, AssignmentKind::ProfileByName);
    EXPECT_EQ(byName.ReadName(), u"Games");
    EXPECT_EQ(MakeProfileAssignment(std::u16string(300, u'n'), GUID_NULL).kind, AssignmentKind::Unset);

    AssignmentRecord key = MakeSingleKeyAssignment(0x1E, 0x41, 0x4);
    EXPECT_EQ(key.ReadWord(0), 0x0041001Eu);
    EXPECT_EQ(key.ReadWord(1), 0x4u);

    AssignmentRecord temporary = MakeTemporarySensitivityAssignment(800, 400, 1200, true);
    EXPECT_EQ(temporary.ReadWord(2), 1200u);
    EXPECT_EQ(temporary.payload[12], 1);
}

TEST(AssignmentKinds, NamedKindsHaveTheirKeysAndTheGapHasNone)
{
    EXPECT_EQ(AssignmentKindTextKey(1), "$click");
    EXPECT_EQ(AssignmentKindTextKey(7), "$macro");
    EXPECT_EQ(AssignmentKindTextKey(76), "$launchprogram");
    EXPECT_EQ(AssignmentKindTextKey(79), "$joystick");
    EXPECT_FALSE(AssignmentKindTextKey(33).has_value());
    EXPECT_FALSE(AssignmentKindTextKey(77).has_value());
    EXPECT_FALSE(AssignmentKindTextKey(-1).has_value());
    EXPECT_FALSE(AssignmentKindTextKey(80).has_value());
}

TEST(DefaultAssignments, KnownButtonsHaveZeroPayloadDefaultsOthersAreUnset)
{
    EXPECT_EQ(GetDefaultButtonAssignment(MOUSE_BUTTON_4).kind, AssignmentKind::Backward);
    EXPECT_EQ(GetDefaultButtonAssignment(MOUSE_BUTTON_WHEEL_DOWN).kind, AssignmentKind::ScrollDown);
    EXPECT_EQ(GetDefaultButtonAssignment(MOUSE_BUTTON_10).kind, AssignmentKind::SensitivityStageUp);
    for (const auto& [button, record] : DefaultButtonAssignments())
        EXPECT_EQ(record, AssignmentRecord::OfKind(record.kind)) << "button " << button;
    EXPECT_EQ(GetDefaultButtonAssignment(tMouseButton(6)), AssignmentRecord::Unset());
    EXPECT_EQ(DefaultButtonAssignments().size(), 9u);
}

TEST(Macro, NamesAreLimitedAndCopiesLeaveTheSourcePathBehind)
{
    CMacro macro;
    EXPECT_TRUE(macro.SetName(std::u16string(CMacro::kMaxNameLength, u'm')));
    EXPECT_FALSE(macro.SetName(std::u16string(CMacro::kMaxNameLength + 1, u'z')));
    EXPECT_EQ(macro.GetName().front(), u'm');

    macro.SetName(u"Burst");
    macro.SetGuid(GUID::Generate());
    macro.SetSourcePath(u"/tmp/burst.zmm");
    macro.Events() = {MacroEvent::Keystroke(0x1E, 0x41, true, false), MacroEvent::Delay(25),
                      MacroEvent::Keystroke(0x1E, 0x41, false, false)};
    CMacro copy(macro);
    EXPECT_TRUE(SameMacroContent(copy, macro));
    EXPECT_TRUE(copy.GetSourcePath().empty());

    MacroEvent extended = MacroEvent::Keystroke(0x48, 0x26, false, true);
    EXPECT_EQ(extended.data2, 0x101u);
    EXPECT_FALSE(extended.IsPress());
    EXPECT_TRUE(extended.IsExtended());
}

} // namespace
