// SPDX-License-Identifier: GPL-3.0-or-later
// What the button menus are built from: the description of each kind and the kind
// a chosen entry's name stands for.
#include "settings/AllowedKinds.h"
#include "settings/AssignmentKind.h"

#include <gtest/gtest.h>

TEST(AssignmentMenuKinds, EveryNamedKindIsDescribedAndItsNameLeadsBackToIt)
{
    struct Case {
        int32_t kind;
        const char* description;
    };
    const Case described[] = {
        {0, "$ResetButtonBackToDefaultFunction"},
        {5, "$Assignthisbuttontobehaveasakeyboardkey"},
        {7, "$Assignthisbuttontocontrolmacroplayback"},
        {21, "$Assignthisbuttontoatemporarydpi"},
        {23, "$Assignthisbuttontochangetoaprofile"},
        {54, "$AssignthisbuttontobehaveasScrollDown"},
        // Kinds without a sentence of their own are described by their name.
        {9, "$advanced"},
        {44, "$stop"},
        {76, "$launchprogram"},
    };
    for (const Case& c : described) {
        SCOPED_TRACE(c.kind);
        ASSERT_TRUE(AssignmentKindDescriptionKey(c.kind).has_value());
        EXPECT_EQ(*AssignmentKindDescriptionKey(c.kind), c.description);
    }
    for (int32_t kind : {-1, 33, 42, 77, 78, 80}) {
        SCOPED_TRACE(kind);
        EXPECT_FALSE(AssignmentKindDescriptionKey(kind).has_value());
    }

    // Every kind a menu can offer is found again from its name.
    for (int32_t kind : AllowedKinds::GeneralWithTemporarySensitivity()) {
        SCOPED_TRACE(kind);
        const auto name = AssignmentKindTextKey(kind);
        ASSERT_TRUE(name.has_value());
        EXPECT_EQ(AssignmentKindFromTextKey(*name), kind);
    }
    // Shared names give the kind the menus offer; unknown or differently cased
    // names give nothing.
    EXPECT_EQ(AssignmentKindFromTextKey("$macro"), 6);
    EXPECT_EQ(AssignmentKindFromTextKey("$profile"), 22);
    EXPECT_EQ(AssignmentKindFromTextKey("$launchprogram"), 75);
    EXPECT_FALSE(AssignmentKindFromTextKey("$Macro").has_value());
    EXPECT_FALSE(AssignmentKindFromTextKey("").has_value());
}
