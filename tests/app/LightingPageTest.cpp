// SPDX-License-Identifier: GPL-3.0-or-later
// The lighting and power page in the real main window over the emulated device:
// settings changed through the page's controls, written with Apply, checked in the
// device image and in the server's call counters, read back by a second window.
#include "AppTestSupport.h"
#include "LightingPageInput.h"

#include "controls/BitmapBtn.h"
#include "controls/ColourPalette.h"
#include "controls/DropdownColorButton.h"
#include "controls/PHSlider.h"
#include "controls/SliderHMulti.h"
#include "controls/TextItem.h"
#include "settings/IMouseConfig.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"

#include <algorithm>
#include <array>
#include <map>

namespace {

using namespace lightinginput;

using Counts = std::map<std::string, uint64_t>;

QString Text(CTovikEliteAppDlg& window, int itemId)
{
    auto* text = dynamic_cast<CTextItem*>(Item(window, itemId));
    return text ? text->GetText() : QString();
}
bool Shown(CTovikEliteAppDlg& window, int itemId)
{
    CGUIItem* item = Item(window, itemId);
    return item && item->window && item->window->isVisibleTo(&window);
}
// Exactly the first of a pair is highlighted.
bool Chosen(CTovikEliteAppDlg& window, int chosen, int other)
{
    auto *a = dynamic_cast<CBitmapBtn*>(Item(window, chosen)), *b = dynamic_cast<CBitmapBtn*>(Item(window, other));
    return a && b && a->IsHighlighted() && !b->IsHighlighted();
}
// Device-changing calls since the counters were reset, less the identity every write sends.
Counts DeviceChanges()
{
    Counts changes;
    for (const auto& [name, count] : emulator::FaultInjection::CallCounts())
        for (const char* verb : {".Set", ".Turn", ".Create", ".Delete", ".Import"})
            if (name.find(verb) != std::string::npos && name != "Profile.SetName" && name != "Properties.Set")
                changes[name] = count;
    return changes;
}
emulator::LightImage Light(const emulator::DeviceImage& image, uint32_t number)
{
    for (const emulator::LightImage& light : image.profiles.at(0).lights)
        if (light.number == number)
            return light;
    ADD_FAILURE() << "no light " << number;
    return {};
}
bool WaitUntilIdle(CTovikEliteAppDlg& window)
{
    return WaitUntil([&] {
        return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
               !window.HasTimer(MainTimer::EndOfTransfer) && !window.Device()->IsBusy() && window.isEnabled();
    });
}
void OpenLighting(CTovikEliteAppDlg& window)
{
    ASSERT_TRUE(WaitUntilIdle(window));
    Click(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
}
void Apply(CTovikEliteAppDlg& window)
{
    emulator::FaultInjection::ResetCounters();
    Click(window, ItemId::BUTTON_APPLY);
    ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() == 1; }));
    ASSERT_TRUE(WaitUntilIdle(window));
}
void Picture(CTovikEliteAppDlg& window, const char* name)
{
    QDir().mkpath(QStringLiteral(ZT_TEST_SCREENSHOT_DIR));
    EXPECT_TRUE(window.grab().save(QStringLiteral(ZT_TEST_SCREENSHOT_DIR "/%1.png").arg(QLatin1String(name))));
}

using LightingPageTest = AppTest;

} // namespace

TEST_F(LightingPageTest, EveryLightingAndPowerSettingReachesTheDeviceAndNothingElseIsWritten)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        IMouseConfig& config = *window.Config();
        EXPECT_TRUE(Chosen(window, ItemId::SCROLL_LEDON, ItemId::SCROLL_LEDOFF));
        EXPECT_TRUE(Chosen(window, ItemId::TOVIKELITE_COLOR_ON, ItemId::SPECTRUM_CYCLING_ON));
        EXPECT_FALSE(Shown(window, ItemId::DOCK_LEDON));

        Click(window, ItemId::SCROLL_LEDOFF);
        Click(window, ItemId::BATTERY_ID_LEDOFF);
        EXPECT_TRUE(Chosen(window, ItemId::SCROLL_LEDOFF, ItemId::SCROLL_LEDON));
        EXPECT_TRUE(window.ApplyButton()->isEnabled());

        auto* colourBox = dynamic_cast<CDropdownColorButton*>(Item(window, ItemId::DROPDOWN_MOUSE_COLOR));
        EXPECT_EQ(colourBox->Colour(), 0xFF0000u);
        Click(window, ItemId::DROPDOWN_MOUSE_COLOR);
        const auto& colours = CColourPalette::Colours();
        const int green = int(std::find(colours.begin(), colours.end(), RGB(0, 255, 0)) - colours.begin());
        ASSERT_NE(colourBox->Palette(), nullptr);
        QTest::mouseClick(colourBox->Palette(), Qt::LeftButton, {}, colourBox->Palette()->CellRect(green).center());
        ASSERT_TRUE(WaitUntil([&] { return config.GetLedColour(LED_SCROLL_WHEEL) == RGB(0, 255, 0); }));

        // Spectrum cycling keeps the colour.
        Click(window, ItemId::SPECTRUM_CYCLING_ON);
        EXPECT_TRUE(Chosen(window, ItemId::SPECTRUM_CYCLING_ON, ItemId::TOVIKELITE_COLOR_ON));
        EXPECT_EQ(config.GetLedEffect(LED_SCROLL_WHEEL), LED_EFFECT_SPECTRUM_CYCLING);
        EXPECT_EQ(config.GetLedColour(LED_SCROLL_WHEEL), RGB(0, 255, 0));

        // The setting and the thumb's label follow a drag; letting go snaps the thumb.
        CPHSlider* led = Thumb(window, ItemId::SLIDER_LED_BRIGHTNESS);
        Drag(led, 20, false);
        EXPECT_EQ(config.GetLedBrightness(LED_SCROLL_WHEEL), 33u);
        EXPECT_EQ(led->TooltipText(), QStringLiteral("Dim"));
        Drag(led, 50);
        EXPECT_EQ(config.GetLedBrightness(LED_SCROLL_WHEEL), 66u);
        EXPECT_EQ(led->GetValue(), 62);
        EXPECT_EQ(led->TooltipText(), QStringLiteral("Normal"));

        Drag(Thumb(window, ItemId::SLIDER_POWER_BRIGHTNESS), 60);
        EXPECT_EQ(Thumb(window, ItemId::SLIDER_POWER_BRIGHTNESS)->GetValue(), 75);
        Drag(Thumb(window, ItemId::SLIDER_POWER_SLEEPTOIDLE), 5);
        Drag(Thumb(window, ItemId::SLIDER_POWER_FLASHSCROLL), 20);
        EXPECT_EQ(Text(window, ItemId::TEXT_REDUCEBRIGHTNESSHEADING), QStringLiteral("Reduce light brightness to Dim"));
        EXPECT_EQ(Text(window, ItemId::TEXT_SLEEPAFTERIDLEHEADING),
                  QStringLiteral("Enter sleep mode after idle for 5 mins"));
        EXPECT_EQ(Text(window, ItemId::TEXT_FLASHSCROLLWHEELHEADING),
                  QStringLiteral("Flash battery indicator below 20% battery"));

        Apply(window);
        EXPECT_EQ(DeviceChanges(), (Counts{{"Light.TurnOff", 2},
                                           {"Light.SetColour", 1},
                                           {"Light.SetBrightness", 1},
                                           {"Light.SetEffect", 1},
                                           {"Power.SetBatteryWarning", 1},
                                           {"Power.SetDimBrightness", 1},
                                           {"Power.SetSleepTimeout", 1}}));
    });
    emulator::DeviceImage image = Image(0x0031);
    EXPECT_FALSE(Light(image, 1).on);
    EXPECT_FALSE(Light(image, 3).on);
    EXPECT_EQ(Light(image, 1).colour, RGB(0, 255, 0));
    EXPECT_EQ(Light(image, 1).effect, 5u);
    EXPECT_EQ(Light(image, 1).brightness, 66u);
    EXPECT_EQ(image.dimBrightness, 75u);
    EXPECT_EQ(image.sleepTimeout, 300u);
    EXPECT_EQ(image.batteryWarning, 51u) << "20 % of the 0..255 battery scale";

    // A second window shows it all; the fixed colour comes back with the box's colour.
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        EXPECT_TRUE(Chosen(window, ItemId::BATTERY_ID_LEDOFF, ItemId::BATTERY_ID_LEDON));
        EXPECT_TRUE(Chosen(window, ItemId::SPECTRUM_CYCLING_ON, ItemId::TOVIKELITE_COLOR_ON));
        EXPECT_EQ(dynamic_cast<CDropdownColorButton*>(Item(window, ItemId::DROPDOWN_MOUSE_COLOR))->Colour(),
                  RGB(0, 255, 0));
        EXPECT_EQ(Thumb(window, ItemId::SLIDER_LED_BRIGHTNESS)->GetValue(), 62);
        // Each window's page shows its texts afresh, also for a level shown before.
        EXPECT_EQ(Text(window, ItemId::TEXT_REDUCEBRIGHTNESSHEADING), QStringLiteral("Reduce light brightness to Dim"));
        Picture(window, "lighting-current-generation");
        Click(window, ItemId::TOVIKELITE_COLOR_ON);
        Apply(window);
        EXPECT_EQ(DeviceChanges(), (Counts{{"Light.SetEffect", 1}}));
    });
    EXPECT_EQ(Light(Image(0x0031), 1).effect, 0u);
    EXPECT_EQ(Light(Image(0x0031), 1).colour, RGB(0, 255, 0));
}

// A stored value goes to the position of its level; letting go there stores the
// level's own value, which then stays put however often it is shown and released.
TEST_F(LightingPageTest, BrightnessesShowTheirLevelAndKeepTheirValueWhenReleasedInPlace)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        IMouseConfig& config = *window.Config();
        struct Case {
            int slider;
            unsigned stored;
            int shownAt; // 1 where 0 is asked: the sliders start at 1
            const char* label;
            unsigned kept;
        };
        const int led = ItemId::SLIDER_LED_BRIGHTNESS, reduced = ItemId::SLIDER_POWER_BRIGHTNESS;
        const Case cases[] = {
            {reduced, 0, 1, "Off", 0},          {reduced, 2, 75, "Dim", 75},  {reduced, 118, 158, "Normal", 158},
            {reduced, 208, 255, "Bright", 255}, {led, 15, 1, "Off", 0},       {led, 16, 29, "Dim", 33},
            {led, 47, 62, "Normal", 66},        {led, 83, 100, "Bright", 100}};
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "slider " << c.slider << ", stored " << c.stored);
            for (int round = 0; round < 2; ++round) {
                if (c.slider == led)
                    config.SetLedBrightness(LED_SCROLL_WHEEL, round == 0 ? c.stored : c.kept);
                else
                    config.SetReducedBrightness(round == 0 ? c.stored : c.kept);
                window.Page(PageBit::Lighting)->FillLightingPage(window);
                CPHSlider* thumb = Thumb(window, c.slider);
                EXPECT_EQ(thumb->GetValue(), c.shownAt);
                EXPECT_EQ(thumb->TooltipText(), QLatin1String(c.label));
                Drag(thumb, thumb->GetValue());
                EXPECT_EQ(c.slider == led ? config.GetLedBrightness(LED_SCROLL_WHEEL) : config.GetReducedBrightness(),
                          c.kept);
            }
        }
    });
}

TEST_F(LightingPageTest, TextsFollowTheSlidersThePollingRateAndThePageShown)
{
    Plug(0x0031);
    ChangeImage(0x0031, [](emulator::DeviceImage& image) { image.sleepTimeout = 90; });
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_FALSE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));
        OpenLighting(window);
        EXPECT_EQ(Text(window, ItemId::TEXT_SLEEPAFTERIDLEHEADING),
                  QStringLiteral("Enter sleep mode after idle for 1 min"));
        // The factory's reduced brightness is normal: the warning shows on this page only.
        EXPECT_TRUE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));
        Click(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        EXPECT_FALSE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));
        Click(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
        EXPECT_TRUE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));

        // Hours by polling-rate index (as the performance page sets it) and level.
        CPHSlider* reduced = Thumb(window, ItemId::SLIDER_POWER_BRIGHTNESS);
        const int hours[3][4] = {{14, 11, 10, 8}, {12, 10, 8, 7}, {11, 9, 8, 7}};
        for (int rate = 0; rate < 3; ++rate) {
            window.Config()->SetPollingRate(tPollingRate(rate));
            window.Page(PageBit::Lighting)->UpdateBatteryEstimate(window);
            for (int level = 0; level < 4; ++level) {
                SCOPED_TRACE(testing::Message() << "rate " << rate << ", level " << level);
                Drag(reduced, std::array{10, 100, 150, 240}[size_t(level)]);
                EXPECT_EQ(Text(window, ItemId::TEXT_BATTERYLIFEESTIMATE_HEADER),
                          QStringLiteral("Estimated battery life: up to %1 hours").arg(hours[rate][level]));
                EXPECT_EQ(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT), level >= 2);
            }
        }
        // A drag alone leaves the warning as it was; letting go decides.
        Drag(reduced, 10, false);
        EXPECT_TRUE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));
        Drag(reduced, 10);
        EXPECT_FALSE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));

        // Without a translation the page's own formats are used.
        CLangTable* language = CurrentLanguage();
        SetCurrentLanguage(nullptr);
        Drag(Thumb(window, ItemId::SLIDER_POWER_SLEEPTOIDLE), 2);
        Drag(Thumb(window, ItemId::SLIDER_POWER_FLASHSCROLL), 7);
        window.Page(PageBit::Lighting)->UpdateBatteryEstimate(window);
        const QStringList texts{Text(window, ItemId::TEXT_SLEEPAFTERIDLEHEADING),
                                Text(window, ItemId::TEXT_FLASHSCROLLWHEELHEADING),
                                Text(window, ItemId::TEXT_BATTERYLIFEESTIMATE_HEADER)};
        SetCurrentLanguage(language);
        EXPECT_EQ(texts, QStringList({QStringLiteral("Enter sleep mode after idle for 2 mins"),
                                      QStringLiteral("Flash battery indicator when battery level falls below 7%"),
                                      QStringLiteral("Estimated battery life : Up to 11 hours")}));
    });
}

TEST_F(LightingPageTest, TheEarlierGenerationHasNoColourControlsAndOnlyItsDockHasTheDockPair)
{
    const int colourItems[] = {ItemId::TOVIKELITE_COLOR_ON, ItemId::DROPDOWN_MOUSE_COLOR,
                               ItemId::SLIDER_LED_BRIGHTNESS};
    Plug(0x0013);
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        Click(window, ItemId::BUTTON_MANAGEPROFILES);
        Click(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
        EXPECT_TRUE(Chosen(window, ItemId::SCROLL_LEDON, ItemId::SCROLL_LEDOFF));
        for (int item : colourItems)
            EXPECT_FALSE(Shown(window, item)) << item;
        EXPECT_FALSE(Shown(window, ItemId::DOCK_LEDON));
        EXPECT_FALSE(Shown(window, ItemId::TEXT_CHARGING_DOCK));
        Picture(window, "lighting-earlier-generation-mouse");
    });

    Unplug(0x0013);
    Plug(0x001B);
    ChangeImage(0x001B, [](emulator::DeviceImage& image) {
        for (emulator::LightImage& light : image.profiles.at(0).lights)
            light.on = light.number != 12;
    });
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        EXPECT_TRUE(Shown(window, ItemId::TEXT_CHARGING_DOCK));
        EXPECT_TRUE(Chosen(window, ItemId::DOCK_LEDOFF, ItemId::DOCK_LEDON));
        for (int item : colourItems)
            EXPECT_FALSE(Shown(window, item)) << item;
        Picture(window, "lighting-earlier-generation-dock");
        Click(window, ItemId::DOCK_LEDON);
        Apply(window);
        EXPECT_EQ(DeviceChanges(), (Counts{{"Light.TurnOn", 1}}));

        // Another generation read in refills the page: the earlier mouse has no dock pair.
        ModalScript::EndNextRun("ChangeMousePopup.xml", IDCANCEL);
        window.PostDeviceChange(0x0013);
        ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::LegacyMouse; }));
        EXPECT_FALSE(Shown(window, ItemId::DOCK_LEDON));
        ModalScript::EndNextRun("ChangeMousePopup.xml", IDCANCEL);
        window.PostDeviceChange(0x0031);
        ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::EliteMouse; }));
        EXPECT_TRUE(Shown(window, ItemId::DROPDOWN_MOUSE_COLOR));
    });
    EXPECT_TRUE(Light(Image(0x001B), 12).on);
}
