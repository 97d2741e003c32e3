// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/LightingPage.h"

#include "app/LightingLevels.h"
#include "app/TovikEliteAppDlg.h"
#include "controls/BitmapBtn.h"
#include "controls/DropdownColorButton.h"
#include "controls/PHSlider.h"
#include "controls/SliderHMulti.h"
#include "controls/TextItem.h"
#include "device/DeviceDescriptor.h"
#include "settings/IMouseConfig.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/TextFormat.h"

#include <algorithm>

namespace {

constexpr BrightnessTable kDeviceTable = CTovikEliteAppDlg::kBrightnessDeviceValues;
constexpr BrightnessTable kPercentTable = CTovikEliteAppDlg::kBrightnessPercentages;

struct SliderRange {
    int min;
    int max;
};
constexpr SliderRange kLedBrightnessRange{1, 100};
constexpr SliderRange kReducedBrightnessRange{1, 255};
constexpr SliderRange kSleepMinutesRange{1, 15};
constexpr SliderRange kFlashPercentRange{5, 25};

CPHSlider* FindThumb(const CGUIItems& items, int sliderId, int thumbId)
{
    if (auto* slider = items.FindAs<CSliderHMulti>(sliderId))
        return slider->ThumbById(thumbId);
    return nullptr;
}

void SetRange(CPHSlider* thumb, const SliderRange& range)
{
    if (thumb)
        thumb->SetRange(range.min, range.max, 1.0f, true);
}

void SetText(CTextItem* text, const QString& line)
{
    if (text)
        text->SetPlainText(line);
}

} // namespace

void CLightingPage::Bind(CTovikEliteAppDlg& window)
{
    const CGUIItems& items = Items();
    scrollWheel_ = {items.FindAs<CBitmapBtn>(ItemId::SCROLL_LEDON), items.FindAs<CBitmapBtn>(ItemId::SCROLL_LEDOFF)};
    batteryIndicator_ = {items.FindAs<CBitmapBtn>(ItemId::BATTERY_ID_LEDON),
                         items.FindAs<CBitmapBtn>(ItemId::BATTERY_ID_LEDOFF)};
    reducedBrightness_ =
        FindThumb(items, ItemId::SLIDER_POWER_BRIGHTNESS, ItemId::SLIDER_POWER_REDUCE_BRIGHTNESS_STAGE);
    sleep_ = FindThumb(items, ItemId::SLIDER_POWER_SLEEPTOIDLE, ItemId::SLIDER_POWER_IDLE_TO_SLEEP_STAGE);
    flash_ = FindThumb(items, ItemId::SLIDER_POWER_FLASHSCROLL, ItemId::SLIDER_POWER_FLASH_WARNING_STAGE);
    brightnessText_ = items.FindAs<CTextItem>(ItemId::TEXT_REDUCEBRIGHTNESSHEADING);
    sleepText_ = items.FindAs<CTextItem>(ItemId::TEXT_SLEEPAFTERIDLEHEADING);
    flashText_ = items.FindAs<CTextItem>(ItemId::TEXT_FLASHSCROLLWHEELHEADING);
    estimateText_ = items.FindAs<CTextItem>(ItemId::TEXT_BATTERYLIFEESTIMATE_HEADER);
    warningText_ = items.FindAs<CTextItem>(ItemId::TEXT_BATTERY_WARNING_TEXT);
    powerNote_ = items.FindAs<CTextItem>(ItemId::TEXT_WIRELESSMODEHEADING);
    if (powerNote_)
        powerNoteSkinText_ = powerNote_->GetText();

    const CGUIItems& current = window.LightingItemsCurrentGeneration();
    fixedColour_ = current.FindAs<CBitmapBtn>(ItemId::TOVIKELITE_COLOR_ON);
    spectrumCycling_ = current.FindAs<CBitmapBtn>(ItemId::SPECTRUM_CYCLING_ON);
    colour_ = current.FindAs<CDropdownColorButton>(ItemId::DROPDOWN_MOUSE_COLOR);
    ledBrightness_ = FindThumb(current, ItemId::SLIDER_LED_BRIGHTNESS, ItemId::SLIDER_LED_BRIGHTNESS_STAGE);
    if (colour_)
        colour_->SetNotifyOwner(&window);

    const CGUIItems& earlier = window.LightingItemsEarlierGeneration();
    dock_ = {earlier.FindAs<CBitmapBtn>(ItemId::DOCK_LEDON), earlier.FindAs<CBitmapBtn>(ItemId::DOCK_LEDOFF)};

    SetSliderRanges();

    // Until the first read the warning stays hidden.
    UpdateBatteryWarning(false);
}

void CLightingPage::SetUp(CTovikEliteAppDlg& window, IMouseConfig& /*config*/)
{
    FillLightingPage(window);
    UpdateBrightnessText(window);
    UpdateSleepText(window);
    UpdateFlashText(window);
}

void CLightingPage::SetSliderRanges()
{
    SetRange(ledBrightness_, kLedBrightnessRange);
    SetRange(reducedBrightness_, kReducedBrightnessRange);
    SetRange(sleep_, kSleepMinutesRange);
    SetRange(flash_, kFlashPercentRange);
}

void CLightingPage::OnShown(CTovikEliteAppDlg& window)
{
    FillAll(window, true);
}

void CLightingPage::OnPageSwitched(CTovikEliteAppDlg& window, bool isShown)
{
    UpdateBatteryWarning(isShown);
    ShowDockPair(window, isShown);
    ShowPowerSection(window, isShown);
}

bool CLightingPage::HasPowerSettings(const CTovikEliteAppDlg& window)
{
    // Before a device is known the section shows as the skin draws it.
    const DeviceDescriptor* device = FindSupportedDevice(ProductIdOfDeviceCode(window.GetDeviceCode()));
    return !device || device->Has(Feature::Power);
}

void CLightingPage::ShowPowerSection(CTovikEliteAppDlg& window, bool pageShown)
{
    // A mouse without power settings has none to show: sliders at values it never
    // had would only mislead.
    const bool hasPower = HasPowerSettings(window);
    // The section's note says why it is empty.
    if (powerNote_)
        powerNote_->SetPlainText(hasPower ? powerNoteSkinText_
                                          : QString::fromStdU16String(TranslateText(u"$Nopowersettings")));
    if (!pageShown || hasPower)
        return;
    static constexpr int kPowerItems[] = {ItemId::BITMAP_SLWIRELESS_BRIGHTNESS,
                                          ItemId::BITMAP_SLWIRELESS_SLEEP,
                                          ItemId::BITMAP_SLWIRELESS_FLASH_SCROLLWHEEL,
                                          ItemId::SLIDER_POWER_BRIGHTNESS,
                                          ItemId::SLIDER_POWER_SLEEPTOIDLE,
                                          ItemId::SLIDER_POWER_FLASHSCROLL,
                                          ItemId::TEXT_REDUCEBRIGHTNESSHEADING,
                                          ItemId::TEXT_REDUCE_BRIGHTNESS_OFF,
                                          ItemId::TEXT_REDUCE_BRIGHTNESS_DIM,
                                          ItemId::TEXT_REDUCE_BRIGHTNESS_NORMAL,
                                          ItemId::TEXT_REDUCE_BRIGHTNESS_BRIGHT,
                                          ItemId::TEXT_SLEEPAFTERIDLEHEADING,
                                          ItemId::TEXT_FLASHSCROLLWHEELHEADING,
                                          ItemId::TEXT_BATTERYLIFEESTIMATE_HEADER,
                                          ItemId::TEXT_BATTERY_WARNING_TEXT};
    for (int id : kPowerItems)
        if (CGUIItem* item = Items().FindById(id))
            item->Show(0);
}

void CLightingPage::OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig& /*config*/)
{
    FillAll(window, window.CurrentPage() == this);
}

void CLightingPage::Refresh(CTovikEliteAppDlg& window)
{
    FillAll(window, window.CurrentPage() == this);
}

void CLightingPage::FillAll(CTovikEliteAppDlg& window, bool pageShown)
{
    FillLightingPage(window);
    UpdateBrightnessText(window);
    UpdateSleepText(window);
    UpdateFlashText(window);
    UpdateBatteryEstimate(window);
    UpdateBatteryWarning(pageShown);
    ShowDockPair(window, pageShown);
    ShowPowerSection(window, pageShown);
}

void CLightingPage::ShowDockPair(CTovikEliteAppDlg& window, bool pageShown)
{
    // The window shows the earlier generation's items for its mouse and its dock
    // alike; they hold nothing but the dock's light.
    if (!pageShown || window.GetDeviceCode() != DeviceCode::LegacyDock)
        window.LightingItemsEarlierGeneration().ShowAll(0);
}

void CLightingPage::Highlight(const LedPair& pair, bool on)
{
    for (CBitmapBtn* choice : {pair.on, pair.off})
        if (choice)
            choice->SetButtonRole(ButtonRole::RadioChoice);
    if (pair.on)
        pair.on->SetHighlighted(on);
    if (pair.off)
        pair.off->SetHighlighted(!on);
}

void CLightingPage::Label(CPHSlider* thumb, int level)
{
    if (thumb)
        thumb->SetTooltipLabel(QString::fromStdU16String(TranslateText(LevelNameKey(level))));
}

int CLightingPage::SliderValue(const CPHSlider* thumb, int fallback)
{
    return thumb ? thumb->GetValue() : fallback;
}

int CLightingPage::ReducedBrightnessLevel() const
{
    return LevelIn(kDeviceTable, SliderValue(reducedBrightness_, 0));
}

void CLightingPage::FillLightingPage(CTovikEliteAppDlg& window)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    const int deviceCode = window.GetDeviceCode();
    Highlight(scrollWheel_, config->GetLedState(LED_SCROLL_WHEEL));
    Highlight(batteryIndicator_, config->GetLedState(LED_BATTERY_INDICATOR));
    if (deviceCode == DeviceCode::LegacyDock)
        Highlight(dock_, config->GetLedState(LED_CHARGING_DOCK));
    if (IsEarlierGenerationCode(deviceCode))
        return;

    if (colour_)
        colour_->SetColour(config->GetLedColour(LED_SCROLL_WHEEL));
    const int ledPosition = LedBrightnessPosition(int(config->GetLedBrightness(LED_SCROLL_WHEEL)));
    if (ledBrightness_)
        ledBrightness_->SetValue(ledPosition);
    Label(ledBrightness_, LevelIn(kPercentTable, ledPosition));

    const bool cycling = config->GetLedEffect(LED_SCROLL_WHEEL) == LED_EFFECT_SPECTRUM_CYCLING;
    if (spectrumCycling_)
        spectrumCycling_->SetHighlighted(cycling);
    if (fixedColour_)
        fixedColour_->SetHighlighted(!cycling);

    const unsigned stored = std::min(config->GetReducedBrightness(), 255u);
    const int reducedPosition = ReducedBrightnessPlacement(int(stored));
    if (reducedBrightness_)
        reducedBrightness_->SetValue(reducedPosition);
    Label(reducedBrightness_, LevelIn(kDeviceTable, reducedPosition));

    if (sleep_)
        sleep_->SetValue(int(std::min(config->GetIdleTimeBeforeSleep() / 60u, 0x7FFFu)));
    if (flash_)
        flash_->SetValue(int(std::min(config->GetBatteryWarningLevel(), 0x7FFFu)));
}

void CLightingPage::SetLed(CTovikEliteAppDlg& window, const LedPair& pair, tLEDType led, bool on)
{
    Highlight(pair, on);
    if (IMouseConfig* config = window.Config())
        config->SetLedState(led, on);
    window.SetSettingsChanged();
}

void CLightingPage::ChooseEffect(CTovikEliteAppDlg& window, bool spectrumCycling)
{
    if (fixedColour_)
        fixedColour_->SetHighlighted(!spectrumCycling);
    if (spectrumCycling_)
        spectrumCycling_->SetHighlighted(spectrumCycling);
    if (IMouseConfig* config = window.Config()) {
        if (spectrumCycling) {
            // The colour stays as it was, for when the fixed colour comes back.
            config->SetLedEffect(LED_SCROLL_WHEEL, LED_EFFECT_SPECTRUM_CYCLING);
        } else {
            if (colour_)
                config->SetLedColour(LED_SCROLL_WHEEL, colour_->Colour());
            config->SetLedEffect(LED_SCROLL_WHEEL, LED_EFFECT_FIXED_COLOUR);
        }
    }
    window.SetSettingsChanged();
}

bool CLightingPage::OnItemClick(CTovikEliteAppDlg& window, int itemId)
{
    switch (itemId) {
    case ItemId::SCROLL_LEDON:
    case ItemId::SCROLL_LEDOFF:
        SetLed(window, scrollWheel_, LED_SCROLL_WHEEL, itemId == ItemId::SCROLL_LEDON);
        return true;
    case ItemId::BATTERY_ID_LEDON:
    case ItemId::BATTERY_ID_LEDOFF:
        SetLed(window, batteryIndicator_, LED_BATTERY_INDICATOR, itemId == ItemId::BATTERY_ID_LEDON);
        return true;
    case ItemId::DOCK_LEDON:
    case ItemId::DOCK_LEDOFF:
        SetLed(window, dock_, LED_CHARGING_DOCK, itemId == ItemId::DOCK_LEDON);
        return true;
    case ItemId::TOVIKELITE_COLOR_ON:
        ChooseEffect(window, false);
        return true;
    case ItemId::SPECTRUM_CYCLING_ON:
        ChooseEffect(window, true);
        return true;
    default:
        return false;
    }
}

std::optional<LRESULT> CLightingPage::OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam,
                                                       LPARAM lParam)
{
    switch (msg) {
    case WM_COLOUR_CHANGED:
        // The same number reaches the window from the single-key field, with its
        // window handle; only the colour drop-down names itself by its item number.
        if (lParam != ItemId::DROPDOWN_MOUSE_COLOR)
            return std::nullopt;
        if (IMouseConfig* config = window.Config())
            config->SetLedColour(LED_SCROLL_WHEEL, uint32_t(wParam));
        UpdateBatteryEstimate(window);
        window.SetSettingsChanged();
        return 0;
    case WM_SLIDER_RELEASED:
    case WM_SLIDER_CHANGING:
        switch (lParam) {
        case ItemId::SLIDER_LED_BRIGHTNESS_STAGE:
        case ItemId::SLIDER_POWER_REDUCE_BRIGHTNESS_STAGE:
        case ItemId::SLIDER_POWER_IDLE_TO_SLEEP_STAGE:
        case ItemId::SLIDER_POWER_FLASH_WARNING_STAGE:
            OnSlider(window, msg == WM_SLIDER_RELEASED, int(lParam), int(LONG(wParam)));
            return 0;
        default:
            return std::nullopt;
        }
    default:
        return std::nullopt;
    }
}

void CLightingPage::OnSlider(CTovikEliteAppDlg& window, bool released, int thumbId, int value)
{
    IMouseConfig* config = window.Config();
    if (!config)
        return;
    switch (thumbId) {
    case ItemId::SLIDER_LED_BRIGHTNESS_STAGE: {
        value = std::clamp(value, 0, kLedBrightnessRange.max);
        if (released) {
            value = LedBrightnessPosition(value);
            if (ledBrightness_)
                ledBrightness_->SetValue(value);
        }
        const int level = LevelIn(kPercentTable, value);
        // The label follows the thumb while it moves too, so it never names a
        // level the thumb has left.
        Label(ledBrightness_, level);
        config->SetLedBrightness(LED_SCROLL_WHEEL, LedBrightnessOfLevel(level));
        break;
    }
    case ItemId::SLIDER_POWER_REDUCE_BRIGHTNESS_STAGE: {
        value = std::clamp(value, 0, kReducedBrightnessRange.max);
        if (released) {
            value = ReducedBrightnessSnap(value);
            if (reducedBrightness_)
                reducedBrightness_->SetValue(value);
            UpdateBatteryWarning(window.CurrentPage() == this);
        }
        const int level = LevelIn(kDeviceTable, value);
        Label(reducedBrightness_, level);
        config->SetReducedBrightness(ReducedBrightnessOfLevel(level));
        UpdateBrightnessText(window);
        break;
    }
    case ItemId::SLIDER_POWER_IDLE_TO_SLEEP_STAGE:
        value = std::clamp(value, kSleepMinutesRange.min, kSleepMinutesRange.max);
        config->SetIdleTimeBeforeSleep(unsigned(value) * 60u);
        if (sleep_)
            sleep_->SetValue(value);
        UpdateSleepText(window);
        break;
    case ItemId::SLIDER_POWER_FLASH_WARNING_STAGE:
        value = std::clamp(value, kFlashPercentRange.min, kFlashPercentRange.max);
        config->SetBatteryWarningLevel(unsigned(value));
        UpdateFlashText(window);
        break;
    default:
        return;
    }
    window.SetSettingsChanged();
}

void CLightingPage::UpdateBrightnessText(CTovikEliteAppDlg& window)
{
    const int level = ReducedBrightnessLevel();
    if (shownBrightnessLevel_ == level)
        return;
    const std::u16string levelName = TranslateText(LevelNameKey(level));
    SetText(brightnessText_,
            FormatTranslatedQ(u"$Reducelightbrightnessto??", u"Reduce light brightness to %s", {levelName}));
    shownBrightnessLevel_ = level;
    UpdateBatteryEstimate(window);
}

void CLightingPage::UpdateSleepText(CTovikEliteAppDlg& /*window*/)
{
    const int minutes = SliderValue(sleep_, kSleepMinutesRange.min);
    if (minutes < 2) {
        SetText(sleepText_, FormatTranslatedQ(u"$Entersleepmodeafteridlefor??min",
                                              u"Enter sleep mode after idle for %i min", {minutes}));
    } else {
        SetText(sleepText_, FormatTranslatedQ(u"$Entersleepmodeafteridlefor??mins",
                                              u"Enter sleep mode after idle for %i mins", {minutes}));
    }
}

void CLightingPage::UpdateFlashText(CTovikEliteAppDlg& /*window*/)
{
    SetText(flashText_, FormatTranslatedQ(u"$Flashbatteryindicatorwhenbatterylevelfallsbelow??",
                                          u"Flash battery indicator when battery level falls below %i%%",
                                          {SliderValue(flash_, kFlashPercentRange.min)}));
}

void CLightingPage::UpdateBatteryEstimate(CTovikEliteAppDlg& window)
{
    const int pollingRate = window.Config() ? int(window.Config()->GetPollingRate()) : -1;
    const int hours = EstimatedBatteryHours(pollingRate, ReducedBrightnessLevel());
    if (hours < 2) {
        SetText(estimateText_, FormatTranslatedQ(u"$Estimatedbatterylife:Upto??hour",
                                                 u"Estimated battery life : Up to %i hour", {hours}));
    } else {
        SetText(estimateText_, FormatTranslatedQ(u"$Estimatedbatterylife:Upto??hours",
                                                 u"Estimated battery life : Up to %i hours", {hours}));
    }
}

void CLightingPage::UpdateBatteryWarning(bool pageShown)
{
    if (warningText_)
        warningText_->Show(pageShown && ReducedBrightnessLevel() >= LightingLevel::Normal ? 1 : 0);
}
