// SPDX-License-Identifier: GPL-3.0-or-later
// Every popup on its skin file of the default skin: the items it needs are there,
// of the right kinds, and OK answers. Each is also saved as a picture.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTest>

#include "ShippedSkinFixture.h"
#include "controls/BitmapBtn.h"
#include "controls/ControlFactories.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/EditItemSingleKey.h"
#include "controls/TextItem.h"
#include "platform/ModalService.h"
#include "popups/TovikEliteMacroAssignmentPopup.h"
#include "popups/TovikEliteNumEntryPopup.h"
#include "popups/TovikElitePopupBoxSingleKeyEntry.h"
#include "popups/TovikEliteWarningDlg.h"
#include "popups/VorlaNameEntryPopup.h"
#include "skin/AppPaths.h"
#include "skin/ControlRegistry.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/ResourceCache.h"
#include "skin/SkinLoader.h"
#include "skin/SkinTestSupport.h"

namespace {

class ShippedSkinTest : public ShippedSkinFixture {
protected:
    // Runs the popup, checks it with `check` while shown, saves its picture and
    // presses its OK button. Returns the result.
    template <class Popup>
    int RunAndConfirm(Popup& popup, const char* picture, std::function<void(Popup&)> check)
    {
        ModalScript::EndNextRun(popup.RunName(), 99, [&popup, picture, check](CSkinWindow&) {
            check(popup);
            skintest::SaveScreenshot(popup, QString::fromLatin1(picture));
            CGUIItem* ok = popup.Items().FindById(ItemId::BUTTON_POPUP_OK, ItemKind::BUTTON);
            ASSERT_NE(ok, nullptr);
            QTest::mouseClick(ok->window, Qt::LeftButton, Qt::NoModifier, ok->window->rect().center());
        });
        return popup.DoModal();
    }
};

TEST_F(ShippedSkinTest, WarningsAndNameAndNumberEntries)
{
    CTovikEliteWarningDlg restore(u"RestorePopup.xml", nullptr);
    restore.SetMessage(u"Restore Defaults : Profile 1");
    EXPECT_EQ(RunAndConfirm<CTovikEliteWarningDlg>(restore, "shipped_restore",
                                                   [](auto& p) {
                                                       ASSERT_NE(p.Heading(), nullptr);
                                                       EXPECT_EQ(p.Heading()->GetText(),
                                                                 QStringLiteral("Restore Defaults : Profile 1"));
                                                   }),
              IDOK);

    std::u16string name = u"Profile 1";
    CVorlaNameEntryPopup rename(u"ProfileRenamePopup.xml", nullptr, name);
    EXPECT_EQ(RunAndConfirm<CVorlaNameEntryPopup>(rename, "shipped_profile_rename",
                                                  [](auto& p) {
                                                      ASSERT_NE(p.NameField(), nullptr);
                                                      ASSERT_NE(p.Heading(), nullptr);
                                                      QTest::keyClicks(p.NameField()->Edit(), QStringLiteral("Sniper"));
                                                  }),
              IDOK);
    EXPECT_EQ(name, u"Sniper");

    int count = 0;
    CTovikEliteNumEntryPopup repeat(u"MacroRepeatEntryPopup.xml", nullptr, count);
    EXPECT_EQ(RunAndConfirm<CTovikEliteNumEntryPopup>(repeat, "shipped_macro_repeat",
                                                      [](auto& p) {
                                                          ASSERT_NE(p.NumberField(), nullptr);
                                                          QTest::keyClicks(p.NumberField()->Edit(),
                                                                           QStringLiteral("12"));
                                                      }),
              IDOK);
    EXPECT_EQ(count, 12);
}

TEST_F(ShippedSkinTest, MacroChoiceAndKeyEntries)
{
    CTovikEliteMacroAssignmentPopup macro(u"SelectMacroPopup.xml", nullptr, {u"Reload", u"Sprint"}, u"Sprint", 2,
                                          false);
    EXPECT_EQ(RunAndConfirm<CTovikEliteMacroAssignmentPopup>(macro, "shipped_select_macro",
                                                             [](auto& p) {
                                                                 ASSERT_NE(p.List(), nullptr);
                                                                 for (int mode = 1; mode <= 4; ++mode)
                                                                     EXPECT_NE(p.ModeButton(mode), nullptr);
                                                             }),
              IDOK);
    EXPECT_EQ(macro.SelectedName(), u"Sprint");
    EXPECT_EQ(macro.PlayMode(), 2);

    SingleKeyRecord assigned{u"A", 0x41, 0x1E, SingleKeyRecord::kCtrl};
    CTovikElitePopupBoxSingleKeyEntry key(u"SingleKeyPopup.xml", nullptr, assigned);
    EXPECT_EQ(RunAndConfirm<CTovikElitePopupBoxSingleKeyEntry>(
                  key, "shipped_single_key", [](auto& p) { EXPECT_NE(p.ModifierKeyField(), nullptr); }),
              IDOK);

    SingleKeyRecord step{u"B", 0x42, 0x30, SingleKeyRecord::kShift};
    CTovikElitePopupBoxMacroSingleKeyEntry edit(u"EditSingleKeyPopup.xml", nullptr, step);
    EXPECT_EQ(RunAndConfirm<CTovikElitePopupBoxMacroSingleKeyEntry>(edit, "shipped_edit_single_key",
                                                                    [](auto& p) {
                                                                        ASSERT_NE(p.KeyField(), nullptr);
                                                                        ASSERT_NE(p.ShiftBox(), nullptr);
                                                                        EXPECT_TRUE(p.ShiftBox()->IsChecked());
                                                                        EXPECT_NE(p.CtrlBox(), nullptr);
                                                                        EXPECT_NE(p.AltBox(), nullptr);
                                                                    }),
              IDOK);
    EXPECT_EQ(step, (SingleKeyRecord{u"B", 0x42, 0x30, SingleKeyRecord::kShift}));
}

} // namespace
