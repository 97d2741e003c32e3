// SPDX-License-Identifier: GPL-3.0-or-later
// The sensitivity stages, surface calibration and temporary sensitivity popups on
// the default skin, driven through their buttons, stage windows and the
// notifications their slider tracks pass on.
#include <gtest/gtest.h>

#include <QTest>

#include "ShippedSkinFixture.h"
#include "controls/BitmapBtn.h"
#include "controls/ControlFactories.h"
#include "controls/DPIStageWindow.h"
#include "controls/SliderHMulti.h"
#include "controls/SliderMath.h"
#include "controls/SliderTrack.h"
#include "controls/TextItem.h"
#include "controls/VertSlider.h"
#include "platform/ModalService.h"
#include "popups/TovikEliteDPIStagesPopup.h"
#include "popups/TovikEliteSurfaceCalibrationPopup.h"
#include "popups/TovikEliteTempDPIPopup.h"
#include "skin/AppPaths.h"
#include "skin/ControlRegistry.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"
#include "skin/ResourceCache.h"
#include "skin/SkinLoader.h"
#include "skin/SkinTestSupport.h"

namespace {

class SensorPopupsTest : public ShippedSkinFixture {
protected:
    // Runs the popup with `action` done while it is shown; a run the action does not
    // end is cancelled.
    template <class Popup>
    int Run(Popup& popup, const std::function<void(Popup&)>& action)
    {
        ModalScript::EndNextRun(popup.RunName(), IDCANCEL, [&popup, action](CSkinWindow&) { action(popup); });
        return popup.DoModal();
    }
};

void ClickItem(CPopupBox& popup, int id)
{
    CGUIItem* item = popup.Items().FindById(id);
    ASSERT_NE(item, nullptr) << "no item " << id;
    ASSERT_NE(item->window, nullptr);
    QTest::mouseClick(item->window, Qt::LeftButton, Qt::NoModifier, item->window->rect().center());
    QCoreApplication::processEvents();
}

// What a slider track passes on when its thumb `thumbId` is let go at `value`.
void ReleaseThumb(CPopupBox& popup, int trackId, int thumbId, WPARAM value)
{
    auto* track = dynamic_cast<CSliderTrack*>(popup.Items().FindById(trackId, ItemKind::SLIDERTRACK));
    ASSERT_NE(track, nullptr) << "no track " << trackId;
    track->SendMessage(WM_SLIDER_RELEASED, value, LPARAM(thumbId));
    QCoreApplication::processEvents();
}

bool IsShown(CPopupBox& popup, int id)
{
    CGUIItem* item = popup.Items().FindById(id);
    return item && item->window && item->window->isVisible();
}

int ThumbValue(CPopupBox& popup, int sliderId)
{
    auto* slider = dynamic_cast<CSliderHMulti*>(popup.Items().FindById(sliderId, ItemKind::HSLIDERM));
    return slider && slider->Thumb(0) ? slider->Thumb(0)->GetValue() : -1;
}

StageSet FiveStages(int count, int current)
{
    StageSet set;
    set.min = 100;
    set.max = 12000;
    set.step = 100;
    set.count = count;
    set.current = current;
    for (int value : {800, 1800, 4000, 5600, 6400}) {
        StageEntry entry;
        entry.value = entry.x = entry.y = value;
        set.entries.push_back(entry);
    }
    return set;
}

CDPIStageWindow* StageWindow(CPopupBox& popup, int stage)
{
    return dynamic_cast<CDPIStageWindow*>(
        popup.Items().FindById(ItemId::DPISTAGEWINDOW_01 + stage - 1, ItemKind::DPISTAGEWINDOW));
}

TEST_F(SensorPopupsTest, StagesPopupKeepsTheCountWithinLimitsAndTheCurrentStageInUse)
{
    StageSet stages = FiveStages(3, 3);
    CTovikEliteDPIStagesPopup popup(u"DPIStagesPopup_MouseRefresh.xml", nullptr, stages);
    const int result = Run<CTovikEliteDPIStagesPopup>(popup, [](CTovikEliteDPIStagesPopup& p) {
        auto* count = p.Items().FindAs<CTextItem>(ItemId::TEXT_NUMSTAGES);
        ASSERT_NE(count, nullptr);
        EXPECT_EQ(count->GetText(), QStringLiteral("3"));
        ASSERT_NE(StageWindow(p, 4), nullptr);
        EXPECT_FALSE(StageWindow(p, 4)->isEnabled()) << "a stage not in use cannot be chosen";
        skintest::SaveScreenshot(p, QStringLiteral("popup_dpi_stages_three_in_use"));

        ClickItem(p, ItemId::BUTTON_DPISTAGES_DEC);
        EXPECT_EQ(p.Editing().count, 2);
        EXPECT_EQ(p.Editing().current, 2) << "the last stage in use becomes current";
        EXPECT_TRUE(StageWindow(p, 2)->IsSelected());
        EXPECT_FALSE(StageWindow(p, 3)->IsSelected());
        EXPECT_EQ(ThumbValue(p, ItemId::SLIDER_DPI_MULTI_POPUP), 1800);

        ClickItem(p, ItemId::BUTTON_DPISTAGES_DEC);
        ClickItem(p, ItemId::BUTTON_DPISTAGES_DEC);
        EXPECT_EQ(p.Editing().count, 1) << "never below one stage";
        EXPECT_EQ(count->GetText(), QStringLiteral("1"));
        for (int i = 0; i < 6; ++i)
            ClickItem(p, ItemId::BUTTON_DPISTAGES_INC);
        EXPECT_EQ(p.Editing().count, 5) << "never more stages than the profile has";
        EXPECT_EQ(p.Editing().current, 1);

        // A click on a stage window makes it current and moves the slider to it.
        QTest::mouseClick(StageWindow(p, 4), Qt::LeftButton, {}, StageWindow(p, 4)->rect().center());
        QCoreApplication::processEvents();
        EXPECT_EQ(p.Editing().current, 4);
        EXPECT_FALSE(StageWindow(p, 1)->IsSelected());
        EXPECT_EQ(ThumbValue(p, ItemId::SLIDER_DPI_MULTI_POPUP), 5600);
        skintest::SaveScreenshot(p, QStringLiteral("popup_dpi_stages"));
        ClickItem(p, ItemId::BUTTON_DPISTAGES_OK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(stages.count, 5);
    EXPECT_EQ(stages.current, 4);
    for (size_t i = 0; i < stages.entries.size(); ++i)
        EXPECT_EQ(stages.entries[i].current, i == 3) << "stage " << i + 1;
}

TEST_F(SensorPopupsTest, StagesPopupSeparateModeCopiesValuesAndTheSlidersAreClamped)
{
    StageSet stages = FiveStages(5, 2);
    CTovikEliteDPIStagesPopup popup(u"DPIStagesPopup.xml", nullptr, stages);
    const int result = Run<CTovikEliteDPIStagesPopup>(popup, [](CTovikEliteDPIStagesPopup& p) {
        EXPECT_TRUE(IsShown(p, ItemId::BITMAP_SLSENSTRK_XY_POPUP));
        EXPECT_FALSE(IsShown(p, ItemId::BITMAP_SLSENSTRK_Y_POPUP));
        EXPECT_FALSE(IsShown(p, ItemId::TEXT_DPI_X));

        ClickItem(p, ItemId::BUTTON_ENABLEXY_POPUP);
        const StageEntry& current = p.Editing().entries[1];
        EXPECT_TRUE(current.separate);
        EXPECT_EQ(current.x, 1800);
        EXPECT_EQ(current.y, 1800);
        EXPECT_FALSE(IsShown(p, ItemId::BITMAP_SLSENSTRK_XY_POPUP));
        EXPECT_TRUE(IsShown(p, ItemId::BITMAP_SLSENSTRK_X_POPUP));
        EXPECT_TRUE(IsShown(p, ItemId::BITMAP_SLSENSTRK_Y_POPUP));
        EXPECT_TRUE(StageWindow(p, 2)->IsXYMode());

        // The skin's thumbs notify with their own ids.
        ReleaseThumb(p, ItemId::BITMAP_SLSENSTRK_X_POPUP, ItemId::SLIDER_DPI_MULTI_STAGE1_X_POPUP, 2400);
        ReleaseThumb(p, ItemId::BITMAP_SLSENSTRK_Y_POPUP, ItemId::SLIDER_DPI_MULTI_STAGE1_Y_POPUP, 99999);
        EXPECT_EQ(p.Editing().entries[1].x, 2400);
        EXPECT_EQ(p.Editing().entries[1].y, 12000) << "a value beyond the range is clamped";
        EXPECT_EQ(StageWindow(p, 2)->XValue(), 2400);
        skintest::SaveScreenshot(p, QStringLiteral("popup_dpi_stages_xy"));

        ClickItem(p, ItemId::BUTTON_ENABLEXY_POPUP);
        EXPECT_FALSE(p.Editing().entries[1].separate);
        EXPECT_EQ(p.Editing().entries[1].value, 2400) << "leaving separate mode keeps X";
        ReleaseThumb(p, ItemId::BITMAP_SLSENSTRK_XY_POPUP, ItemId::SLIDER_DPI_MULTI_STAGE1_POPUP, 0);
        EXPECT_EQ(p.Editing().entries[1].value, 100);
        ClickItem(p, ItemId::BUTTON_DPISTAGES_OK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(stages.entries[1].value, 100);
    EXPECT_EQ(stages.entries[0].value, 800) << "other stages keep their values";
}

TEST_F(SensorPopupsTest, StagesAboveFiveKeepTheirValuesAndTheCurrentOneFallsBackWhenDropped)
{
    StageSet stages = FiveStages(5, 5);
    for (int value : {7000, 8000}) {
        StageEntry entry;
        entry.value = entry.x = entry.y = value;
        stages.entries.push_back(entry);
    }
    stages.count = 7;
    stages.current = 7;
    CTovikEliteDPIStagesPopup popup(u"DPIStagesPopup_MouseRefresh.xml", nullptr, stages);
    const int result = Run<CTovikEliteDPIStagesPopup>(popup, [](CTovikEliteDPIStagesPopup& p) {
        EXPECT_EQ(ThumbValue(p, ItemId::SLIDER_DPI_MULTI_POPUP), 8000);
        for (int stage = 1; stage <= 5; ++stage)
            EXPECT_FALSE(StageWindow(p, stage)->IsSelected()) << stage;
        // Dropping the current stage, which has no window, still leaves a current one in use.
        ClickItem(p, ItemId::BUTTON_DPISTAGES_DEC);
        ClickItem(p, ItemId::BUTTON_DPISTAGES_DEC);
        EXPECT_EQ(p.Editing().count, 5);
        EXPECT_EQ(p.Editing().current, 5);
        EXPECT_TRUE(StageWindow(p, 5)->IsSelected());
        ClickItem(p, ItemId::BUTTON_DPISTAGES_OK);
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(stages.count, 5);
    EXPECT_EQ(stages.current, 5);
    EXPECT_EQ(stages.entries[6].value, 8000);
    EXPECT_FALSE(stages.entries[6].current);
}

TEST_F(SensorPopupsTest, CalibrationResultsForEachChoice)
{
    struct Case {
        const char* name;
        CalibrationSettings start;
        std::vector<int> clicks;
        bool on, automatic;
        float liftOff;
    };
    const Case cases[] = {
        {"custom kept", {true, false, 1.0f, 0.1f}, {}, true, false, 10.0f},
        {"automatic kept", {true, true, 0.2f, 0.1f}, {}, true, true, 2.0f},
        {"custom chosen", {true, true, 0.2f, 0.1f}, {ItemId::LIFTOFF_CUSTOM}, true, false, 20.0f},
        {"automatic chosen", {true, false, 4.5f, 0.1f}, {ItemId::LIFTOFF_AUTO}, true, true, 2.0f},
        {"switched off keeps the distance", {true, false, 4.5f, 0.1f}, {ItemId::CALIBRATION_OFF}, false, false, 45.0f},
        {"switched on", {false, false, 3.0f, 0.1f}, {ItemId::CALIBRATION_ON}, true, true, 2.0f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CalibrationSettings settings = c.start;
        CTovikEliteSurfaceCalibrationPopup popup(u"SensorCalibration_Popup.xml", nullptr, settings, {0, 100});
        const int result = Run<CTovikEliteSurfaceCalibrationPopup>(popup, [&](CTovikEliteSurfaceCalibrationPopup& p) {
            for (int id : c.clicks)
                ClickItem(p, id);
            ClickItem(p, ItemId::BUTTON_SENSOR_OK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(settings.on, c.on);
        EXPECT_EQ(settings.automatic, c.automatic);
        EXPECT_FLOAT_EQ(settings.liftOff, c.liftOff);
    }
}

TEST_F(SensorPopupsTest, CalibrationControlsFollowTheChoicesAndCancelChangesNothing)
{
    CalibrationSettings settings{false, true, 3.0f, 0.1f};
    CTovikEliteSurfaceCalibrationPopup popup(u"SensorCalibration_Popup.xml", nullptr, settings, {0, 100});
    const int result = Run<CTovikEliteSurfaceCalibrationPopup>(popup, [](CTovikEliteSurfaceCalibrationPopup& p) {
        auto* custom = p.Items().FindAs<CBitmapBtn>(ItemId::LIFTOFF_CUSTOM);
        auto* slider = dynamic_cast<CVertSlider*>(p.Items().FindById(ItemId::SLIDER_LIFTOFF_RANGE, ItemKind::VSLIDER));
        ASSERT_NE(custom, nullptr);
        ASSERT_NE(slider, nullptr);
        EXPECT_FALSE(custom->isEnabled()) << "no lift-off choice while calibration is off";
        EXPECT_FALSE(slider->IsSliderEnabled());
        EXPECT_EQ(slider->GetMin(), 0);
        EXPECT_EQ(slider->GetMax(), 10);
        ClickItem(p, ItemId::CALIBRATION_ON);
        EXPECT_TRUE(custom->isEnabled());
        ClickItem(p, ItemId::LIFTOFF_CUSTOM);
        EXPECT_TRUE(slider->IsSliderEnabled());
        EXPECT_TRUE(IsShown(p, ItemId::TEXT_LIFTOFF_HIGH));
        skintest::SaveScreenshot(p, QStringLiteral("popup_surface_calibration"));
        ClickItem(p, ItemId::BUTTON_SENSOR_CANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_FALSE(settings.on);
    EXPECT_TRUE(settings.automatic);
    EXPECT_FLOAT_EQ(settings.liftOff, 3.0f);
}

// Every position of the lift-off slider is stored as the distance it shows.
TEST_F(SensorPopupsTest, EveryLiftOffPositionIsStoredAsChosen)
{
    SliderScale scale{0, 10, 0.1f};
    for (uint32_t position = 0; position <= scale.MaxPosition(); ++position) {
        SCOPED_TRACE(position);
        CalibrationSettings settings{true, false, 1.0f, 0.1f};
        CTovikEliteSurfaceCalibrationPopup popup(u"SensorCalibration_Popup.xml", nullptr, settings, {0, 100});
        Run<CTovikEliteSurfaceCalibrationPopup>(popup, [&](CTovikEliteSurfaceCalibrationPopup& p) {
            ReleaseThumb(p, ItemId::BITMAP_LIFTOFF_RANGE, ItemId::SLIDER_LIFTOFF_RANGE, scale.MessageValue(position));
            ClickItem(p, ItemId::BUTTON_SENSOR_OK);
        });
        EXPECT_EQ(unsigned(settings.liftOff), position);
    }
}

TEST_F(SensorPopupsTest, TemporarySensitivityCollapsesEqualAxesAndCopiesBetweenModes)
{
    struct Case {
        const char* name;
        SensitivityHold start;
        int xValue, yValue; // released in separate mode
        SensitivityHold expected;
    };
    const Case cases[] = {
        {"equal axes become one value",
         {100, 12000, 100, false, 1600, 0, 0},
         1600,
         1600,
         {100, 12000, 100, false, 1600, 0, 0}},
        {"different axes stay separate",
         {100, 12000, 100, false, 800, 0, 0},
         800,
         1200,
         {100, 12000, 100, true, 800, 800, 1200}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SensitivityHold hold = c.start;
        CTovikEliteTempDPIPopup popup(u"TempDPIPopup.xml", nullptr, hold);
        const int result = Run<CTovikEliteTempDPIPopup>(popup, [&](CTovikEliteTempDPIPopup& p) {
            EXPECT_FALSE(IsShown(p, ItemId::TEXT_DPIVALUE2));
            ClickItem(p, ItemId::BUTTON_ENABLEXY_POPUP);
            EXPECT_EQ(p.Editing().x, c.start.value) << "separate mode starts from the single value";
            EXPECT_TRUE(IsShown(p, ItemId::TEXT_DPIVALUE2));
            ReleaseThumb(p, ItemId::BITMAP_SLSENSTRK_X_POPUP, ItemId::SLIDER_DPI_MULTI_STAGE1_X_POPUP,
                         WPARAM(c.xValue));
            ReleaseThumb(p, ItemId::BITMAP_SLSENSTRK_Y_POPUP, ItemId::SLIDER_DPI_MULTI_STAGE1_Y_POPUP,
                         WPARAM(c.yValue));
            auto* first = p.Items().FindAs<CTextItem>(ItemId::TEXT_DPIVALUE1);
            auto* second = p.Items().FindAs<CTextItem>(ItemId::TEXT_DPIVALUE2);
            ASSERT_NE(first, nullptr);
            ASSERT_NE(second, nullptr);
            EXPECT_EQ(first->GetText(), QString::number(c.xValue));
            EXPECT_EQ(second->GetText(), QString::number(c.yValue));
            skintest::SaveScreenshot(p, QStringLiteral("popup_temp_dpi"));
            ClickItem(p, ItemId::BUTTON_DPISTAGES_OK);
        });
        EXPECT_EQ(result, IDOK);
        EXPECT_EQ(hold.separate, c.expected.separate);
        EXPECT_EQ(hold.value, c.expected.value);
        EXPECT_EQ(hold.x, c.expected.x);
        EXPECT_EQ(hold.y, c.expected.y);
    }
}

TEST_F(SensorPopupsTest, TemporarySensitivityLeavingSeparateModeKeepsXAndCancelKeepsTheRecord)
{
    SensitivityHold hold{100, 12000, 100, true, 400, 900, 1500};
    CTovikEliteTempDPIPopup popup(u"TempDPIPopup.xml", nullptr, hold);
    const int result = Run<CTovikEliteTempDPIPopup>(popup, [](CTovikEliteTempDPIPopup& p) {
        ClickItem(p, ItemId::BUTTON_ENABLEXY_POPUP);
        EXPECT_FALSE(p.Editing().separate);
        EXPECT_EQ(p.Editing().value, 900);
        EXPECT_FALSE(IsShown(p, ItemId::BITMAP_SLSENSTRK_Y_POPUP));
        ClickItem(p, ItemId::BUTTON_DPISTAGES_CANCEL);
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(hold.separate);
    EXPECT_EQ(hold.value, 400);
    EXPECT_EQ(hold.x, 900);
}

} // namespace
