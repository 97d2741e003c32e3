// SPDX-License-Identifier: GPL-3.0-or-later
// The profile preview on the default skin: the nine button lines with their
// details, the lights of either generation, and the sensitivity stages in use.
#include <gtest/gtest.h>

#include <QTest>

#include "ShippedSkinFixture.h"
#include "controls/ControlFactories.h"
#include "controls/DPIStageWindow.h"
#include "controls/DropdownColorButton.h"
#include "controls/TextItem.h"
#include "platform/ModalService.h"
#include "popups/PreviewButtonText.h"
#include "popups/TovikElitePreviewPopup.h"
#include "settings/Generation.h"
#include "settings/IMouseProfile.h"
#include "settings/Macro.h"
#include "settings/TovikEliteConfig.h"
#include "skin/AppPaths.h"
#include "skin/ControlRegistry.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/ResourceCache.h"
#include "skin/SkinLoader.h"
#include "skin/SkinTestSupport.h"

namespace {

class PreviewPopupTest : public ShippedSkinFixture {
protected:
    void SetUp() override
    {
        ShippedSkinFixture::SetUp();
        if (HasFatalFailure())
            return;
        SetCurrentGeneration(true);
        profile_ = config_.CreateProfile(u"Preview");
        ASSERT_NE(profile_, nullptr);
    }

    // Runs the preview for `deviceCode`; `check` looks at it while it is shown.
    void RunPreview(int deviceCode, const char* picture, const std::function<void(CTovikElitePreviewPopup&)>& check)
    {
        CTovikElitePreviewPopup popup(nullptr, profile_, &config_);
        popup.SetDeviceCode(deviceCode);
        ModalScript::EndNextRun(popup.RunName(), IDOK, [&](CSkinWindow&) {
            check(popup);
            if (picture)
                skintest::SaveScreenshot(popup, QString::fromLatin1(picture));
        });
        EXPECT_EQ(popup.DoModal(), IDOK);
    }

    static std::u16string Kind(int32_t kind)
    {
        const auto key = AssignmentKindTextKey(kind);
        return key ? TranslateText(std::u16string(key->begin(), key->end())) : std::u16string();
    }
    static QString TextOf(const CGUIItems& items, int id)
    {
        const auto* text = items.FindAs<CTextItem>(id);
        return text ? text->GetText() : QStringLiteral("<missing>");
    }

    CTovikEliteConfig config_;
    IMouseProfile* profile_ = nullptr;
};

TEST_F(PreviewPopupTest, ButtonLinesNameTheKindAndItsDetail)
{
    CMacro* macro = config_.CreateMacro(u"Reload");
    ASSERT_NE(macro, nullptr);
    macro->SetGuid(GUID::Generate());
    CMacro* longMacro = config_.CreateMacro(u"A macro with a rather long name");
    ASSERT_NE(longMacro, nullptr);
    IMouseProfile* other = config_.CreateProfile(u"Sniper");
    other->SetGuid(GUID::Generate());

    constexpr uint32_t kCtrl = 4, kAlt = 2, kShift = 8;
    struct Case {
        const char* what;
        AssignmentRecord record;
        std::u16string expected;
    };
    const Case cases[] = {
        {"a plain click has no detail", AssignmentRecord::OfKind(AssignmentKind::Click), Kind(1)},
        {"a key with Ctrl and Alt", MakeSingleKeyAssignment(0x1E, 'A', kCtrl | kAlt), Kind(5) + u": Ctrl+Alt+A"},
        {"modifiers alone", MakeSingleKeyAssignment(0, 0, kShift | kCtrl), Kind(5) + u": Shift+Ctrl"},
        {"the same sensitivity for X and Y", MakeTemporarySensitivityAssignment(800, 800, 800, false),
         Kind(21) + u": 800"},
        {"separate X and Y", MakeTemporarySensitivityAssignment(800, 800, 1200, true),
         CutPreviewText(Kind(21) + u": 800x, 1200y")},
        {"a macro by identity", MakeMacroAssignment(*macro), Kind(6) + u": Reload"},
        {"a macro by name", MakeMacroAssignment(*longMacro),
         CutPreviewText(Kind(7) + u": A macro with a rather long name")},
        {"a profile by identity", MakeProfileAssignment(u"ignored", other->GetGuid()), Kind(22) + u": Sniper"},
        {"a profile by name, any case", MakeProfileAssignment(u"SNIPER", GUID{}), Kind(23) + u": Sniper"},
        {"a profile that is gone", MakeProfileAssignment(u"Gone", GUID{}), Kind(23)},
        {"an unknown kind", AssignmentRecord::OfKind(200), u""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(PreviewButtonText(c.record, config_), c.expected);
        EXPECT_LE(PreviewButtonText(c.record, config_).size(), kPreviewMaxLength);
    }
    EXPECT_EQ(PreviewDetail(MakeTemporarySensitivityAssignment(800, 800, 1200, true), config_), u"800x, 1200y");
    // A 40-character line keeps its first 29 characters and ends in "...".
    const std::u16string forty(40, u'x');
    EXPECT_EQ(CutPreviewText(forty), std::u16string(29, u'x') + u"...");
    EXPECT_EQ(CutPreviewText(std::u16string(32, u'y')), std::u16string(32, u'y'));
}

TEST_F(PreviewPopupTest, CurrentGenerationShowsColourBrightnessAndTheStagesInUse)
{
    ASSERT_TRUE(config_.SetButtonAssignment(MOUSE_BUTTON_10, MakeSingleKeyAssignment(0x1E, 'A', 4 | 2), profile_));
    config_.SetStagesInUse(3, profile_);
    config_.SelectStage(2, profile_);
    config_.SetStageSeparate(3, true, profile_);
    config_.SetStageX(3, 1000, profile_);
    config_.SetStageY(3, 2000, profile_);
    config_.SetLedColour(LED_SCROLL_WHEEL, 0x00AA00, profile_);

    struct Case {
        unsigned brightness;
        const char16_t* word;
    };
    for (const Case& c : {Case{0, u"$Off"}, Case{33, u"$Dim"}, Case{34, u"$Normal"}, Case{67, u"$Bright"}}) {
        SCOPED_TRACE(c.brightness);
        config_.SetLedBrightness(LED_SCROLL_WHEEL, c.brightness, profile_);
        RunPreview(1, c.brightness == 34 ? "preview_current_generation" : nullptr, [&](CTovikElitePreviewPopup& popup) {
            EXPECT_EQ(popup.GenerationFile(), u"PreviewPopup_MouseRefresh.xml");
            for (int line = 0; line < 9; ++line)
                EXPECT_EQ(TextOf(popup.Items(), ItemId::TEXT_PREVIEW_01 + line),
                          QString::fromStdU16String(popup.ButtonTexts()[size_t(line)]));
            EXPECT_EQ(popup.ButtonTexts()[5], Kind(5) + u": Ctrl+Alt+A") << "line 6 is button 10";
            EXPECT_EQ(TextOf(popup.GenerationItems(), ItemId::TEXT_BRIGHTNESS),
                      QString::fromStdU16String(TranslateText(u"$Brightness") + u" : " + TranslateText(c.word)));
            EXPECT_EQ(TextOf(popup.GenerationItems(), ItemId::TEXT_SPECTRUMCYCLING_POPUP),
                      QString::fromStdU16String(TranslateText(u"$Color")));
            auto* colour = popup.GenerationItems().FindAs<CDropdownColorButton>(ItemId::DROPDOWN_MOUSE_POPUP_COLOR);
            ASSERT_NE(colour, nullptr);
            EXPECT_FALSE(colour->isHidden());
            EXPECT_EQ(colour->Colour(), 0x00AA00u);
            EXPECT_FALSE(colour->IsInteractive()) << "a preview cannot change the colour";

            // Stage 6 does not exist in a profile of five stages.
            for (int stage = 1; stage <= 6; ++stage) {
                SCOPED_TRACE(stage);
                auto* window = popup.Items().FindAs<CDPIStageWindow>(ItemId::DPISTAGEWINDOW_01 + stage - 1);
                ASSERT_NE(window, nullptr);
                EXPECT_EQ(window->isHidden(), stage > 3);
                EXPECT_EQ(window->IsSelected(), stage == 2);
                EXPECT_FALSE(window->IsClickable());
            }
            auto* third = popup.Items().FindAs<CDPIStageWindow>(ItemId::DPISTAGEWINDOW_03);
            EXPECT_TRUE(third->IsXYMode());
            EXPECT_EQ(third->XValue(), 1000);
            EXPECT_EQ(third->YValue(), 2000);
        });
    }

    config_.SetLedEffect(LED_SCROLL_WHEEL, LED_EFFECT_SPECTRUM_CYCLING, profile_);
    RunPreview(2, nullptr, [&](CTovikElitePreviewPopup& popup) {
        EXPECT_EQ(TextOf(popup.GenerationItems(), ItemId::TEXT_SPECTRUMCYCLING_POPUP),
                  QString::fromStdU16String(TranslateText(u"$SpectrumCycling")));
        auto* colour = popup.GenerationItems().FindAs<CDropdownColorButton>(ItemId::DROPDOWN_MOUSE_POPUP_COLOR);
        ASSERT_NE(colour, nullptr);
        EXPECT_TRUE(colour->isHidden());
    });
}

TEST_F(PreviewPopupTest, EarlierGenerationShowsItsLightsAndTheDockOnlyForTheDock)
{
    config_.SetLedState(LED_SCROLL_WHEEL, false, profile_);
    config_.SetLedState(LED_BATTERY_INDICATOR, true, profile_);
    config_.SetLedState(LED_CHARGING_DOCK, false, profile_);
    const QString on = QString::fromStdU16String(TranslateText(u"$On"));
    const QString off = QString::fromStdU16String(TranslateText(u"$Off"));
    for (int code : {4, 8}) {
        SCOPED_TRACE(code);
        RunPreview(code, code == 8 ? "preview_earlier_generation_dock" : nullptr, [&](CTovikElitePreviewPopup& popup) {
            EXPECT_EQ(popup.GenerationFile(), u"PreviewPopup_MouseLegacy.xml");
            const CGUIItems& items = popup.GenerationItems();
            EXPECT_EQ(TextOf(items, ItemId::TEXT_BATTERY_ID_POPUP),
                      QString::fromStdU16String(TranslateText(u"$BatteryIndicator")) + QStringLiteral(" : ") + on);
            EXPECT_EQ(TextOf(items, ItemId::TEXT_SCROLLWHEEL_POPUP),
                      QString::fromStdU16String(TranslateText(u"$ScrollButton")) + QStringLiteral(" : ") + off);
            auto* dock = items.FindAs<CTextItem>(ItemId::TEXT_CHARGING_DOCK_POPUP);
            ASSERT_NE(dock, nullptr);
            EXPECT_EQ(dock->isHidden(), code == 4);
            if (code == 8) {
                EXPECT_EQ(dock->GetText(),
                          QString::fromStdU16String(TranslateText(u"$ChargingDock")) + QStringLiteral(" : ") + off);
            }
            EXPECT_EQ(items.FindById(ItemId::DROPDOWN_MOUSE_POPUP_COLOR), nullptr);
        });
    }
}

} // namespace
