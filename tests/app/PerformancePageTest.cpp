// SPDX-License-Identifier: GPL-3.0-or-later
// The performance page end to end: the real main window against the emulated mouse,
// every sensor setting changed through the page's controls and popups, written with
// Apply, checked in the device's memory and shown again by a second window.
#include "AppTestSupport.h"

#include "controls/BitmapBtn.h"
#include "controls/DPIStageWindow.h"
#include "controls/SliderHMulti.h"
#include "controls/SliderMath.h"
#include "controls/SliderTrack.h"
#include "controls/TextItem.h"
#include "device/server/IDeviceProfileProperties.h"
#include "device/server/IDeviceSettings.h"
#include "emulator/Operations.h"
#include "popups/PopupBox.h"
#include "settings/IMouseConfig.h"
#include "skin/ItemIds.h"

namespace {

namespace op = emulator::op;

class PerformancePageTest : public AppTest {
protected:
    static CMainWindowPage& PerformancePage(CTovikEliteAppDlg& window)
    {
        return *window.EnsurePage(PageBit::Performance);
    }
    static bool WaitUntilIdle(CTovikEliteAppDlg& window)
    {
        return WaitUntil([&] {
            return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
                   !window.HasTimer(MainTimer::EndOfTransfer) && !window.Device()->IsBusy() && window.isEnabled();
        });
    }
    // Pictures for people to look at, in the build's screenshots folder.
    static void SavePicture(QWidget& window, const char* name)
    {
        const QString folder = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
        QDir().mkpath(folder);
        EXPECT_TRUE(
            window.grab().toImage().save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png")));
    }
    static void ClickWidget(QWidget* widget)
    {
        ASSERT_NE(widget, nullptr);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
        QCoreApplication::processEvents();
    }
    static void ClickMain(CTovikEliteAppDlg& window, int itemId)
    {
        ClickWidget(window.Items().FindAs<CBitmapBtn>(itemId));
    }
    static void ClickPage(CTovikEliteAppDlg& window, int itemId)
    {
        ClickWidget(PerformancePage(window).Items().FindAs<CBitmapBtn>(itemId));
    }
    static CBitmapBtn* PageButton(CTovikEliteAppDlg& window, int itemId)
    {
        return PerformancePage(window).Items().FindAs<CBitmapBtn>(itemId);
    }
    static QString PageText(CTovikEliteAppDlg& window, int itemId)
    {
        auto* text = PerformancePage(window).Items().FindAs<CTextItem>(itemId);
        return text ? text->GetText() : QStringLiteral("<missing>");
    }
    static bool PageItemShown(CTovikEliteAppDlg& window, int itemId)
    {
        CGUIItem* item = PerformancePage(window).Items().FindById(itemId);
        return item && item->window && item->window->isVisible();
    }
    // What a slider track passes on when its thumb is let go at `value`.
    static void ReleaseThumb(CSkinWindow& owner, const CGUIItems& items, int trackId, int thumbId, WPARAM value)
    {
        auto* track = dynamic_cast<CSliderTrack*>(items.FindById(trackId, ItemKind::SLIDERTRACK));
        ASSERT_NE(track, nullptr) << "no track " << trackId;
        track->SendMessage(WM_SLIDER_RELEASED, value, LPARAM(thumbId));
        QCoreApplication::processEvents();
        (void)owner;
    }
    static void ReleaseOnPage(CTovikEliteAppDlg& window, int trackId, int thumbId, int value)
    {
        ReleaseThumb(window, PerformancePage(window).Items(), trackId, thumbId, WPARAM(uint32_t(value)));
    }
    void Apply(CTovikEliteAppDlg& window)
    {
        ASSERT_TRUE(window.ApplyButton()->isEnabled());
        const int before = window.WritesStarted();
        emulator::FaultInjection::ResetCounters();
        ClickMain(window, ItemId::BUTTON_APPLY);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > before; }));
        ASSERT_TRUE(WaitUntilIdle(window));
    }
    const emulator::ProfileImage& ActiveProfile(const emulator::DeviceImage& image)
    {
        const emulator::ProfileImage* profile = image.FindProfile(image.activeProfile);
        EXPECT_NE(profile, nullptr);
        static const emulator::ProfileImage none;
        return profile ? *profile : none;
    }
};

TEST_F(PerformancePageTest, EverySensorSettingReachesTheDeviceOnApplyAndIsShownAgain)
{
    Plug(0x0031);
    bool osdBefore = false;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        ASSERT_EQ(window.CurrentPage(), &PerformancePage(window));
        IMouseConfig& config = *window.Config();

        // The filled page: one sensitivity, its number, the rates with their captions.
        EXPECT_FALSE(PageItemShown(window, ItemId::BITMAP_SLSENSTRK_Y));
        EXPECT_FALSE(PageItemShown(window, ItemId::TEXT_DPI2));
        EXPECT_FALSE(PageItemShown(window, ItemId::TEXT_HEADING_X));
        EXPECT_TRUE(PageItemShown(window, ItemId::TEXT_DPI1));
        EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE1), QStringLiteral("1800"));
        EXPECT_EQ(PageButton(window, ItemId::BUTTON_RATE1)->Caption(), QStringLiteral("125 Hz"));
        EXPECT_EQ(PageButton(window, ItemId::BUTTON_RATE3)->Caption(), QStringLiteral("1000 Hz"));
        EXPECT_TRUE(PageButton(window, ItemId::BUTTON_RATE2)->IsHighlighted()) << "2 ms is the factory rate";
        EXPECT_FALSE(PageItemShown(window, ItemId::SLIDER_ID_ACCEL)) << "acceleration is off";
        EXPECT_TRUE(PageItemShown(window, ItemId::BITMAP_SLACCLTRKDISB));
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
        SavePicture(window, "performance-filled");

        // Combined sensitivity, then separate axes starting from it.
        ReleaseOnPage(window, ItemId::BITMAP_SLSENSTRK_XY, ItemId::SLIDER_DPI_MULTI_STAGE1, 2400);
        EXPECT_EQ(config.GetCurrentDpi(), 2400u);
        EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE1), QStringLiteral("2400"));
        EXPECT_TRUE(window.ApplyButton()->isEnabled());
        ClickPage(window, ItemId::BUTTON_ENABLEXY);
        EXPECT_TRUE(config.GetCurrentSeparate());
        EXPECT_EQ(config.GetCurrentX(), 2400u);
        EXPECT_EQ(config.GetCurrentY(), 2400u);
        EXPECT_TRUE(PageItemShown(window, ItemId::BITMAP_SLSENSTRK_Y));
        EXPECT_FALSE(PageItemShown(window, ItemId::TEXT_DPI1));
        ReleaseOnPage(window, ItemId::BITMAP_SLSENSTRK_Y, ItemId::SLIDER_DPI_MULTI_Y_STAGE1, 3200);
        EXPECT_EQ(config.GetCurrentY(), 3200u);
        EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE2), QStringLiteral("3200"));

        // Acceleration on at level 7, 1 ms polling, sensitivity shown on screen.
        ClickPage(window, ItemId::BUTTON_ENABLEACCELERATION);
        EXPECT_TRUE(config.GetAccelerationOn());
        EXPECT_TRUE(PageItemShown(window, ItemId::SLIDER_ID_ACCEL));
        ReleaseOnPage(window, ItemId::BITMAP_SLACCLTRK, ItemId::SLIDER_ACCEL_STAGE1, 7);
        EXPECT_EQ(config.GetAccelerationLevel(), 7u);
        ClickPage(window, ItemId::BUTTON_RATE3);
        EXPECT_EQ(config.GetPollingRate(), POLLING_RATE_2);
        EXPECT_TRUE(PageButton(window, ItemId::BUTTON_RATE3)->IsHighlighted());
        EXPECT_FALSE(PageButton(window, ItemId::BUTTON_RATE2)->IsHighlighted());
        osdBefore = config.GetDpiOsd();
        ClickPage(window, ItemId::BUTTON_ENABLE_DPI_OSD);
        EXPECT_NE(config.GetDpiOsd(), osdBefore);

        // Stages: one fewer in use, the third current, its value raised.
        ModalScript::EndNextRun("DPIStagesPopup_MouseRefresh.xml", IDCANCEL, [](CSkinWindow& popup) {
            auto& box = static_cast<CPopupBox&>(popup);
            ClickWidget(box.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_DPISTAGES_DEC));
            ClickWidget(box.Items().FindAs<CDPIStageWindow>(ItemId::DPISTAGEWINDOW_03));
            ReleaseThumb(box, box.Items(), ItemId::BITMAP_SLSENSTRK_XY_POPUP, ItemId::SLIDER_DPI_MULTI_STAGE1_POPUP,
                         4400);
            ClickWidget(box.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_DPISTAGES_OK));
        });
        ClickPage(window, ItemId::BUTTON_SENSITIVITY_STAGES);
        EXPECT_EQ(config.GetStagesInUse(), 4u);
        EXPECT_EQ(config.GetSelectedStage(), 3);
        EXPECT_EQ(config.GetStageDpi(3), 4400u);
        EXPECT_EQ(config.GetCurrentDpi(), 4400u);
        EXPECT_FALSE(config.GetCurrentSeparate()) << "the current sensitivity is the chosen stage's";
        EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE1), QStringLiteral("4400"));
        EXPECT_FALSE(PageItemShown(window, ItemId::BITMAP_SLSENSTRK_Y));

        // Calibration on with a custom distance of 3.5.
        ModalScript::EndNextRun("SensorCalibration_Popup.xml", IDCANCEL, [](CSkinWindow& popup) {
            auto& box = static_cast<CPopupBox&>(popup);
            ClickWidget(box.Items().FindAs<CBitmapBtn>(ItemId::CALIBRATION_ON));
            ClickWidget(box.Items().FindAs<CBitmapBtn>(ItemId::LIFTOFF_CUSTOM));
            const SliderScale scale{0, 10, 0.1f};
            ReleaseThumb(box, box.Items(), ItemId::BITMAP_LIFTOFF_RANGE, ItemId::SLIDER_LIFTOFF_RANGE,
                         scale.MessageValue(35));
            ClickWidget(box.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_SENSOR_OK));
        });
        ClickPage(window, ItemId::BUTTON_SENSOR_SETTINGS);
        EXPECT_TRUE(config.GetSurfaceCalibration());
        EXPECT_FALSE(config.GetAutomaticLiftOff());
        EXPECT_EQ(config.GetLiftOffRange(), 35u);

        Apply(window);
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
        // Only the sensor groups were written.
        for (std::string_view untouched :
             {op::ButtonsSet, op::LightSetColour, op::LightSetEffect, op::LightSetBrightness, op::MacroSetEvents,
              op::MacrosCreate, op::ProfilesCreate, op::ProfilesDelete, op::PowerSetBatteryWarning,
              op::PowerSetSleepTimeout})
            EXPECT_EQ(emulator::FaultInjection::CallCount(untouched), 0u) << untouched;
        for (std::string_view written :
             {op::SensitivitySet, op::ReportIntervalSet, op::AccelerationTurnOn, op::AccelerationSetValue,
              op::CalibrationTurnOn, op::CalibrationSetMode, op::CalibrationSetLiftOff, op::PropertiesSet})
            EXPECT_GE(emulator::FaultInjection::CallCount(written), 1u) << written;
    });

    const emulator::DeviceImage image = Image(0x0031);
    const emulator::ProfileImage& profile = ActiveProfile(image);
    EXPECT_EQ(profile.sensitivity.x, 4400u);
    EXPECT_EQ(profile.sensitivity.y, 4400u);
    EXPECT_EQ(profile.currentStage, 3u);
    ASSERT_GE(profile.stages.size(), 3u);
    EXPECT_EQ(profile.stages[2].x, 4400u);
    EXPECT_EQ(profile.stages[0].x, 800u);
    EXPECT_EQ((profile.options & kOptionSensitivityOsd) != 0, !osdBefore);
    EXPECT_EQ(image.reportInterval, 1u);
    EXPECT_TRUE(image.accelerationOn);
    EXPECT_EQ(image.accelerationLevel, 7u);
    EXPECT_TRUE(image.calibrationOn);
    EXPECT_EQ(image.liftOffMode, kLiftOffManual);
    EXPECT_EQ(image.liftOff, 35u);

    // A second window reads and shows the same.
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE1), QStringLiteral("4400"));
        EXPECT_TRUE(PageButton(window, ItemId::BUTTON_RATE3)->IsHighlighted());
        EXPECT_TRUE(PageButton(window, ItemId::BUTTON_ENABLEACCELERATION)->IsChecked());
        EXPECT_EQ(PageButton(window, ItemId::BUTTON_ENABLE_DPI_OSD)->IsChecked(), !osdBefore);
        EXPECT_FALSE(PageButton(window, ItemId::BUTTON_ENABLEXY)->IsChecked());
        EXPECT_TRUE(PageItemShown(window, ItemId::SLIDER_ID_ACCEL));
        EXPECT_EQ(window.Config()->GetLiftOffRange(), 35u);
        EXPECT_EQ(window.Config()->GetSelectedStage(), 3);
        EXPECT_EQ(window.Config()->GetStagesInUse(), 4u);
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
    });
}

TEST_F(PerformancePageTest, SeparateAxesAreWrittenAsTwoValues)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        ClickPage(window, ItemId::BUTTON_ENABLEXY);
        ReleaseOnPage(window, ItemId::BITMAP_SLSENSTRK_X, ItemId::SLIDER_DPI_MULTI_X_STAGE1, 1200);
        ReleaseOnPage(window, ItemId::BITMAP_SLSENSTRK_Y, ItemId::SLIDER_DPI_MULTI_Y_STAGE1, 3600);
        EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE1), QStringLiteral("1200"));
        SavePicture(window, "performance-separate");
        Apply(window);
        EXPECT_EQ(emulator::FaultInjection::CallCount(op::ReportIntervalSet), 0u);
        EXPECT_EQ(emulator::FaultInjection::CallCount(op::CalibrationSetLiftOff), 0u);
    });
    // The profile is a part of the image: the image must outlive it.
    const emulator::DeviceImage image = Image(0x0031);
    const emulator::ProfileImage& profile = ActiveProfile(image);
    EXPECT_EQ(profile.sensitivity.x, 1200u);
    EXPECT_EQ(profile.sensitivity.y, 3600u);

    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        EXPECT_TRUE(PageButton(window, ItemId::BUTTON_ENABLEXY)->IsChecked());
        EXPECT_TRUE(PageItemShown(window, ItemId::TEXT_DPI2));
        EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE1), QStringLiteral("1200"));
        EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE2), QStringLiteral("3600"));
    });
}

// Turning separate axes off keeps the horizontal sensitivity for both: the page
// shows it on the one slider, and the mouse stores it for both axes. Both orders,
// so that neither the larger nor the smaller value passes for it.
TEST_F(PerformancePageTest, TurningSeparateAxesOffKeepsTheHorizontalSensitivityForBoth)
{
    struct Case {
        unsigned x, y;
    };
    Plug(0x0031);
    for (const Case c : {Case{1200, 3600}, Case{3600, 1200}}) {
        SCOPED_TRACE(testing::Message() << "x " << c.x << ", y " << c.y);
        const QString shown = QString::number(c.x);
        // The axes differ on the mouse, as a window reads them in.
        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
            if (!PageButton(window, ItemId::BUTTON_ENABLEXY)->IsChecked())
                ClickPage(window, ItemId::BUTTON_ENABLEXY);
            ReleaseOnPage(window, ItemId::BITMAP_SLSENSTRK_X, ItemId::SLIDER_DPI_MULTI_X_STAGE1, int(c.x));
            ReleaseOnPage(window, ItemId::BITMAP_SLSENSTRK_Y, ItemId::SLIDER_DPI_MULTI_Y_STAGE1, int(c.y));
            Apply(window);
        });
        {
            const emulator::DeviceImage image = Image(0x0031);
            const emulator::ProfileImage& profile = ActiveProfile(image);
            ASSERT_EQ(profile.sensitivity.x, c.x);
            ASSERT_EQ(profile.sensitivity.y, c.y);
        }

        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
            IMouseConfig& config = *window.Config();
            ASSERT_TRUE(PageButton(window, ItemId::BUTTON_ENABLEXY)->IsChecked());
            ASSERT_EQ(PageText(window, ItemId::TEXT_DPIVALUE2), QString::number(c.y));
            ClickPage(window, ItemId::BUTTON_ENABLEXY);

            EXPECT_FALSE(config.GetCurrentSeparate());
            EXPECT_EQ(config.GetCurrentDpi(), c.x);
            EXPECT_TRUE(PageItemShown(window, ItemId::BITMAP_SLSENSTRK_XY));
            EXPECT_FALSE(PageItemShown(window, ItemId::BITMAP_SLSENSTRK_Y));
            EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE1), shown);
            auto* combined = PerformancePage(window).Items().FindAs<CSliderHMulti>(ItemId::SLIDER_DPI_MULTI);
            ASSERT_NE(combined, nullptr);
            ASSERT_NE(combined->Thumb(0), nullptr);
            EXPECT_EQ(combined->Thumb(0)->GetValue(), int(c.x));
            Apply(window);
        });
        {
            const emulator::DeviceImage image = Image(0x0031);
            const emulator::ProfileImage& profile = ActiveProfile(image);
            EXPECT_EQ(profile.sensitivity.x, c.x);
            EXPECT_EQ(profile.sensitivity.y, c.x);
        }

        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
            EXPECT_FALSE(PageButton(window, ItemId::BUTTON_ENABLEXY)->IsChecked());
            EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE1), shown);
            EXPECT_EQ(window.Config()->GetCurrentDpi(), c.x);
        });
    }
}

TEST_F(PerformancePageTest, CancelledPopupsChangeNothing)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        IMouseConfig& config = *window.Config();
        const unsigned inUse = config.GetStagesInUse();
        const int selected = config.GetSelectedStage();
        const unsigned stage1 = config.GetStageDpi(1);
        const unsigned liftOff = config.GetLiftOffRange();
        const bool calibration = config.GetSurfaceCalibration();

        ModalScript::EndNextRun("DPIStagesPopup_MouseRefresh.xml", IDCANCEL, [](CSkinWindow& popup) {
            auto& box = static_cast<CPopupBox&>(popup);
            ClickWidget(box.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_DPISTAGES_DEC));
            ClickWidget(box.Items().FindAs<CDPIStageWindow>(ItemId::DPISTAGEWINDOW_01));
            ReleaseThumb(box, box.Items(), ItemId::BITMAP_SLSENSTRK_XY_POPUP, ItemId::SLIDER_DPI_MULTI_STAGE1_POPUP,
                         9000);
            ClickWidget(box.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_DPISTAGES_CANCEL));
        });
        ClickPage(window, ItemId::BUTTON_SENSITIVITY_STAGES);
        ModalScript::EndNextRun("SensorCalibration_Popup.xml", IDCANCEL, [](CSkinWindow& popup) {
            auto& box = static_cast<CPopupBox&>(popup);
            ClickWidget(box.Items().FindAs<CBitmapBtn>(ItemId::CALIBRATION_ON));
            ClickWidget(box.Items().FindAs<CBitmapBtn>(ItemId::LIFTOFF_CUSTOM));
            ClickWidget(box.Items().FindAs<CBitmapBtn>(ItemId::BUTTON_SENSOR_CANCEL));
        });
        ClickPage(window, ItemId::BUTTON_SENSOR_SETTINGS);

        EXPECT_TRUE(WasRun("DPIStagesPopup_MouseRefresh.xml"));
        EXPECT_TRUE(WasRun("SensorCalibration_Popup.xml"));
        EXPECT_EQ(config.GetStagesInUse(), inUse);
        EXPECT_EQ(config.GetSelectedStage(), selected);
        EXPECT_EQ(config.GetStageDpi(1), stage1);
        EXPECT_EQ(config.GetLiftOffRange(), liftOff);
        EXPECT_EQ(config.GetSurfaceCalibration(), calibration);
        EXPECT_FALSE(window.AreSettingsChanged());
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
    });
}

TEST_F(PerformancePageTest, EarlierGenerationProfilesTakeTheirSelectedStage)
{
    for (const uint32_t product : {0x0013u, 0x001Bu}) {
        SCOPED_TRACE(product);
        Unplug(0x0013);
        Unplug(0x001B);
        Plug(product);
        // A second profile whose current sensitivity differs from its selected stage.
        ChangeImage(product, [](emulator::DeviceImage& image) {
            ASSERT_FALSE(image.profiles.empty());
            image.profiles.resize(1);
            emulator::ProfileImage other = image.profiles.front();
            other.id = GUID{0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
            other.name = u"Other";
            other.currentStage = 4;
            other.stages[3] = {4000, 4000};
            other.sensitivity = {900, 900};
            image.profiles.push_back(other);
        });
        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            EXPECT_TRUE(IsEarlierGenerationCode(window.GetDeviceCode()));
            IMouseConfig& config = *window.Config();
            IMouseProfile* other = config.FindProfileByName(u"Other");
            ASSERT_NE(other, nullptr);
            ASSERT_NE(other, config.GetCurrentProfile());
            EXPECT_EQ(config.GetSelectedStage(other), 4);
            EXPECT_EQ(config.GetCurrentDpi(other), 4000u);
            EXPECT_EQ(config.GetCurrentX(other), 4000u);
            EXPECT_EQ(config.GetCurrentY(other), 4000u);
            ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
            EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE1), QString::number(config.GetCurrentDpi()));
            SavePicture(window, product == 0x0013 ? "performance-earlier" : "performance-earlier-dock");
        });
    }
}

// After another device has been read in, the page shows what the configuration
// now holds.
TEST_F(PerformancePageTest, ThePageIsRefilledAfterADeviceChange)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        IMouseConfig& config = *window.Config();
        // As a read of the new device would leave it.
        config.SetCurrentSeparate(true);
        config.SetCurrentX(2200);
        config.SetCurrentY(2600);
        config.SetAccelerationOn(true);
        config.SetPollingRate(POLLING_RATE_0);
        window.PostDeviceChange(0x0032);
        ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::EliteDock; }));
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_TRUE(PageButton(window, ItemId::BUTTON_ENABLEXY)->IsChecked());
        EXPECT_TRUE(PageItemShown(window, ItemId::BITMAP_SLSENSTRK_Y));
        EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE1), QStringLiteral("2200"));
        EXPECT_EQ(PageText(window, ItemId::TEXT_DPIVALUE2), QStringLiteral("2600"));
        EXPECT_TRUE(PageButton(window, ItemId::BUTTON_ENABLEACCELERATION)->IsChecked());
        EXPECT_TRUE(PageItemShown(window, ItemId::SLIDER_ID_ACCEL));
        EXPECT_TRUE(PageButton(window, ItemId::BUTTON_RATE1)->IsHighlighted());
        EXPECT_FALSE(PageButton(window, ItemId::BUTTON_RATE2)->IsHighlighted());
    });
}

TEST_F(PerformancePageTest, AMouseWithTwoRatesOffersOnlyThose)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ClickMain(window, ItemId::BUTTON_ADJUSTPERFORMANCE);
        IMouseConfig& config = *window.Config();
        config.SetSupportedPollingRates({8, 2});
        config.SetPollingRate(POLLING_RATE_2);
        window.PostDeviceChange(0x0032);
        ASSERT_TRUE(WaitUntil([&] { return window.GetDeviceCode() == DeviceCode::EliteDock; }));
        ASSERT_TRUE(WaitUntilIdle(window));
        CBitmapBtn* third = PageButton(window, ItemId::BUTTON_RATE3);
        EXPECT_FALSE(third->isEnabled());
        EXPECT_FALSE(third->IsHighlighted());
        EXPECT_EQ(third->Caption(), QStringLiteral(" Hz")) << "it keeps its skin caption";
        EXPECT_EQ(PageButton(window, ItemId::BUTTON_RATE2)->Caption(), QStringLiteral("500 Hz"));
    });
}

} // namespace
