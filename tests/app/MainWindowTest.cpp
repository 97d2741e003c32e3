// SPDX-License-Identifier: GPL-3.0-or-later
#include "AppTestSupport.h"

#include "controls/BitmapBtn.h"
#include "device/DeviceNotifications.h"
#include "settings/Generation.h"
#include "settings/IMouseConfig.h"
#include "skin/ItemIds.h"

#include <QImage>
#include <QPointer>
#include <set>

namespace {

CBitmapBtn* Button(CTovikEliteAppDlg& window, int itemId)
{
    return window.Items().FindAs<CBitmapBtn>(itemId);
}

void Click(CTovikEliteAppDlg& window, int itemId)
{
    CBitmapBtn* button = Button(window, itemId);
    ASSERT_NE(button, nullptr) << "no button " << itemId;
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(button->width() / 2, button->height() / 2));
}

// Waits until the window has finished its current transfer phase.
bool WaitUntilIdle(CTovikEliteAppDlg& window)
{
    return WaitUntil([&] {
        return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
               !window.HasTimer(MainTimer::EndOfTransfer) && !window.Device()->IsBusy() && window.isEnabled();
    });
}

// Whether every window item of the collection is hidden (or, with false, shown).
bool AllHidden(const CGUIItems& items, bool hidden = true)
{
    for (CGUIItem* item : items.Items()) {
        if (item->window && item->window->isHidden() != hidden)
            return false;
    }
    return true;
}

int LitCount(const std::array<bool, 4>& lit)
{
    int count = 0;
    for (bool segment : lit)
        count += segment ? 1 : 0;
    return count;
}

TEST_F(AppTest, StartupWithAMouseReadsItAndShowsTheButtonPage)
{
    Plug(0x0031);
    ChangeImage(0x0031, [](emulator::DeviceImage& image) { image.reportInterval = 8; });
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_EQ(window.GetDeviceCode(), DeviceCode::EliteMouse);
        EXPECT_TRUE(IsCurrentGeneration());
        EXPECT_EQ(window.CurrentPage(), window.Page(PageBit::ButtonAssignment));
        EXPECT_TRUE(Button(window, ItemId::BUTTON_ASSIGNBUTTONS)->IsHighlighted());
        EXPECT_FALSE(Button(window, ItemId::BUTTON_LIGHTINGMAINTENANCE)->IsHighlighted());
        ASSERT_NE(window.ApplyButton(), nullptr);
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
        EXPECT_FALSE(window.AreSettingsChanged());
        // The device's settings are in the configuration.
        EXPECT_EQ(window.Config()->GetPollingRate(), POLLING_RATE_0);
        EXPECT_NE(window.Config()->GetCurrentProfile(), nullptr);
        EXPECT_TRUE(window.IsConnectionShown(false));
        EXPECT_FALSE(window.IsConnectionShown(true));
        EXPECT_TRUE(window.DriverVersionText().contains(QStringLiteral(": ")));
        EXPECT_FALSE(window.FirmwareVersionText().isEmpty());
        EXPECT_FALSE(WasRun("NoMousePopup.xml"));
    });
    EXPECT_TRUE(WasRun("MainPage.xml"));
}

TEST_F(AppTest, PagesSwitchWithTheirButtons)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        Click(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
        EXPECT_EQ(window.CurrentPage(), window.Page(PageBit::Lighting));
        EXPECT_TRUE(Button(window, ItemId::BUTTON_LIGHTINGMAINTENANCE)->IsHighlighted());
        EXPECT_FALSE(Button(window, ItemId::BUTTON_ASSIGNBUTTONS)->IsHighlighted());
        // Only the current generation's lighting items show with this mouse.
        EXPECT_TRUE(AllHidden(window.LightingItemsCurrentGeneration(), false));
        EXPECT_TRUE(AllHidden(window.LightingItemsEarlierGeneration()));
        EXPECT_TRUE(AllHidden(window.Page(PageBit::ButtonAssignment)->Items()));
        Click(window, ItemId::BUTTON_MANAGEMACROS);
        EXPECT_EQ(window.CurrentPage(), window.Page(PageBit::Macros));
        EXPECT_TRUE(AllHidden(window.LightingItemsCurrentGeneration()));
        Click(window, ItemId::BUTTON_HELP);
        ASSERT_FALSE(shellRequests_.empty());
        EXPECT_TRUE(shellRequests_.back().file.ends_with(u"Manuals/index.html"));
        Click(window, ItemId::BUTTON_KORU);
        EXPECT_TRUE(shellRequests_.back().file.starts_with(u"https://"));
    });
}

// Pictures of every page for people to look at (build/screenshots/app/); each page
// must look different from the others.
TEST_F(AppTest, EveryPageIsDrawnIntoTheBuildTree)
{
    Plug(0x0031);
    const QString folder = QStringLiteral(ZT_TEST_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    std::vector<QImage> pictures;
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        const std::pair<int, const char*> pages[] = {{ItemId::BUTTON_ASSIGNBUTTONS, "buttons"},
                                                     {ItemId::BUTTON_ADJUSTPERFORMANCE, "performance"},
                                                     {ItemId::BUTTON_MANAGEPROFILES, "profiles"},
                                                     {ItemId::BUTTON_MANAGEMACROS, "macros"},
                                                     {ItemId::BUTTON_LIGHTINGMAINTENANCE, "lighting"}};
        for (const auto& [button, name] : pages) {
            Click(window, button);
            const QImage picture = window.grab().toImage();
            EXPECT_TRUE(picture.save(folder + QStringLiteral("/main-%1.png").arg(QLatin1String(name))));
            for (const QImage& earlier : pictures)
                EXPECT_NE(picture, earlier) << name << " looks like another page";
            pictures.push_back(picture);
        }
    });
    EXPECT_EQ(pictures.size(), 5u);
}

TEST_F(AppTest, StartupWithoutADeviceShowsTheNoMousePopupAndCloses)
{
    bool endedAtOnce = true;
    const auto outcome = RunApp([&](CTovikEliteAppDlg& window) {
        endedAtOnce = window.IsEnded();
        EXPECT_EQ(window.GetDeviceCode(), DeviceCode::Unknown);
        EXPECT_TRUE(WaitUntil([&] { return window.IsEnded(); }));
    });
    EXPECT_FALSE(endedAtOnce) << "the popup is meant to follow the window, not to replace it";
    EXPECT_EQ(outcome, CTovikEliteAppApp::Outcome::Completed);
    EXPECT_TRUE(WasRun("NoMousePopup.xml"));
}

TEST_F(AppTest, UnpluggingTheDeviceInUseClosesAndAnotherProductDoesNot)
{
    Plug(0x0031);
    Plug(0x0032);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ASSERT_EQ(window.GetDeviceCode(), DeviceCode::EliteMouse);
        Unplug(0x0032);
        // A removal of someone else's device, delivered like the real ones.
        BroadcastDeviceChange(DBT_DEVICEREMOVECOMPLETE, MakeHidDevicePath(0x1234, 0x0031, u"x"));
        QTest::qWait(400);
        EXPECT_FALSE(window.IsEnded());
        EXPECT_FALSE(WasRun("NoMousePopup.xml"));

        Unplug(0x0031);
        EXPECT_TRUE(WaitUntil([&] { return window.IsEnded(); }));
        EXPECT_TRUE(WasRun("NoMousePopup.xml"));
    });
}

TEST_F(AppTest, EarlierGenerationReenumerationDuringTheGuardIsNotARemoval)
{
    Plug(0x0013);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        ASSERT_EQ(window.GetDeviceCode(), DeviceCode::LegacyMouse);
        EXPECT_FALSE(IsCurrentGeneration());
        window.SetReenumerationGuard(true);
        BroadcastDeviceChange(DBT_DEVICEREMOVECOMPLETE, MakeHidDevicePath(0x2E7A, 0x0013, u"x"));
        QTest::qWait(300);
        EXPECT_FALSE(window.IsEnded());
        window.SetReenumerationGuard(false);
        BroadcastDeviceChange(DBT_DEVICEREMOVECOMPLETE, MakeHidDevicePath(0x2E7A, 0x0013, u"x"));
        EXPECT_TRUE(WaitUntil([&] { return window.IsEnded(); }));
    });
    EXPECT_TRUE(WasRun("NoMousePopup.xml"));
}

TEST_F(AppTest, ApplyTwiceQuicklyStartsOneWrite)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        window.Config()->SetPollingRate(POLLING_RATE_2);
        window.SetSettingsChanged();
        EXPECT_TRUE(window.ApplyButton()->isEnabled());
        Click(window, ItemId::BUTTON_APPLY);
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
        window.StartWrite(false);
        ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() > 0; }));
        ASSERT_TRUE(WaitUntilIdle(window));
        QTest::qWait(400);
        EXPECT_EQ(window.WritesStarted(), 1);
        EXPECT_FALSE(window.IsEnded());
        EXPECT_FALSE(window.ApplyButton()->isEnabled());
    });
    EXPECT_EQ(Image(0x0031).reportInterval, 1u);
}

TEST_F(AppTest, OkClosesAtOnceWithoutChangesAndAfterTheWriteWithThem)
{
    Plug(0x0031);
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        Click(window, ItemId::BUTTON_OK);
        EXPECT_TRUE(window.IsEnded());
        EXPECT_EQ(window.EndResult(), IDOK);
        EXPECT_EQ(window.WritesStarted(), 0);
    });
    EXPECT_EQ(Image(0x0031).reportInterval, 2u);

    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        window.Config()->SetPollingRate(POLLING_RATE_2);
        window.SetSettingsChanged();
        Click(window, ItemId::BUTTON_OK);
        EXPECT_FALSE(window.IsEnded());
        EXPECT_TRUE(WaitUntil([&] { return window.IsEnded(); }));
        EXPECT_EQ(window.WritesStarted(), 1);
        EXPECT_EQ(window.EndResult(), IDOK);
    });
    EXPECT_EQ(Image(0x0031).reportInterval, 1u);
}

TEST_F(AppTest, BatterySegmentsFollowTheLevelAndTheCharging)
{
    Plug(0x0031);
    ChangeImage(0x0031, [](emulator::DeviceImage& image) { image.batteryLevel = 180; });
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_TRUE(WaitUntil([&] {
            return window.BatterySegmentsLit() == std::array<bool, 4>{true, true, true, false};
        }));
    });

    ChangeImage(0x0031, [](emulator::DeviceImage& image) {
        image.batteryLevel = 20;
        image.chargingState = 1;
    });
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        // Charging: the segments fill up step by step, whatever the level.
        std::set<int> counts;
        WaitUntil([&] {
            counts.insert(LitCount(window.BatterySegmentsLit()));
            return counts.count(4) && counts.count(2);
        });
        EXPECT_TRUE(counts.count(4));
        EXPECT_TRUE(counts.count(2));
    });

    Unplug(0x0031);
    Plug(0x0013);
    ChangeImage(0x0013, [](emulator::DeviceImage& image) {
        image.batteryLevel = 30; // percent on the earlier generation
        image.chargingState = 0;
    });
    RunApp([&](CTovikEliteAppDlg& window) {
        ASSERT_TRUE(WaitUntilIdle(window));
        EXPECT_TRUE(WaitUntil([&] {
            return window.BatterySegmentsLit() == std::array<bool, 4>{true, true, false, false};
        }));
    });
}

} // namespace
