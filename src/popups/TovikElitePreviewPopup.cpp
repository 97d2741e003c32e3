// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/TovikElitePreviewPopup.h"

#include "controls/DPIStageWindow.h"
#include "controls/DropdownColorButton.h"
#include "controls/TextItem.h"
#include "popups/PreviewButtonText.h"
#include "settings/IMouseConfig.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/SkinLoader.h"

#include <algorithm>

namespace {

constexpr int kStageWindows = 6;

bool IsEarlierGeneration(int deviceCode)
{
    return deviceCode == 4 || deviceCode == 8;
}

// "<caption> : <On|Off>", both translated.
QString OnOffLine(std::u16string_view captionKey, bool on)
{
    return QString::fromStdU16String(TranslateText(captionKey) + u" : " + TranslateText(on ? u"$On" : u"$Off"));
}

} // namespace

std::u16string_view BrightnessLevelKey(unsigned percent)
{
    if (percent == 0)
        return u"$Off";
    if (percent <= 33)
        return u"$Dim";
    if (percent <= 66)
        return u"$Normal";
    return u"$Bright";
}

CTovikElitePreviewPopup::CTovikElitePreviewPopup(QWidget* parent, IMouseProfile* profile, IMouseConfig* config)
    : CPopupBox(PopupTemplate::Preview, u"PreviewPopup.xml", parent), profile_(profile), config_(config)
{
}

CTovikElitePreviewPopup::~CTovikElitePreviewPopup()
{
    // The generation items are children of this window: gone while it still exists.
    generationItems_.Clear();
}

std::u16string CTovikElitePreviewPopup::GenerationFile() const
{
    return IsEarlierGeneration(deviceCode_) ? u"PreviewPopup_MouseLegacy.xml" : u"PreviewPopup_MouseRefresh.xml";
}

bool CTovikElitePreviewPopup::OnInitDialog()
{
    if (!CPopupBox::OnInitDialog())
        return false;
    // Without its generation items the popup still shows the buttons and stages.
    LoadSkinFile(generationItems_, GenerationFile(), this, false);
    if (!profile_ || !config_)
        return true;
    FillButtonTexts();
    if (IsEarlierGeneration(deviceCode_))
        FillEarlierGenerationLights();
    else
        FillCurrentGenerationLights();
    FillStages();
    return true;
}

void CTovikElitePreviewPopup::FillButtonTexts()
{
    for (size_t line = 0; line < kPreviewButtons.size(); ++line) {
        const auto button = tMouseButton(kPreviewButtons[line]);
        buttonTexts_[line] = PreviewButtonText(config_->GetButtonAssignment(button, profile_), *config_);
        if (auto* text = Items().FindAs<CTextItem>(ItemId::TEXT_PREVIEW_01 + int(line)))
            text->SetPlainText(std::u16string_view(buttonTexts_[line]));
    }
}

void CTovikElitePreviewPopup::FillEarlierGenerationLights()
{
    if (auto* battery = generationItems_.FindAs<CTextItem>(ItemId::TEXT_BATTERY_ID_POPUP))
        battery->SetPlainText(OnOffLine(u"$BatteryIndicator", config_->GetLedState(LED_BATTERY_INDICATOR, profile_)));
    if (auto* wheel = generationItems_.FindAs<CTextItem>(ItemId::TEXT_SCROLLWHEEL_POPUP))
        wheel->SetPlainText(OnOffLine(u"$ScrollButton", config_->GetLedState(LED_SCROLL_WHEEL, profile_)));
    if (auto* dock = generationItems_.FindAs<CTextItem>(ItemId::TEXT_CHARGING_DOCK_POPUP)) {
        // Only the dock has the dock's light.
        if (deviceCode_ == 8)
            dock->SetPlainText(OnOffLine(u"$ChargingDock", config_->GetLedState(LED_CHARGING_DOCK, profile_)));
        dock->Show(deviceCode_ == 8 ? 1 : 0);
    }
}

void CTovikElitePreviewPopup::FillCurrentGenerationLights()
{
    const bool cycling = config_->GetLedEffect(LED_SCROLL_WHEEL, profile_) == LED_EFFECT_SPECTRUM_CYCLING;
    if (auto* effect = generationItems_.FindAs<CTextItem>(ItemId::TEXT_SPECTRUMCYCLING_POPUP))
        effect->SetPlainText(QString::fromStdU16String(TranslateText(cycling ? u"$SpectrumCycling" : u"$Color")));
    if (auto* brightness = generationItems_.FindAs<CTextItem>(ItemId::TEXT_BRIGHTNESS)) {
        const unsigned percent = config_->GetLedBrightness(LED_SCROLL_WHEEL, profile_);
        brightness->SetPlainText(QString::fromStdU16String(TranslateText(u"$Brightness") + u" : " +
                                                           TranslateText(BrightnessLevelKey(percent))));
    }
    if (auto* colour = generationItems_.FindAs<CDropdownColorButton>(ItemId::DROPDOWN_MOUSE_POPUP_COLOR)) {
        if (cycling)
            colour->Show(0);
        else
            colour->SetColour(config_->GetLedColour(LED_SCROLL_WHEEL, profile_));
        // A preview: the palette never opens.
        colour->SetInteractive(false);
    }
}

void CTovikElitePreviewPopup::FillStages()
{
    const unsigned count = config_->GetStageCount(profile_);
    const unsigned inUse = std::min(config_->GetStagesInUse(profile_), count);
    const int selected = config_->GetSelectedStage(profile_);
    for (int index = 0; index < kStageWindows; ++index) {
        auto* window = Items().FindAs<CDPIStageWindow>(ItemId::DPISTAGEWINDOW_01 + index);
        if (!window)
            continue;
        const unsigned stage = unsigned(index + 1);
        if (stage <= count) {
            window->SetValues(int(config_->GetStageDpi(stage, profile_)), int(config_->GetStageX(stage, profile_)),
                              int(config_->GetStageY(stage, profile_)));
            window->SetXYMode(config_->GetStageSeparate(stage, profile_));
            window->SetVisibleFlag(stage <= inUse);
            window->SetSelected(int(stage) == selected);
        }
        window->SetClickable(false);
        // A window of a stage the profile does not use (or does not have) would
        // show a value that means nothing.
        window->Show(stage <= inUse ? 1 : 0);
        window->update();
    }
}
