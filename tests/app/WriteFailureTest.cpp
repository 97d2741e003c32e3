// SPDX-License-Identifier: GPL-3.0-or-later
// A write the device refuses part of, in the real main window over the emulated
// device: the user is told, nothing is lost, OK does not close, and Apply retries.
#include "AppTestSupport.h"
#include "LightingPageInput.h"

#include "controls/BitmapBtn.h"
#include "controls/PHSlider.h"
#include "controls/SliderHMulti.h"
#include "emulator/FaultInjection.h"
#include "emulator/Operations.h"
#include "skin/ItemIds.h"

namespace {

using namespace lightinginput;

bool WaitUntilIdle(CTovikEliteAppDlg& window)
{
    return WaitUntil([&] {
        return window.IsFirstReadDone() && !window.HasTimer(MainTimer::StartWrite) &&
               !window.HasTimer(MainTimer::StartWriteThenClose) && !window.HasTimer(MainTimer::EndOfTransfer) &&
               !window.HasTimer(MainTimer::EndOfWriteThenClose) && !window.Device()->IsBusy() && window.isEnabled();
    });
}
bool ScrollLightOn(const emulator::DeviceImage& image)
{
    for (const emulator::LightImage& light : image.profiles.at(0).lights)
        if (light.number == 1)
            return light.on;
    ADD_FAILURE() << "no scroll light";
    return true;
}
int Runs(std::string_view name)
{
    int runs = 0;
    for (const ModalRecord& record : ModalScript::Records())
        runs += record.name == name ? 1 : 0;
    return runs;
}

using WriteFailureTest = AppTest;

} // namespace

TEST_F(WriteFailureTest, AFailedWriteIsReportedKeepsApplyAndOkOpenAndTheRetryLandsEveryChange)
{
    Plug(0x0031);
    const emulator::DeviceImage factory = Image(0x0031);
    ASSERT_TRUE(ScrollLightOn(factory));
    ASSERT_NE(factory.sleepTimeout, 300u);
    // A refusal of the first group written and of the last one; retried with
    // Apply (the window stays) and with OK (it closes once all is written).
    const struct {
        std::string_view refused;
        int retryButton;
    } cases[] = {{emulator::op::LightTurnOff, ItemId::BUTTON_APPLY},
                 {emulator::op::PowerSetSleepTimeout, ItemId::BUTTON_OK}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.refused));
        Store(factory);
        ModalScript::Reset();
        ModalScript::SetStrict(true);
        RunApp([&](CTovikEliteAppDlg& window) {
            ASSERT_TRUE(WaitUntilIdle(window));
            Click(window, ItemId::BUTTON_LIGHTINGMAINTENANCE);
            Click(window, ItemId::SCROLL_LEDOFF);
            Drag(Thumb(window, ItemId::SLIDER_POWER_SLEEPTOIDLE), 5);
            ASSERT_TRUE(window.ApplyButton()->isEnabled());

            emulator::FaultInjection::FailOperation(c.refused);
            ModalScript::EndNextRun("WriteFailedPopup.xml", IDOK, [](CSkinWindow& popup) {
                QDir().mkpath(QStringLiteral(ZT_TEST_SCREENSHOT_DIR));
                popup.grab().save(QStringLiteral(ZT_TEST_SCREENSHOT_DIR "/write-failed-popup.png"));
            });
            Click(window, ItemId::BUTTON_OK);
            ASSERT_TRUE(WaitUntil([&] { return Runs("WriteFailedPopup.xml") == 1; }));
            ASSERT_TRUE(WaitUntilIdle(window));
            EXPECT_EQ(window.WritesStarted(), 1);
            EXPECT_FALSE(window.IsEnded()) << "OK closed the window over a failed write";
            EXPECT_TRUE(window.AreSettingsChanged());
            EXPECT_TRUE(window.ApplyButton()->isEnabled());
            const emulator::DeviceImage failed = Image(0x0031);
            EXPECT_FALSE(!ScrollLightOn(failed) && failed.sleepTimeout == 300u)
                << "the refused group reached the device";

            emulator::FaultInjection::AllowOperation(c.refused);
            Click(window, c.retryButton);
            ASSERT_TRUE(WaitUntil([&] { return window.WritesStarted() == 2; }));
            if (c.retryButton == ItemId::BUTTON_OK) {
                ASSERT_TRUE(WaitUntil([&] { return window.IsEnded(); }));
                EXPECT_EQ(window.EndResult(), IDOK);
            } else {
                ASSERT_TRUE(WaitUntilIdle(window));
                EXPECT_FALSE(window.ApplyButton()->isEnabled());
                EXPECT_FALSE(window.AreSettingsChanged());
            }
        });
        EXPECT_EQ(Runs("WriteFailedPopup.xml"), 1) << "a successful write was reported as failed";
        const emulator::DeviceImage image = Image(0x0031);
        EXPECT_FALSE(ScrollLightOn(image));
        EXPECT_EQ(image.sleepTimeout, 300u);
    }
}
