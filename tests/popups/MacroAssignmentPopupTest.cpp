// SPDX-License-Identifier: GPL-3.0-or-later
// The macro choice: which name is selected, the play-mode radio buttons, the modes
// hidden for wheel directions, and the name handed back.
#include "PopupTestSupport.h"

#include "controls/BitmapBtn.h"
#include "controls/DropdownListItem.h"
#include "popups/TovikEliteMacroAssignmentPopup.h"
#include "skin/ItemIds.h"

using namespace popuptest;

namespace {

using MacroAssignmentTest = PopupTest;
using Popup = CTovikEliteMacroAssignmentPopup;

QWidget* OkButton(CPopupBox& popup)
{
    return popup.Items().FindById(ItemId::BUTTON_POPUP_OK, ItemKind::BUTTON)->window;
}

std::vector<bool> CheckedModes(const Popup& popup)
{
    std::vector<bool> checked;
    for (int mode = 1; mode <= 4; ++mode)
        checked.push_back(popup.ModeButton(mode) && popup.ModeButton(mode)->IsChecked());
    return checked;
}

TEST_F(MacroAssignmentTest, TheCurrentMacroAndModeAreShownAndOkHandsBackTheChoice)
{
    Popup popup(u"SelectMacro.xml", nullptr, {u"Reload", u"Sprint", u"Crouch"}, u"Sprint", 3, false);
    std::vector<bool> shown;
    QString box;
    const int result = Run<Popup>(popup, [&](Popup& p) {
        ASSERT_NE(p.List(), nullptr);
        shown = CheckedModes(p);
        box = p.List()->BoxText();
        skintest::SaveScreenshot(p, QStringLiteral("popup_select_macro"));
        // Another mode is a radio choice: only it is on afterwards.
        Click(p.ModeButton(2));
        EXPECT_EQ(CheckedModes(p), (std::vector<bool>{false, true, false, false}));
        p.List()->SetSelected(2);
        Click(OkButton(p));
    });
    EXPECT_EQ(shown, (std::vector<bool>{false, false, true, false}));
    EXPECT_EQ(box, QStringLiteral("Sprint"));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(popup.SelectedName(), u"Crouch");
    EXPECT_EQ(popup.PlayMode(), 2);
}

TEST_F(MacroAssignmentTest, NoMatchingNameSelectsTheFirstAndAStrangeModeCountsAsOnce)
{
    Popup popup(u"SelectMacro.xml", nullptr, {u"Reload", u"Sprint"}, u"Deleted macro", 9, false);
    std::vector<bool> shown;
    Run<Popup>(popup, [&](Popup& p) {
        EXPECT_EQ(p.List()->Selected(), 0);
        shown = CheckedModes(p);
        Click(OkButton(p));
    });
    EXPECT_EQ(shown, (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(popup.SelectedName(), u"Reload");
    EXPECT_EQ(popup.PlayMode(), 1);

    // Without any macro there is nothing to select; OK still answers with no name.
    Popup empty(u"SelectMacro.xml", nullptr, {}, u"", 2, false);
    Run<Popup>(empty, [](Popup& p) { Click(OkButton(p)); });
    EXPECT_EQ(empty.SelectedName(), u"");
    EXPECT_EQ(empty.PlayMode(), 2);
}

TEST_F(MacroAssignmentTest, WheelDirectionsHideTheLastTwoModesAndNeverGetThemBack)
{
    // The wheel's current assignment claims "while pressed": it cannot be shown, so
    // the popup falls back to once instead of answering a hidden mode.
    Popup popup(u"SelectMacro.xml", nullptr, {u"Reload"}, u"Reload", 3, true);
    std::vector<bool> visible;
    std::vector<bool> shown;
    Run<Popup>(popup, [&](Popup& p) {
        for (int mode = 1; mode <= 4; ++mode)
            visible.push_back(p.ModeButton(mode)->isVisible());
        shown = CheckedModes(p);
        skintest::SaveScreenshot(p, QStringLiteral("popup_select_macro_wheel"));
        Click(OkButton(p));
    });
    EXPECT_EQ(visible, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(shown, (std::vector<bool>{true, false, false, false}));
    EXPECT_EQ(popup.PlayMode(), 1);

    Popup button(u"SelectMacro.xml", nullptr, {u"Reload"}, u"Reload", 4, false);
    Run<Popup>(button, [&](Popup& p) {
        EXPECT_TRUE(p.ModeButton(4)->isVisible());
        Click(OkButton(p));
    });
    EXPECT_EQ(button.PlayMode(), 4);
}

TEST_F(MacroAssignmentTest, TheNameHandedBackIsTheCallersEvenWhenTheListShowsItOtherwise)
{
    // The list translates "$" texts and sorts when the skin says so; the answer must
    // still be the macro's own name.
    CLangTable german{0};
    german.AddPair(u"OK", u"Gut");
    SetCurrentLanguage(&german);
    Popup popup(u"SelectMacroSorted.xml", nullptr, {u"zeta", u"$OK", u"Alpha"}, u"$OK", 1, false);
    QString box;
    QString first;
    Run<Popup>(popup, [&](Popup& p) {
        box = p.List()->BoxText();
        first = p.List()->Entry(0);
        Click(OkButton(p));
    });
    EXPECT_EQ(box, QStringLiteral("Gut"));
    EXPECT_EQ(first, QStringLiteral("Alpha"));
    EXPECT_EQ(popup.SelectedName(), u"$OK");
    ResetLanguages();
}

} // namespace
