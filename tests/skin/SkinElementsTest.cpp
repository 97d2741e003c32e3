// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "RecordingFactories.h"
#include "SkinTestSupport.h"
#include "skin/ColorTable.h"
#include "skin/FontItem.h"
#include "skin/ItemIds.h"
#include "skin/KeyboardLayoutSetting.h"
#include "skin/LangTable.h"
#include "skin/SkinLoader.h"

using namespace skintest;

namespace {

class SkinElementsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearControlFactories();
        ResetLanguages();
        RecordAllElements();
        ASSERT_TRUE(LoadSkinFile(items, u"AllElements.xml", nullptr, false, &stats));
    }
    void TearDown() override { ClearControlFactories(); }

    TestAppDir app;
    CGUIItems items;
    SkinLoadStats stats;
};

TEST_F(SkinElementsTest, DataElementsBecomeTheirItems)
{
    auto* layout = items.FindAs<CKeyboardLayoutSetting>(ItemId::KBDDEF_WINDOWS);
    ASSERT_NE(layout, nullptr);
    EXPECT_EQ(layout->kind, ItemKind::KBLAYOUT);
    EXPECT_EQ(layout->kbdlayout, u"00000409");
    EXPECT_EQ(layout->kbditems, u"101");

    // A missing font file is counted but the font is still made.
    auto* font = items.FindAs<CFontItem>(ItemId::FONT_ZEMKOREG14);
    ASSERT_NE(font, nullptr);
    EXPECT_EQ(font->Description().typeface.size(), 31u);
    EXPECT_EQ(font->Font().pixelSize(), 14);
    EXPECT_GE(stats.missingFiles, 1);
}

TEST_F(SkinElementsTest, WindowsWithChildrenAndNamedParts)
{
    const auto* frame = ParsedAs<BitmapWindowElement>(items, ItemId::BITMAP_VERTICALBARVIEWS);
    ASSERT_NE(frame, nullptr);
    ASSERT_EQ(frame->children.size(), 2u);
    EXPECT_EQ(frame->children[1].id, ItemId::CALIBRATION_OFF);
    EXPECT_EQ(frame->children[1].assignType, 7);
    EXPECT_EQ(frame->children[0].rect, (SkinRect{2, 2, 12, 12}));
    EXPECT_EQ(frame->text.caps, CapsMode::AsWritten); // only a capital L means lower case
    EXPECT_EQ(frame->text.multiline, 1);

    const auto* stage = ParsedAs<DPIStageWindowElement>(items, ItemId::DPISTAGEWINDOW_01);
    ASSERT_NE(stage, nullptr);
    ASSERT_EQ(stage->bitmaps.size(), 2u);
    EXPECT_EQ(stage->bitmaps[0].name, u"DPIFRAME");
    EXPECT_TRUE(stage->bitmaps[0].mask.IsLoaded()); // lower-case <bmpmask>
    EXPECT_EQ(stage->bitmaps[1].rect, (SkinRect{5, 40, 55, 60}));
    ASSERT_EQ(stage->textAreas.size(), 1u);
    EXPECT_EQ(stage->textAreas[0].textKey, u"$StageHeading");
    EXPECT_EQ(stage->text.font, items.FindById(ItemId::FONT_ZEMKOREG14));

    const auto* marker = ParsedAs<DMarkerElement>(items, ItemId::SLIDER_LIFTOFF_RANGE);
    ASSERT_NE(marker, nullptr);
    EXPECT_TRUE(marker->mark.IsLoaded());
}

TEST_F(SkinElementsTest, ListsKeepTheirColumnsEntriesAndScrollBars)
{
    const auto* macro = ParsedAs<MacroDisplayElement>(items, ItemId::MACRO_DISPLAY);
    ASSERT_NE(macro, nullptr);
    EXPECT_EQ(macro->maxEvents, 50);
    EXPECT_TRUE(macro->readOnly);
    ASSERT_TRUE(macro->scrollBar.has_value());
    EXPECT_EQ(macro->scrollBar->Width(), 203); // widest bitmap 200 plus border 3
    EXPECT_EQ(macro->columns.size(), 2u);      // the unknown column is dropped
    EXPECT_EQ(macro->colors.backColorHighlight, std::optional<COLORREF>(0x5E510A));
    EXPECT_FALSE(macro->colors.backColor.has_value());
    EXPECT_TRUE(macro->keyDown.IsLoaded());
    EXPECT_TRUE(macro->clockHighlight.IsLoaded());
    EXPECT_FALSE(macro->mouse.IsLoaded());

    const auto* list = ParsedAs<ListCtrlElement>(items, ItemId::LIST_PROFILELIST);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->columns.size(), 2u);
    EXPECT_EQ(list->columns[0].cellKind, CellControlKind::CHECKBOX);
    EXPECT_TRUE(list->columns[0].exclusive);
    EXPECT_EQ(list->columns[0].headerText, u"Active");
    EXPECT_TRUE(list->columns[0].checkBitmaps.down.IsLoaded());
    EXPECT_EQ(list->columns[1].columnKind, ListColumnKind::LCITEM_PROFILENAME);
    ASSERT_TRUE(list->header.has_value());
    EXPECT_EQ(list->header->fontColor, std::optional<COLORREF>(0xD6C2B1));
    EXPECT_FALSE(list->scrollBar.has_value());
    EXPECT_FALSE(list->sorted);

    const auto* combo = ParsedAs<ComboElement>(items, ItemId::LIST_ZEMKO_MOUSEMAT_LIST);
    const auto* colour = ParsedAs<ComboElement>(items, ItemId::DROPDOWN_MOUSE_COLOR);
    ASSERT_TRUE(combo && colour);
    EXPECT_EQ(combo->entries, (std::vector<std::u16string>{u"$Glass", u"$Cloth"}));
    EXPECT_EQ(combo->listHeight, 100);
    EXPECT_EQ(combo->listWidth, 130);
    EXPECT_EQ(combo->leftMargin, 6);
    EXPECT_TRUE(combo->sorted);
    EXPECT_EQ(combo->colors.disabledBorderColor, std::optional<COLORREF>(0x777069));
    EXPECT_TRUE(colour->isColor);
    EXPECT_EQ(colour->leftMargin, 0); // a colour box has no margins
    EXPECT_FALSE(colour->sorted);
    ASSERT_TRUE(colour->box.has_value());
    EXPECT_TRUE(colour->box->hasArrow);
    EXPECT_TRUE(colour->box->bitmaps.mask.IsLoaded());
    // Within the section, LISTCTRL comes first, then COMBO, then COMBOCOLOR.
    std::vector<int> order;
    for (CGUIItem* item : items.Items())
        if (item->kind == ItemKind::LISTCTRL || item->kind == ItemKind::COMBO || item->kind == ItemKind::COMBOCOLOR)
            order.push_back(item->kind);
    EXPECT_EQ(order, (std::vector<int>{ItemKind::LISTCTRL, ItemKind::COMBO, ItemKind::COMBOCOLOR}));

    const auto* panel = ParsedAs<ListPanelElement>(items, ItemId::LISTPANEL_PROFILEOPTIONS);
    ASSERT_NE(panel, nullptr);
    EXPECT_FALSE(panel->dynamic);
    EXPECT_EQ(panel->listHeight, 60);
    ASSERT_EQ(panel->entries.size(), 2u);
    EXPECT_EQ(panel->entries[0].tooltip, u"$tipRename");
    EXPECT_TRUE(panel->entries[1].disabled);
    EXPECT_EQ(panel->colors.fontColorSelected, std::optional<COLORREF>(0xFF0000));
}

TEST_F(SkinElementsTest, EditFieldsKeysAndProgressPanels)
{
    // EDITCTRL is read before EDITCTRLSKMMO whatever the file order; both are kind 20/19.
    const auto* name = ParsedAs<EditCtrlElement>(items, ItemId::EDITCTRL_POPUP_NAMEENTRY);
    const auto* key = ParsedAs<EditCtrlElement>(items, ItemId::EDITCTRL_POPUP_SINGLEKEYENTRY);
    ASSERT_TRUE(name && key);
    EXPECT_EQ(name->variant, EditCtrlElement::Variant::Text);
    EXPECT_EQ(name->kind, ItemKind::EDITCTRL);
    EXPECT_EQ(name->maxLength, 31);
    EXPECT_EQ(key->variant, EditCtrlElement::Variant::SingleKeyWithModifiers);
    EXPECT_EQ(key->kind, ItemKind::EDITCTRLSK);

    const auto* keyButton = ParsedAs<KbdKeyElement>(items, ItemId::BUTTON_ASSNBUTTON4);
    ASSERT_NE(keyButton, nullptr);
    EXPECT_EQ(keyButton->keyName, u"a A");
    EXPECT_EQ(keyButton->text.caps, CapsMode::Upper);
    // Shared bitmaps fill the states the key does not name itself.
    EXPECT_EQ(keyButton->bitmaps.normal.file, u"strip.png");
    EXPECT_EQ(keyButton->bitmaps.over.file, u"down.png");
    // Keys live on the picture their list names (not yet a window here: no factory
    // builds one, so they fall back to the load's owner).
    EXPECT_EQ(keyButton->parentWindow, nullptr);

    const auto* progress = ParsedAs<ProgressPanelElement>(items, ItemId::PROG_PANEL_ITEM_POPUP);
    ASSERT_NE(progress, nullptr);
    ASSERT_TRUE(progress->fill.has_value());
    EXPECT_EQ(progress->fill->backColor, std::optional<COLORREF>(0));
    ASSERT_EQ(progress->texts.size(), 1u);
    EXPECT_EQ(progress->texts[0].id, ItemId::TEXT_PROGRESS_MESSAGE);
    EXPECT_EQ(progress->texts[0].font, items.FindById(ItemId::FONT_ZEMKOREG14));
    EXPECT_EQ(progress->texts[0].rect, (SkinRect{2, 2, 198, 18}));
}

} // namespace
