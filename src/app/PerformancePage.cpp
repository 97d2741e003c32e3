// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/PerformancePage.h"

#include "app/PerformanceStages.h"
#include "app/TovikEliteAppDlg.h"
#include "controls/BitmapBtn.h"
#include "controls/SliderHMulti.h"
#include "controls/TextItem.h"
#include "device/DeviceValues.h"
#include "popups/PopupSliders.h"
#include "popups/TovikEliteDPIStagesPopup.h"
#include "popups/TovikEliteSurfaceCalibrationPopup.h"
#include "settings/Generation.h"
#include "settings/IMouseConfig.h"
#include "skin/ItemIds.h"
#include "skin/TextFormat.h"

#include <algorithm>

namespace {

void ShowItem(CGUIItem* item, bool show)
{
    if (item)
        item->Show(show ? 1 : 0);
}

QString Number(int value)
{
    return QString::fromStdU16String(FormatText(u"%d", {value}));
}

int SliderMessageValue(WPARAM wParam)
{
    return int(int32_t(uint32_t(wParam)));
}

} // namespace

void CPerformancePage::Bind(CTovikEliteAppDlg& /*window*/)
{
    const CGUIItems& items = Items();
    separateBox_ = items.FindAs<CBitmapBtn>(ItemId::BUTTON_ENABLEXY);
    accelerationBox_ = items.FindAs<CBitmapBtn>(ItemId::BUTTON_ENABLEACCELERATION);
    dpiOsdBox_ = items.FindAs<CBitmapBtn>(ItemId::BUTTON_ENABLE_DPI_OSD);
    rateButtons_ = {items.FindAs<CBitmapBtn>(ItemId::BUTTON_RATE1), items.FindAs<CBitmapBtn>(ItemId::BUTTON_RATE2),
                    items.FindAs<CBitmapBtn>(ItemId::BUTTON_RATE3)};
    for (size_t i = 0; i < rateButtons_.size(); ++i)
        rateSkinCaptions_[i] = rateButtons_[i] ? rateButtons_[i]->Caption() : QString();
    combinedSlider_ = items.FindAs<CSliderHMulti>(ItemId::SLIDER_DPI_MULTI);
    xSlider_ = items.FindAs<CSliderHMulti>(ItemId::SLIDER_DPI_MULTI_X);
    ySlider_ = items.FindAs<CSliderHMulti>(ItemId::SLIDER_DPI_MULTI_Y);
    accelerationSlider_ = items.FindAs<CSliderHMulti>(ItemId::SLIDER_ID_ACCEL);
    accelerationShownSlider_ = items.FindAs<CSliderHMulti>(ItemId::SLIDER_ID_ACCELDISB);
    combinedTrack_ = items.FindById(ItemId::BITMAP_SLSENSTRK_XY);
    xTrack_ = items.FindById(ItemId::BITMAP_SLSENSTRK_X);
    yTrack_ = items.FindById(ItemId::BITMAP_SLSENSTRK_Y);
    accelerationTrack_ = items.FindById(ItemId::BITMAP_SLACCLTRK);
    accelerationOffTrack_ = items.FindById(ItemId::BITMAP_SLACCLTRKDISB);
    secondValueFrame_ = items.FindById(ItemId::BITMAP_SENSWINDOW2);
    value1Text_ = items.FindAs<CTextItem>(ItemId::TEXT_DPIVALUE1);
    value2Text_ = items.FindAs<CTextItem>(ItemId::TEXT_DPIVALUE2);
    dpiLabel_ = items.FindAs<CTextItem>(ItemId::TEXT_DPI1);
    separateNote_ = items.FindAs<CTextItem>(ItemId::TEXT_DPI2);
    headingX_ = items.FindAs<CTextItem>(ItemId::TEXT_HEADING_X);
    headingY_ = items.FindAs<CTextItem>(ItemId::TEXT_HEADING_Y);
}

bool CPerformancePage::IsShown(const CTovikEliteAppDlg& window) const
{
    return window.CurrentPage() == this;
}

void CPerformancePage::SetUp(CTovikEliteAppDlg& window, IMouseConfig& /*config*/)
{
    SetupPerformancePage(window);
    FillPerformancePage(window);
}

void CPerformancePage::OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig& /*config*/)
{
    Refresh(window);
}

void CPerformancePage::Refresh(CTovikEliteAppDlg& window)
{
    SetupPerformancePage(window);
    FillPerformancePage(window);
}

void CPerformancePage::OnShown(CTovikEliteAppDlg& window)
{
    FillPerformancePage(window);
}

void CPerformancePage::OnPageSwitched(CTovikEliteAppDlg& window, bool isShown)
{
    // Showing the page shows all its items: hide again what the settings hide.
    IMouseConfig* config = window.Config();
    if (!isShown || !config)
        return;
    ShowSeparateControls(config->GetCurrentSeparate());
    ShowAccelerationControls(config->GetAccelerationOn());
}

QString CPerformancePage::RateCaption(const IMouseConfig& config, int index, const QString& skinCaption)
{
    // The mouse lists the report intervals it supports, in milliseconds.
    const std::optional<uint32_t> interval = ReportIntervalFromRate(index);
    if (!interval || *interval == 0)
        return skinCaption;
    for (size_t i = 0; i < config.GetSupportedPollingRateCount(); ++i) {
        if (config.GetSupportedPollingRate(i) == interval)
            return Number(int(1000 / *interval)) + skinCaption;
    }
    return skinCaption;
}

void CPerformancePage::SetupPerformancePage(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    if (IsEarlierGenerationCode(window.GetDeviceCode())) {
        ApplyEarlierGenerationSensitivity(window);
    } else {
        unsigned min = 0, max = 0, step = 0;
        config->GetSensitivityRange(min, max, step);
        for (CSliderHMulti* slider : {combinedSlider_, xSlider_, ySlider_})
            SetSliderRange(slider, int(min), int(max), int(step));
        PutSliderOn(combinedSlider_, int(config->GetCurrentDpi()));
        PutSliderOn(xSlider_, int(config->GetCurrentX()));
        PutSliderOn(ySlider_, int(config->GetCurrentY()));
        RefreshNumbers(window);
    }

    if (accelerationBox_) {
        accelerationBox_->SetChecked(config->GetAccelerationOn());
        SetAcceleration(window, accelerationBox_->IsChecked());
    }
    for (CSliderHMulti* slider : {accelerationSlider_, accelerationShownSlider_}) {
        SetSliderRange(slider, int(config->GetAccelerationLevelMin()), int(config->GetAccelerationLevelMax()), 1);
        PutSliderOn(slider, int(config->GetAccelerationLevel()));
    }

    for (int i = 0; i < int(rateButtons_.size()); ++i) {
        CBitmapBtn* button = rateButtons_[size_t(i)];
        if (!button)
            continue;
        const QString caption = RateCaption(*config, i, rateSkinCaptions_[size_t(i)]);
        // A rate the mouse does not offer cannot be chosen.
        const bool supported = caption != rateSkinCaptions_[size_t(i)];
        button->SetCaption(caption.toStdU16String());
        button->setEnabled(supported);
    }
    HighlightRate(int(config->GetPollingRate()));
}

void CPerformancePage::FillPerformancePage(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    if (CMainWindowPage* buttons = window.Page(PageBit::ButtonAssignment))
        buttons->FillButtonMenus(window);
    if (separateBox_)
        separateBox_->SetChecked(config->GetCurrentSeparate());
    SetSeparate(window, config->GetCurrentSeparate());
    PutSliderOn(combinedSlider_, int(config->GetCurrentDpi()));
    PutSliderOn(xSlider_, int(config->GetCurrentX()));
    PutSliderOn(ySlider_, int(config->GetCurrentY()));
    RefreshNumbers(window);

    if (accelerationBox_)
        accelerationBox_->SetChecked(config->GetAccelerationOn());
    SetAcceleration(window, config->GetAccelerationOn());
    for (CSliderHMulti* slider : {accelerationSlider_, accelerationShownSlider_})
        PutSliderOn(slider, int(config->GetAccelerationLevel()));

    HighlightRate(int(config->GetPollingRate()));
    if (dpiOsdBox_)
        dpiOsdBox_->SetChecked(config->GetDpiOsd());
    if (CMainWindowPage* profiles = window.Page(PageBit::Profiles))
        profiles->FillProfileOptions(window);
    if (CMainWindowPage* lighting = window.Page(PageBit::Lighting))
        lighting->FillLightingPage(window);
}

void CPerformancePage::RefreshNumbers(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    const bool separate = config->GetCurrentSeparate();
    const int combined = SliderValueOr(combinedSlider_, int(config->GetCurrentDpi()));
    const int x = SliderValueOr(xSlider_, int(config->GetCurrentX()));
    const int y = SliderValueOr(ySlider_, int(config->GetCurrentY()));
    if (value1Text_)
        value1Text_->SetPlainText(Number(separate ? x : combined));
    if (value2Text_)
        value2Text_->SetPlainText(Number(y));
    if (IsEarlierGenerationCode(window.GetDeviceCode())) {
        config->SetCurrentDpi(unsigned(separate ? x : combined));
        config->SetCurrentX(unsigned(separate ? x : combined));
        config->SetCurrentY(unsigned(separate ? y : combined));
    }
}

void CPerformancePage::ShowSeparateControls(bool separate)
{
    for (CGUIItem* item : {static_cast<CGUIItem*>(xSlider_), static_cast<CGUIItem*>(ySlider_), xTrack_, yTrack_,
                           static_cast<CGUIItem*>(headingX_), static_cast<CGUIItem*>(headingY_), secondValueFrame_,
                           static_cast<CGUIItem*>(value2Text_), static_cast<CGUIItem*>(separateNote_)})
        ShowItem(item, separate);
    for (CGUIItem* item : {static_cast<CGUIItem*>(combinedSlider_), combinedTrack_, static_cast<CGUIItem*>(dpiLabel_)})
        ShowItem(item, !separate);
}

void CPerformancePage::SetSeparate(CTovikEliteAppDlg& window, bool separate)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    const bool changed = config->GetCurrentSeparate() != separate;
    if (changed)
        config->SetCurrentSeparate(separate);
    unsigned combined = config->GetCurrentDpi();
    unsigned x = config->GetCurrentX();
    unsigned y = config->GetCurrentY();
    if (IsShown(window))
        ShowSeparateControls(separate);
    if (changed) {
        // The value the user sees carries over to the other mode.
        if (separate)
            x = y = combined;
        else
            combined = x;
        config->SetCurrentDpi(combined);
        config->SetCurrentX(x);
        config->SetCurrentY(y);
    }
    PutSliderOn(combinedSlider_, int(combined));
    PutSliderOn(xSlider_, int(x));
    PutSliderOn(ySlider_, int(y));
    RefreshNumbers(window);
}

void CPerformancePage::ShowAccelerationControls(bool on)
{
    ShowItem(accelerationSlider_, on);
    ShowItem(accelerationTrack_, on);
    ShowItem(accelerationShownSlider_, !on);
    ShowItem(accelerationOffTrack_, !on);
}

void CPerformancePage::SetAcceleration(CTovikEliteAppDlg& window, bool on)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    const bool changed = config->GetAccelerationOn() != on;
    if (changed) {
        config->SetAccelerationOn(on);
        window.SetSettingsChanged();
    }
    if (IsShown(window))
        ShowAccelerationControls(on);
    if (changed)
        config->SetAccelerationLevel(unsigned(SliderValueOr(accelerationSlider_, int(config->GetAccelerationLevel()))));
    for (CSliderHMulti* slider : {accelerationSlider_, accelerationShownSlider_})
        PutSliderOn(slider, int(config->GetAccelerationLevel()));
    window.update();
}

void CPerformancePage::HighlightRate(int index)
{
    // A rate the mouse does not offer is never shown as chosen.
    for (int i = 0; i < int(rateButtons_.size()); ++i)
        if (CBitmapBtn* button = rateButtons_[size_t(i)]) {
            button->SetButtonRole(ButtonRole::RadioChoice);
            button->SetHighlighted(i == index && button->isEnabled());
        }
}

void CPerformancePage::OnRateClicked(CTovikEliteAppDlg& window, int index)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    config->SetPollingRate(tPollingRate(index));
    HighlightRate(index);
    if (CMainWindowPage* lighting = window.Page(PageBit::Lighting))
        lighting->UpdateBatteryEstimate(window);
    window.SetReenumerationGuard(true);
    window.SetSettingsChanged();
}

bool CPerformancePage::OnItemClick(CTovikEliteAppDlg& window, int itemId)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return false;
    switch (itemId) {
    case ItemId::BUTTON_ENABLEXY:
        SetSeparate(window, separateBox_ && separateBox_->IsChecked());
        window.SetSettingsChanged();
        return true;
    case ItemId::BUTTON_ENABLEACCELERATION:
        SetAcceleration(window, accelerationBox_ && accelerationBox_->IsChecked());
        window.SetSettingsChanged();
        return true;
    case ItemId::BUTTON_RATE1:
    case ItemId::BUTTON_RATE2:
    case ItemId::BUTTON_RATE3:
        OnRateClicked(window, itemId - ItemId::BUTTON_RATE1);
        return true;
    case ItemId::BUTTON_SENSITIVITY_STAGES:
        RunStagesPopup(window);
        return true;
    case ItemId::BUTTON_ENABLE_DPI_OSD:
        config->SetDpiOsd(dpiOsdBox_ && dpiOsdBox_->IsChecked());
        window.SetSettingsChanged();
        return true;
    case ItemId::BUTTON_SENSOR_SETTINGS:
        RunCalibrationPopup(window);
        return true;
    default:
        return false;
    }
}

std::optional<LRESULT> CPerformancePage::OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam,
                                                          LPARAM lParam)
{
    switch (msg) {
    case WM_SLIDER_CHANGING:
    case WM_SLIDER_RELEASED:
        switch (int(lParam)) {
        case ItemId::SLIDER_DPI_MULTI_STAGE1:
        case ItemId::SLIDER_DPI_MULTI_X_STAGE1:
        case ItemId::SLIDER_DPI_MULTI_Y_STAGE1:
        case ItemId::SLIDER_ACCEL_STAGE1:
            OnSlider(window, msg, wParam, lParam);
            return 0;
        default:
            return std::nullopt;
        }
    case WM_SLIDER_TRACK_CLICKED:
        switch (int(wParam)) {
        case ItemId::BITMAP_SLSENSTRK_Y:
        case ItemId::BITMAP_SLSENSTRK_X:
        case ItemId::BITMAP_SLSENSTRK_XY:
            RefreshNumbers(window);
            return 0;
        default:
            return std::nullopt;
        }
    default:
        return std::nullopt;
    }
}

void CPerformancePage::OnSlider(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam, LPARAM lParam)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    const int value = SliderMessageValue(wParam);
    switch (int(lParam)) {
    case ItemId::SLIDER_DPI_MULTI_STAGE1:
        PutSliderOn(combinedSlider_, value);
        config->SetCurrentDpi(unsigned(std::max(0, value)));
        break;
    case ItemId::SLIDER_DPI_MULTI_X_STAGE1:
        PutSliderOn(xSlider_, value);
        config->SetCurrentX(unsigned(std::max(0, value)));
        break;
    case ItemId::SLIDER_DPI_MULTI_Y_STAGE1:
        PutSliderOn(ySlider_, value);
        config->SetCurrentY(unsigned(std::max(0, value)));
        break;
    case ItemId::SLIDER_ACCEL_STAGE1:
        if (msg == WM_SLIDER_RELEASED)
            PutSliderOn(accelerationSlider_, value);
        config->SetAccelerationLevel(unsigned(std::max(0, value)));
        window.SetSettingsChanged();
        return;
    default:
        return;
    }
    window.SetSettingsChanged();
    RefreshNumbers(window);
}

void CPerformancePage::RunStagesPopup(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config || config->GetStageCount() == 0)
        return;
    StageSet stages = StageSetFromProfile(*config, IsCurrentGeneration());
    CTovikEliteDPIStagesPopup popup(CDPIStagesPopup::SkinFileForProduct(ProductIdOfDeviceCode(window.GetDeviceCode())),
                                    &window, stages);
    if (popup.DoModal() != IDOK)
        return;
    window.SetSettingsChanged();
    StoreStageSet(*config, stages);
    FillPerformancePage(window);
}

void CPerformancePage::RunCalibrationPopup(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    CalibrationSettings settings;
    settings.on = config->GetSurfaceCalibration();
    settings.automatic = config->GetAutomaticLiftOff();
    settings.liftOff = float(config->GetLiftOffRange()) / 10.0f;
    settings.step = 0.1f;
    const LiftOffRange range{config->GetLiftOffRangeMin(), config->GetLiftOffRangeMax()};
    CTovikEliteSurfaceCalibrationPopup popup(u"SensorCalibration_Popup.xml", &window, settings, range);
    if (popup.DoModal() != IDOK)
        return;
    // The popup returns a whole number of steps.
    config->SetLiftOffRange(unsigned(std::max(0.0f, settings.liftOff)));
    config->SetSurfaceCalibration(settings.on);
    config->SetAutomaticLiftOff(settings.automatic);
    window.SetSettingsChanged();
}

void CPerformancePage::ApplyEarlierGenerationSensitivity(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    unsigned min = 0, max = 0, step = 0;
    config->GetSensitivityRange(min, max, step);
    for (CSliderHMulti* slider : {combinedSlider_, xSlider_, ySlider_})
        SetSliderRange(slider, int(min), int(max), int(step));
    TakeSelectedStages(*config);
    PutSliderOn(combinedSlider_, int(config->GetCurrentDpi()));
    PutSliderOn(xSlider_, int(config->GetCurrentX()));
    PutSliderOn(ySlider_, int(config->GetCurrentY()));
    RefreshNumbers(window);
}

void CPerformancePage::TakeSelectedStages(IMouseConfig& config)
{
    IMouseProfile* active = config.GetCurrentProfile();
    for (size_t i = 0; i < config.GetProfileCount(); ++i) {
        IMouseProfile* profile = config.GetProfile(i);
        if (!profile || profile == active)
            continue;
        const unsigned stage = unsigned(std::max(1, config.GetSelectedStage(profile)));
        config.SetCurrentDpi(config.GetStageDpi(stage, profile), profile);
        config.SetCurrentX(config.GetStageX(stage, profile), profile);
        config.SetCurrentY(config.GetStageY(stage, profile), profile);
        config.SetCurrentSeparate(config.GetStageSeparate(stage, profile), profile);
    }
}
