// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>

#include "SkinTestSupport.h"
#include "skin/ColorTable.h"
#include "skin/ItemIds.h"
#include "skin/MouseMats.h"
#include "skin/SkinText.h"

TEST(ItemIdTable, HoldsEveryIdFromZeroTo319WithTwoNamesForEnglish)
{
    const auto table = ItemIdTable();
    EXPECT_EQ(table.size(), 321u);
    std::set<int> ids;
    std::set<std::string_view> names;
    for (const auto& entry : table) {
        ids.insert(entry.id);
        names.insert(entry.name);
    }
    EXPECT_EQ(ids.size(), 320u);
    EXPECT_EQ(*ids.begin(), 0);
    EXPECT_EQ(*ids.rbegin(), 319);
    EXPECT_EQ(names.size(), 321u);

    EXPECT_EQ(LookupItemId(std::string_view("LANGUAGE_DEFAULT")), 0);
    EXPECT_EQ(LookupItemId(std::string_view("LANGUAGE_ENGLISH")), 0);
    // Spot checks across the groups.
    EXPECT_EQ(LookupItemId(std::string_view("FONT_ARIAL10")), 15);
    EXPECT_EQ(LookupItemId(std::string_view("BUTTON_ENABLEXY")), 32);
    EXPECT_EQ(LookupItemId(std::string_view("BUTTON_SENSOR_CANCEL")), 103);
    EXPECT_EQ(LookupItemId(std::string_view("BITMAP_MOUSETOPVIEWPLAN")), 115);
    EXPECT_EQ(LookupItemId(std::string_view("TEXT_PREVIEW_12")), 230);
    EXPECT_EQ(LookupItemId(std::string_view("SLIDER_LED_BRIGHTNESS")), 264);
    EXPECT_EQ(LookupItemId(std::string_view("LISTPANEL_PROFILEOPTIONS")), 288);
    EXPECT_EQ(LookupItemId(std::string_view("DPISTAGEWINDOW_06")), 295);
    EXPECT_EQ(LookupItemId(std::string_view("LIFTOFF_CUSTOM")), 319);
}

TEST(ItemIdTable, FoldsOnlyTheLettersAToZ)
{
    EXPECT_EQ(LookupItemId(std::u16string_view(u"button_ok")), ItemId::BUTTON_OK);
    EXPECT_EQ(LookupItemId(std::u16string_view(u"Button_Ok")), ItemId::BUTTON_OK);
    EXPECT_EQ(LookupItemId(std::u16string_view(u"BUTTON_OK ")), -1);
    EXPECT_EQ(LookupItemId(std::u16string_view(u"BUTTON")), -1);
    EXPECT_EQ(LookupItemId(std::u16string_view(u"")), -1);
    // A dotless capital I is not an I.
    EXPECT_EQ(LookupItemId(std::u16string_view(u"BUTTON_D\u0130SABLED")), -1);
    EXPECT_EQ(LookupItemId(std::u16string_view(u"LANGUAGE_G\u00C9RMAN")), -1);
}

TEST(ColorTable, NamesMapToBgrValuesAndUnknownNamesToAllOnes)
{
    EXPECT_EQ(LookupColor("RED"), 0x0000FFu);
    EXPECT_EQ(LookupColor("blue"), 0xFF0000u);
    EXPECT_EQ(LookupColor("Orange"), 0x007EFFu);
    EXPECT_EQ(LookupColor("NEON_PANEL_HIGHLIGHT"), 0x5E510Au);
    EXPECT_EQ(LookupColor("BLACK"), 0u);
    EXPECT_EQ(LookupColor("PURPLE"), kUnknownColor);
    EXPECT_EQ(LookupColor(""), kUnknownColor);
    EXPECT_EQ(LookupColor("RED "), kUnknownColor);

    EXPECT_EQ(LookupListColumnKind("lcitem_mcrevent_descrip"), 6);
    EXPECT_FALSE(LookupListColumnKind("LCITEM_NOTHING").has_value());
    EXPECT_EQ(LookupCellControlKind("FileDialog"), 5);
    EXPECT_FALSE(LookupCellControlKind("SLIDER").has_value());
}

TEST(SkinText, AtoiStyleIntegersAndFirstLetterBooleans)
{
    EXPECT_EQ(ParseLeadingInt("42px"), 42);
    EXPECT_EQ(ParseLeadingInt("  -7"), -7);
    EXPECT_EQ(ParseLeadingInt("x1"), 0);
    EXPECT_EQ(ParseLeadingInt(""), 0);
    // Out of range saturates rather than overflowing.
    EXPECT_EQ(ParseLeadingInt("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseLeadingInt("-99999999999999999999"), INT_MIN);

    for (const char* yes : {"1", "true", "True", "yes", "Y"})
        EXPECT_TRUE(ParseSkinBool(yes)) << yes;
    for (const char* no : {"on", "0", "false", "", "no"})
        EXPECT_FALSE(ParseSkinBool(no)) << no;
}

TEST(MouseMatList, ReadsKnownMatTypesAndSkipsOthers)
{
    skintest::TestAppDir app;
    CMouseMatList list;
    ASSERT_TRUE(list.LoadDefault());
    ASSERT_EQ(list.Mats().size(), 2u);
    const CMouseMat* glass = list.Find(CMouseMat::Glass);
    const CMouseMat* cloth = list.Find(CMouseMat::Cloth);
    ASSERT_TRUE(glass && cloth);
    EXPECT_EQ(glass->caption, u"Glass surface");
    EXPECT_EQ(glass->colour, CMouseMat::White);
    EXPECT_EQ(glass->material, CMouseMat::HardMaterial);
    EXPECT_EQ(cloth->colour, CMouseMat::Black);
    EXPECT_EQ(cloth->material, CMouseMat::SoftMaterial);

    // A file of another kind leaves the list as it was.
    EXPECT_FALSE(list.LoadFromMemory("<ITEMLIST/>"));
    EXPECT_FALSE(list.LoadFromMemory("<MOUSEMATLIST>"));
    EXPECT_EQ(list.Mats().size(), 2u);
}
