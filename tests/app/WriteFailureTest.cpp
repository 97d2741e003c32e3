// SPDX-License-Identifier: GPL-3.0-or-later
// A write the device refuses part of, in the real main window over the emulated
// device: the user is told, nothing is lost, OK does not close, and Apply retries.
#include "AppTestSupport.h"

#include "controls/BitmapBtn.h"
#include "controls/PHSlider.h"
#include "controls/SliderHMulti.h"
#include "emulator/FaultInjection.h"
#include "emulator/Operations.h"
#include "skin/ItemIds.h"

namespace {

CGUIItem* Item(CTovikEliteAppDlg& window, int itemId)
{
    for (const CGUIItems* items :
         {&window.Items(), &window.Page(PageBit::Lighting)->Items(), &window.LightingItemsCurrentGeneration()})
        if (CGUIItem* item = items->FindById(itemId))
            return item;
    return nullptr;
}
void Mouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
    for (int i = 0; i < 3; ++i) // a track passes on what its thumb posted
        QCoreApplication::sendPostedEvents();
}
void Click(CTovikEliteAppDlg& window, int itemId)
{
    auto* widget = dynamic_cast<QWidget*>(Item(window, itemId));
    ASSERT_NE(widget, nullptr) << itemId;
    Mouse(widget, QEvent::MouseButtonPress, widget->rect().center(), Qt::LeftButton);
    Mouse(widget, QEvent::MouseButtonRelease, widget->rect().center(), Qt::NoButton);
}
void Drag(CTovikEliteAppDlg& window, int sliderId, int value)
{
    auto* slider = dynamic_cast<CSliderHMulti*>(Item(window, sliderId));
    CPHSlider* thumb = slider ? slider->Thumb(0) : nullptr;
    ASSERT_NE(thumb, nullptr);
    const QPoint target(thumb->PixelOfPosition(uint32_t(value - thumb->GetMin())) + thumb->HalfWidth(), thumb->y());
    Mouse(thumb, QEvent::MouseButtonPress, thumb->rect().center(), Qt::LeftButton);
    Mouse(thumb, QEvent::MouseMove, thumb->mapFromParent(target), Qt::LeftButton);
    Mouse(thumb, QEvent::MouseButtonRelease, thumb->mapFromParent(target), Qt::NoButton);
}
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
            Drag(window, ItemId::SLIDER_POWER_SLEEPTOIDLE, 5);
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
