// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/CategoryContainers.h"
#include "settings/CategoryRegistry.h"

#include <gtest/gtest.h>

namespace {

TEST(CategoryRegistry, IgnoresIdentifiersOutsideTheValidRangeAndKeepsTheFirstRegistration)
{
    CCategoryRegistry registry;
    CCatInt first;
    CCatInt second;
    CCatInt outside;
    first.SetEdited(1); // modified
    outside.SetEdited(1);

    registry.Register(7, &first);
    registry.Register(7, &second);
    registry.Register(33, &outside);
    registry.Register(-1, &outside);

    EXPECT_EQ(registry.Size(), 1u);
    EXPECT_EQ(registry.Find(7), &first);
    EXPECT_EQ(registry.Find(33), nullptr);
    EXPECT_TRUE(registry.IsModified(7));

    registry.Register(32, &second);
    EXPECT_EQ(registry.Find(32), &second);
}

TEST(CategoryRegistry, AnswersModifiedForUnregisteredIdentifiersAndFalseWhenAllClean)
{
    CCategoryRegistry empty;
    EXPECT_FALSE(empty.IsAnyModified());
    EXPECT_TRUE(empty.IsModified(8));

    CCategoryRegistry registry;
    CCatUInt value;
    CCatString text;
    registry.Register(5, &value);
    registry.Register(24, &text);
    EXPECT_FALSE(registry.IsAnyModified());
    EXPECT_FALSE(registry.IsModified(5));

    text.SetEdited(u"Name");
    EXPECT_TRUE(registry.IsAnyModified());
    EXPECT_TRUE(registry.IsModified(24));
    EXPECT_FALSE(registry.IsModified(5));

    registry.CommitAll();
    EXPECT_FALSE(registry.IsAnyModified());
    EXPECT_EQ(text.Committed(), u"Name");
}

TEST(CategoryComparison, StringsAreCaseSensitiveAndGuidsCompareAllBytes)
{
    CCatString text;
    text.SetEdited(u"abc");
    text.Commit();
    text.SetEdited(u"ABC");
    EXPECT_TRUE(text.IsModified());

    CCatGUID guid;
    GUID g{};
    g.Data4[7] = 1;
    guid.SetEdited(g);
    EXPECT_TRUE(guid.IsModified());
    guid.Commit();
    EXPECT_FALSE(guid.IsModified());
}

TEST(CategoryComparison, AssignmentPayloadBytesAfterTheNameTerminatorCount)
{
    AssignmentRecord record = AssignmentRecord::OfKind(AssignmentKind::ProfileByName);
    ASSERT_TRUE(record.WriteName(u"Work"));
    CCatAssnmnt element(record);
    EXPECT_FALSE(element.IsModified());

    AssignmentRecord tail = record;
    tail.payload[300] = 0x5A; // past the terminator, invisible in the name
    ASSERT_EQ(tail.ReadName(), u"Work");
    element.SetEdited(tail);
    EXPECT_TRUE(element.IsModified());

    element.Commit();
    AssignmentRecord otherKind = tail;
    otherKind.kind = AssignmentKind::ProfileById;
    element.SetEdited(otherKind);
    EXPECT_TRUE(element.IsModified());
}

TEST(CategoryComparison, StagesCompareOnlyTheValuesInEffect)
{
    CCatDPIStage stage;
    stage.SetEdited({800, 100, 200, false});
    stage.Commit();

    stage.SetEdited({800, 999, 999, false});
    EXPECT_FALSE(stage.IsModified()) << "X and Y are ignored while not separate";
    stage.SetEdited({900, 100, 200, false});
    EXPECT_TRUE(stage.IsModified());

    stage.SetEdited({800, 100, 200, true});
    EXPECT_TRUE(stage.IsModified()) << "the separate flag itself changed";
    stage.Commit();
    stage.SetEdited({1234, 100, 200, true});
    EXPECT_FALSE(stage.IsModified()) << "the single value is ignored while separate";
    stage.SetEdited({800, 100, 201, true});
    EXPECT_TRUE(stage.IsModified());
}

TEST(CategoryComparison, MacroNamesIgnoreCaseButApplicationNamesDoNot)
{
    CMacro macro;
    macro.SetName(u"Reload");
    CCatMacro macroCategory(&macro);
    macro.SetName(u"RELOAD");
    EXPECT_FALSE(macroCategory.IsModified());
    macro.Events().push_back(MacroEvent::Delay(10));
    EXPECT_TRUE(macroCategory.IsModified());
    macroCategory.Commit();
    EXPECT_FALSE(macroCategory.IsModified());
    macro.Events()[0].data2 = 11; // any data byte of an event counts
    EXPECT_TRUE(macroCategory.IsModified());

    CZmApp app(u"Editor");
    CCatZmApp appCategory(&app);
    app.SetName(u"EDITOR");
    EXPECT_TRUE(appCategory.IsModified());
    app.SetName(u"Editor");
    EXPECT_FALSE(appCategory.IsModified());
    app.SetGuid(GUID::Generate());
    EXPECT_TRUE(appCategory.IsModified());
}

TEST(CategoryContainers, LookOnlyAtPresentElementsAndCommitEveryOne)
{
    CCatLedStateMap map;
    map.FindOrInsert(LED_SCROLL_WHEEL);
    EXPECT_FALSE(map.IsModified()) << "adding an element is not a change by itself";
    map.FindOrInsert(LED_BATTERY_INDICATOR).SetEdited(true);
    EXPECT_TRUE(map.IsModified());
    map.Erase(LED_BATTERY_INDICATOR);
    EXPECT_FALSE(map.IsModified());

    CCatDPIStagesVec stages;
    stages.Append(CCatDPIStage{});
    stages.Append(CCatDPIStage{});
    stages.At(1)->SetEdited({400, 0, 0, false});
    EXPECT_TRUE(stages.IsModified());
    stages.Commit();
    EXPECT_FALSE(stages.IsModified());
    EXPECT_EQ(stages.At(1)->Committed().dpi, 400u);
    EXPECT_EQ(stages.At(2), nullptr);
}

} // namespace
