// The lighting and power page in the real main window against the emulated device
// server: every setting is changed through the page's own controls, written with
// Apply, checked in the device image (and in the server's call counters, so that
// only lighting and power were sent) and read back by a second window.
#include "AppTestSupport.h"

#include "controls/BitmapBtn.h"
#include "controls/ColourPalette.h"
#include "controls/DropdownColorButton.h"
#include "controls/PHSlider.h"
#include "controls/SliderHMulti.h"
#include "controls/TextItem.h"
#include "settings/IMouseConfig.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"

#include <QImage>
#include <algorithm>
#include <map>

namespace {

using Counts = std::map<std::string, uint64_t>;

template <class T>
T* Find(CTovikEliteAppDlg& window, int itemId)
{
    for (const CGUIItems* items : {&window.Page(PageBit::Lighting)->Items(), &window.LightingItemsCurrentGeneration(),
                                   &window.LightingItemsEarlierGeneration()}) {
        if (T* found = items->FindAs<T>(itemId))
            return found;
    }
    return nullptr;
}

CPHSlider* Thumb(CTovikEliteAppDlg& window, int sliderId)
{
    auto* slider = Find<CSliderHMulti>(window, sliderId);
    return slider ? slider->Thumb(0) : nullptr;
}

QString Text(CTovikEliteAppDlg& window, int itemId)
{
    auto* text = Find<CTextItem>(window, itemId);
    return text ? text->GetText() : QStringLiteral("<missing>");
}

bool Shown(CTovikEliteAppDlg& window, int itemId)
{
    for (const CGUIItems* items : {&window.Page(PageBit::Lighting)->Items(), &window.LightingItemsCurrentGeneration(),
                                   &window.LightingItemsEarlierGeneration()}) {
        if (CGUIItem* item = items->FindById(itemId); item && item->window)
            return item->window->isVisibleTo(&window);
    }
    return false;
}

bool Lit(CTovikEliteAppDlg& window, int itemId)
{
    auto* button = Find<CBitmapBtn>(window, itemId);
    return button && button->IsHighlighted();
}

void Deliver()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::sendPostedEvents();
}

void Click(QWidget* widget)
{
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    Deliver();
}

void ClickItem(CTovikEliteAppDlg& window, int itemId)
{
    CBitmapBtn* button = window.Items().FindAs<CBitmapBtn>(itemId);
    if (!button)
        button = Find<CBitmapBtn>(window, itemId);
    Click(button);
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button, Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(local), QPointF(widget->mapToGlobal(local)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

// Drags the thumb to where `value` sits and, unless told otherwise, lets go there.
void Drag(CPHSlider* thumb, int value, bool release = true)
{
    ASSERT_NE(thumb, nullptr);
    const auto position = uint32_t(value - thumb->GetMin());
    const QPoint target(thumb->PixelOfPosition(position) + thumb->HalfWidth(), thumb->y() + thumb->HalfHeight());
    SendMouse(thumb, QEvent::MouseButtonPress, thumb->rect().center(), Qt::LeftButton, Qt::LeftButton);
    SendMouse(thumb, QEvent::MouseMove, thumb->mapFromParent(target), Qt::NoButton, Qt::LeftButton);
    Deliver();
    if (release) {
        SendMouse(thumb, QEvent::MouseButtonRelease, thumb->mapFromParent(target), Qt::LeftButton, Qt::NoButton);
        Deliver();
    }
}

// Presses and lets go of the thumb where it is.
void ReleaseInPlace(CPHSlider* thumb)
{
    ASSERT_NE(thumb, nullptr);
    SendMouse(thumb, QEvent::MouseButtonPress, thumb->rect().center(), Qt::LeftButton, Qt::LeftButton);
    SendMouse(thumb, QEvent::MouseButtonRelease, thumb->rect().center(), Qt::LeftButton, Qt::NoButton);
    Deliver();
}

// The device-changing calls since the counters were reset, without the profile
// identity that every write sends.
Counts DeviceChanges()
{
    Counts changes;
    for (const auto& [name, count] : emulator::FaultInjection::CallCounts()) {
        const std::string verb = name.substr(name.find('.') + 1);
        for (const char* prefix : {"Set", "Turn", "Create", "Delete", "Activate", "Import"}) {
            if (verb.rfind(prefix, 0) == 0)
                changes[name] = count;
        }
    }
    for (const char* identity : {"Profile.SetName", "Profiles.Activate", "Properties.Set"})
        changes.erase(identity);
    return changes;
}

const emulator::LightImage* Light(const emulator::DeviceImage& image, uint32_t number)
{
    if (image.profiles.empty())
        return nullptr;
    for (const emulator::LightImage& light : image.profiles.front().lights)
        if (light.number == number)
            return &light;
    return nullptr;
}

class LightingPageTest : public AppTest {
protected:
    static bool WaitUntilIdle(CTovikEliteAppDlg& window)
    {
        return WaitUntil([&] {
            return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
                   !window.HasTimer(MainTimer::EndOfTransfer) && window.Device() && !window.Device()->IsBusy() &&
                   window.isEnabled();
        });
    }
    static void OpenLighting(CTovikEliteAppDlg& window)
    {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickItem(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
        ASSERT_EQ(window.CurrentPage(), window.Page(PageBit::Lighting));
    }
    static void Apply(CTovikEliteAppDlg& window)
    {
        const int before = window.WritesStarted();
        emulator::FaultInjection::ResetCounters();
        ClickItem(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() == before + 1; }));
        ASSERT_TRUE(WaitUntilIdle(window));
    }
    static void Picture(CTovikEliteAppDlg& window, const char* name)
    {
        const QString folder = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
        QDir().mkpath(folder);
        EXPECT_TRUE(window.grab().toImage().save(folder + QStringLiteral("/%1.png").arg(QLatin1String(name))));
    }
};

} // namespace

TEST_F(LightingPageTest, EveryLightingAndPowerSettingReachesTheDeviceAndNothingElseIsWritten)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        IMouseConfig& config = *window.Config();
        // The factory settings, as the device holds them.
        EXPECT_TRUE(Lit(window, ItemId::SCROLL_LEDON) && !Lit(window, ItemId::SCROLL_LEDOFF));
        EXPECT_TRUE(Lit(window, ItemId::BATTERY_ID_LEDON) && !Lit(window, ItemId::BATTERY_ID_LEDOFF));
        EXPECT_TRUE(Lit(window, ItemId::TOVIKELITE_COLOR_ON) && !Lit(window, ItemId::SPECTRUM_CYCLING_ON));
        EXPECT_EQ(Find<CDropdownColorButton>(window, ItemId::DROPDOWN_MOUSE_COLOR)->Colour(), 0xFF0000u);
        EXPECT_FALSE(Shown(window, ItemId::DOCK_LEDON));
        EXPECT_FALSE(window.ApplyButton()->isEnabled());

        ClickItem(window, ItemId::SCROLL_LEDOFF);
        ClickItem(window, ItemId::BATTERY_ID_LEDOFF);
        EXPECT_TRUE(Lit(window, ItemId::SCROLL_LEDOFF) && !Lit(window, ItemId::SCROLL_LEDON));
        EXPECT_FALSE(config.GetLedState(LED_SCROLL_WHEEL));
        EXPECT_FALSE(config.GetLedState(LED_BATTERY_INDICATOR));
        EXPECT_TRUE(window.ApplyButton()->isEnabled());

        // A colour from the real palette.
        auto* colourBox = Find<CDropdownColorButton>(window, ItemId::DROPDOWN_MOUSE_COLOR);
        Click(colourBox);
        CColourPalette* palette = colourBox->Palette();
        ASSERT_NE(palette, nullptr);
        const COLORREF green = RGB(0, 255, 0);
        const auto cell = std::find(CColourPalette::Colours().begin(), CColourPalette::Colours().end(), green);
        ASSERT_NE(cell, CColourPalette::Colours().end());
        QTest::mouseClick(palette, Qt::LeftButton, {},
                          palette->CellRect(int(cell - CColourPalette::Colours().begin())).center());
        ASSERT_TRUE(WaitUntil([&] { return config.GetLedColour(LED_SCROLL_WHEEL) == green; }));

        // Spectrum cycling keeps the colour for later.
        ClickItem(window, ItemId::SPECTRUM_CYCLING_ON);
        EXPECT_TRUE(Lit(window, ItemId::SPECTRUM_CYCLING_ON) && !Lit(window, ItemId::TOVIKELITE_COLOR_ON));
        EXPECT_EQ(config.GetLedEffect(LED_SCROLL_WHEEL), LED_EFFECT_SPECTRUM_CYCLING);
        EXPECT_EQ(config.GetLedColour(LED_SCROLL_WHEEL), green);

        // LED brightness: the setting follows the drag; the release snaps the thumb.
        CPHSlider* led = Thumb(window, ItemId::SLIDER_LED_BRIGHTNESS);
        Drag(led, 20, false);
        EXPECT_EQ(config.GetLedBrightness(LED_SCROLL_WHEEL), 33u);
        EXPECT_EQ(led->TooltipText(), QStringLiteral("Dim"));
        SendMouse(led, QEvent::MouseMove, led->mapFromParent(QPoint(led->PixelOfPosition(49) + led->HalfWidth(), 5)),
                  Qt::NoButton, Qt::LeftButton);
        SendMouse(led, QEvent::MouseButtonRelease, led->rect().center(), Qt::LeftButton, Qt::NoButton);
        Deliver();
        EXPECT_EQ(config.GetLedBrightness(LED_SCROLL_WHEEL), 66u) << "released at 50";
        EXPECT_EQ(led->GetValue(), 62);
        EXPECT_EQ(led->TooltipText(), QStringLiteral("Normal"));

        CPHSlider* reduced = Thumb(window, ItemId::SLIDER_POWER_BRIGHTNESS);
        Drag(reduced, 60);
        EXPECT_EQ(reduced->GetValue(), 75);
        EXPECT_EQ(config.GetReducedBrightness(), 75u);
        EXPECT_EQ(Text(window, ItemId::TEXT_REDUCEBRIGHTNESSHEADING), QStringLiteral("Reduce light brightness to Dim"));

        Drag(Thumb(window, ItemId::SLIDER_POWER_SLEEPTOIDLE), 5);
        EXPECT_EQ(config.GetIdleTimeBeforeSleep(), 300u);
        EXPECT_EQ(Text(window, ItemId::TEXT_SLEEPAFTERIDLEHEADING),
                  QStringLiteral("Enter sleep mode after idle for 5 mins"));

        Drag(Thumb(window, ItemId::SLIDER_POWER_FLASHSCROLL), 20);
        EXPECT_EQ(config.GetBatteryWarningLevel(), 20u);
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
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
    });

    const emulator::DeviceImage image = Image(0x0031);
    const emulator::LightImage* wheel = Light(image, 1);
    const emulator::LightImage* battery = Light(image, 3);
    ASSERT_TRUE(wheel && battery);
    EXPECT_FALSE(wheel->on);
    EXPECT_FALSE(battery->on);
    EXPECT_EQ(wheel->colour, RGB(0, 255, 0));
    EXPECT_EQ(wheel->effect, 5u);
    EXPECT_EQ(wheel->brightness, 66u);
    EXPECT_EQ(image.dimBrightness, 75u);
    EXPECT_EQ(image.sleepTimeout, 300u);
    EXPECT_EQ(image.batteryWarning, 51u) << "20 % of the 0..255 battery scale";

    // A second window shows what the device holds; the fixed colour comes back
    // with the drop-down's colour and only the effect is written.
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        EXPECT_TRUE(Lit(window, ItemId::SCROLL_LEDOFF) && !Lit(window, ItemId::SCROLL_LEDON));
        EXPECT_TRUE(Lit(window, ItemId::BATTERY_ID_LEDOFF) && !Lit(window, ItemId::BATTERY_ID_LEDON));
        EXPECT_TRUE(Lit(window, ItemId::SPECTRUM_CYCLING_ON) && !Lit(window, ItemId::TOVIKELITE_COLOR_ON));
        EXPECT_EQ(Find<CDropdownColorButton>(window, ItemId::DROPDOWN_MOUSE_COLOR)->Colour(), RGB(0, 255, 0));
        EXPECT_EQ(Thumb(window, ItemId::SLIDER_LED_BRIGHTNESS)->GetValue(), 62);
        EXPECT_EQ(Thumb(window, ItemId::SLIDER_POWER_BRIGHTNESS)->GetValue(), 75);
        EXPECT_EQ(Thumb(window, ItemId::SLIDER_POWER_SLEEPTOIDLE)->GetValue(), 5);
        EXPECT_EQ(Thumb(window, ItemId::SLIDER_POWER_FLASHSCROLL)->GetValue(), 20);
        EXPECT_EQ(Text(window, ItemId::TEXT_REDUCEBRIGHTNESSHEADING), QStringLiteral("Reduce light brightness to Dim"));
        EXPECT_EQ(Text(window, ItemId::TEXT_SLEEPAFTERIDLEHEADING),
                  QStringLiteral("Enter sleep mode after idle for 5 mins"));
        Picture(window, "lighting-current-generation");

        ClickItem(window, ItemId::TOVIKELITE_COLOR_ON);
        EXPECT_EQ(window.Config()->GetLedEffect(LED_SCROLL_WHEEL), LED_EFFECT_FIXED_COLOUR);
        Apply(window);
        EXPECT_EQ(DeviceChanges(), (Counts{{"Light.SetEffect", 1}}));
    });
    EXPECT_EQ(Light(Image(0x0031), 1)->effect, 0u);
    EXPECT_EQ(Light(Image(0x0031), 1)->colour, RGB(0, 255, 0));
}

TEST_F(LightingPageTest, StoredBrightnessesShowTheirLevelAndAReleaseInPlaceKeepsTheLevelsValue)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        IMouseConfig& config = *window.Config();
        CMainWindowPage& page = *window.Page(PageBit::Lighting);
        CPHSlider* reduced = Thumb(window, ItemId::SLIDER_POWER_BRIGHTNESS);
        CPHSlider* led = Thumb(window, ItemId::SLIDER_LED_BRIGHTNESS);
        ASSERT_TRUE(reduced && led);

        struct Case {
            unsigned stored;
            int shownAt; // the slider cannot go below 1, where 0 is shown
            const char* label;
            unsigned afterRelease;
        };
        const Case reducedCases[] = {{0, 1, "Off", 0},          {1, 1, "Off", 0},          {2, 75, "Dim", 75},
                                     {75, 75, "Dim", 75},       {117, 75, "Dim", 75},      {118, 158, "Normal", 158},
                                     {158, 158, "Normal", 158}, {207, 158, "Normal", 158}, {208, 255, "Bright", 255},
                                     {255, 255, "Bright", 255}};
        for (const Case& c : reducedCases) {
            SCOPED_TRACE(testing::Message() << "reduced brightness " << c.stored);
            config.SetReducedBrightness(c.stored);
            page.FillLightingPage(window);
            EXPECT_EQ(reduced->GetValue(), c.shownAt);
            EXPECT_EQ(reduced->TooltipText(), QLatin1String(c.label));
            ReleaseInPlace(reduced);
            EXPECT_EQ(config.GetReducedBrightness(), c.afterRelease);
            EXPECT_EQ(reduced->GetValue(), c.shownAt);
        }

        const Case ledCases[] = {{0, 1, "Off", 0},         {15, 1, "Off", 0},      {16, 29, "Dim", 33},
                                 {33, 29, "Dim", 33},      {46, 29, "Dim", 33},    {47, 62, "Normal", 66},
                                 {66, 62, "Normal", 66},   {82, 62, "Normal", 66}, {83, 100, "Bright", 100},
                                 {100, 100, "Bright", 100}};
        for (const Case& c : ledCases) {
            SCOPED_TRACE(testing::Message() << "LED brightness " << c.stored);
            config.SetLedBrightness(LED_SCROLL_WHEEL, c.stored);
            page.FillLightingPage(window);
            EXPECT_EQ(led->GetValue(), c.shownAt);
            EXPECT_EQ(led->TooltipText(), QLatin1String(c.label));
            ReleaseInPlace(led);
            EXPECT_EQ(config.GetLedBrightness(LED_SCROLL_WHEEL), c.afterRelease);
        }
    });
}

TEST_F(LightingPageTest, TheBatteryEstimateFollowsThePollingRateAndTheReducedBrightness)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        CPHSlider* reduced = Thumb(window, ItemId::SLIDER_POWER_BRIGHTNESS);
        // Hours for the rate indexes 0, 1, 2 and the levels off, dim, normal, bright.
        const int hours[3][4] = {{14, 11, 10, 8}, {12, 10, 8, 7}, {11, 9, 8, 7}};
        const int levelValues[4] = {10, 100, 150, 240};
        for (int rate = 0; rate < 3; ++rate) {
            // The performance page recomputes the estimate after a rate change.
            window.Config()->SetPollingRate(tPollingRate(rate));
            window.Page(PageBit::Lighting)->UpdateBatteryEstimate(window);
            for (int level = 0; level < 4; ++level) {
                SCOPED_TRACE(testing::Message() << "rate index " << rate << ", level " << level);
                Drag(reduced, levelValues[level]);
                EXPECT_EQ(Text(window, ItemId::TEXT_BATTERYLIFEESTIMATE_HEADER),
                          QStringLiteral("Estimated battery life: up to %1 hours").arg(hours[rate][level]));
            }
        }
    });
}

TEST_F(LightingPageTest, TextsUseTheSingularAndFallBackToTheirOwnFormatsWithoutTranslation)
{
    Plug(0x0031);
    ChangeImage(0x0031, [](emulator::DeviceImage& image) {
        image.sleepTimeout = 90;
        image.dimBrightness = 0;
    });
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        EXPECT_EQ(Thumb(window, ItemId::SLIDER_POWER_SLEEPTOIDLE)->GetValue(), 1);
        EXPECT_EQ(Text(window, ItemId::TEXT_SLEEPAFTERIDLEHEADING),
                  QStringLiteral("Enter sleep mode after idle for 1 min"));
        EXPECT_EQ(Text(window, ItemId::TEXT_REDUCEBRIGHTNESSHEADING), QStringLiteral("Reduce light brightness to Off"));

        CLangTable* language = CurrentLanguage();
        ASSERT_NE(language, nullptr);
        SetCurrentLanguage(nullptr);
        Drag(Thumb(window, ItemId::SLIDER_POWER_SLEEPTOIDLE), 2);
        Drag(Thumb(window, ItemId::SLIDER_POWER_FLASHSCROLL), 7);
        window.Config()->SetPollingRate(POLLING_RATE_0);
        window.Page(PageBit::Lighting)->UpdateBatteryEstimate(window);
        const QString sleepText = Text(window, ItemId::TEXT_SLEEPAFTERIDLEHEADING);
        const QString flashText = Text(window, ItemId::TEXT_FLASHSCROLLWHEELHEADING);
        const QString estimate = Text(window, ItemId::TEXT_BATTERYLIFEESTIMATE_HEADER);
        SetCurrentLanguage(language);
        EXPECT_EQ(sleepText, QStringLiteral("Enter sleep mode after idle for 2 mins"));
        EXPECT_EQ(flashText, QStringLiteral("Flash battery indicator when battery level falls below 7%"));
        EXPECT_EQ(estimate, QStringLiteral("Estimated battery life : Up to 14 hours"));
    });
}

TEST_F(LightingPageTest, TheBatteryWarningShowsOnlyOnThisPageWithNormalOrBrightReducedLight)
{
    Plug(0x0031); // the factory reduced brightness is normal
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_FALSE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));
        OpenLighting(window);
        EXPECT_TRUE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));
        ClickItem(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        EXPECT_FALSE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));
        ClickItem(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
        EXPECT_TRUE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));

        CPHSlider* reduced = Thumb(window, ItemId::SLIDER_POWER_BRIGHTNESS);
        Drag(reduced, 100);
        EXPECT_FALSE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT)) << "dim";
        // Dragging alone does not bring it back; letting go does.
        Drag(reduced, 250, false);
        EXPECT_FALSE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT));
        ReleaseInPlace(reduced);
        EXPECT_TRUE(Shown(window, ItemId::TEXT_BATTERY_WARNING_TEXT)) << "bright";
        EXPECT_EQ(window.Config()->GetReducedBrightness(), 255u);
    });
}

TEST_F(LightingPageTest, TheEarlierGenerationHasNoColourControlsAndOnlyItsDockHasTheDockPair)
{
    Plug(0x0013);
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        EXPECT_TRUE(Lit(window, ItemId::SCROLL_LEDON));
        EXPECT_TRUE(Lit(window, ItemId::BATTERY_ID_LEDON));
        for (int item : {ItemId::DOCK_LEDON, ItemId::DOCK_LEDOFF, ItemId::TEXT_CHARGING_DOCK,
                         ItemId::TOVIKELITE_COLOR_ON, ItemId::SPECTRUM_CYCLING_ON, ItemId::DROPDOWN_MOUSE_COLOR}) {
            SCOPED_TRACE(item);
            EXPECT_FALSE(Shown(window, item));
        }
        // Still so after another page was shown in between.
        ClickItem(window, ItemId::BUTTON_MANAGEPROFILES);
        ClickItem(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
        EXPECT_FALSE(Shown(window, ItemId::DOCK_LEDON));
        Picture(window, "lighting-earlier-generation-mouse");
    });

    Unplug(0x0013);
    Plug(0x001B);
    ChangeImage(0x001B, [](emulator::DeviceImage& image) {
        for (emulator::LightImage& light : image.profiles.front().lights)
            light.on = light.number != 12;
    });
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        EXPECT_TRUE(Shown(window, ItemId::DOCK_LEDON));
        EXPECT_TRUE(Shown(window, ItemId::TEXT_CHARGING_DOCK));
        EXPECT_FALSE(Shown(window, ItemId::DROPDOWN_MOUSE_COLOR));
        EXPECT_TRUE(Lit(window, ItemId::DOCK_LEDOFF) && !Lit(window, ItemId::DOCK_LEDON));
        Picture(window, "lighting-earlier-generation-dock");
        ClickItem(window, ItemId::DOCK_LEDON);
        EXPECT_TRUE(Lit(window, ItemId::DOCK_LEDON) && !Lit(window, ItemId::DOCK_LEDOFF));
        Apply(window);
        EXPECT_EQ(DeviceChanges(), (Counts{{"Light.TurnOn", 1}}));
    });
    EXPECT_TRUE(Light(Image(0x001B), 12)->on);
}

TEST_F(LightingPageTest, AnotherGenerationReadInRefillsThePage)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        OpenLighting(window);
        // Between the generations' docks and mice the user is asked first; no.
        window.PostDeviceChange(0x001B);
        ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::LegacyDock; }));
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_TRUE(Shown(window, ItemId::DOCK_LEDON));
        EXPECT_NE(Lit(window, ItemId::DOCK_LEDON), Lit(window, ItemId::DOCK_LEDOFF));
        EXPECT_FALSE(Shown(window, ItemId::DROPDOWN_MOUSE_COLOR));

        ModalScript::EndNextRun("ChangeMousePopup.xml", IDCANCEL);
        window.PostDeviceChange(0x0013);
        ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::LegacyMouse; }));
        EXPECT_FALSE(Shown(window, ItemId::DOCK_LEDON));

        ModalScript::EndNextRun("ChangeMousePopup.xml", IDCANCEL);
        window.Config()->SetLedColour(LED_SCROLL_WHEEL, RGB(0, 0, 255));
        window.PostDeviceChange(0x0031);
        ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::EliteMouse; }));
        EXPECT_TRUE(Shown(window, ItemId::DROPDOWN_MOUSE_COLOR));
        EXPECT_EQ(Find<CDropdownColorButton>(window, ItemId::DROPDOWN_MOUSE_COLOR)->Colour(), RGB(0, 0, 255));
    });
}
