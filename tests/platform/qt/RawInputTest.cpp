// SPDX-License-Identifier: GPL-3.0-or-later
// Raw input: registration rules, and key and mouse events of the application
// turned into records for the registered window.
#include "platform/NativeKeyEvent.h"
#include "platform/RawInputFilter.h"
#include "platform/SkinWindow.h"
#include "platform/core/ScanCodes.h"
#include "platform/core/VirtualKeys.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QWindow>
#include <gtest/gtest.h>
#include <vector>

namespace {

class RawSink : public CSkinWindow {
public:
    LRESULT WindowProc(UINT msg, WPARAM, LPARAM lParam) override
    {
        if (msg == WM_INPUT)
            records.push_back(*reinterpret_cast<const RawInput*>(lParam));
        return 0;
    }
    std::vector<RawInput> records;
};

// A widget that counts the key presses that reach it the ordinary way.
class KeyCounter : public QWidget {
public:
    void keyPressEvent(QKeyEvent*) override { ++presses; }
    int presses = 0;
};

bool Register(HWND target, DWORD keyboardFlags = RIDEV_INPUTSINK, DWORD mouseFlags = RIDEV_INPUTSINK)
{
    const RawInputDevice devices[] = {
        {HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_KEYBOARD, keyboardFlags, target},
        {HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_MOUSE, mouseFlags, target},
    };
    return RegisterRawInputDevices(devices, 2);
}

void Unregister()
{
    const RawInputDevice devices[] = {
        {HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_KEYBOARD, RIDEV_REMOVE, nullptr},
        {HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_MOUSE, RIDEV_REMOVE, nullptr},
    };
    RegisterRawInputDevices(devices, 2);
}

// A key event as the X11 or Wayland platform delivers it: the native scan code is
// the evdev code plus 8.
void SendKey(QWindow* window, QEvent::Type type, uint32_t evdev, int qtKey,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier, bool autoRepeat = false)
{
    QKeyEvent event(type, qtKey, modifiers, evdev + kXkbKeycodeOffset, 0, 0, QString(), autoRepeat);
    QApplication::sendEvent(window, &event);
}

TEST(NativeKeyEvent, CarriesTheCodeThePlatformWouldReport)
{
    auto up = MakeNativeKeyEvent(QEvent::KeyPress, {0x48, true, false}, Qt::Key_Up);
    EXPECT_EQ(up->nativeScanCode(), 103u + kXkbKeycodeOffset);
    auto record = RawInputFilter::KeyboardRecord(*up);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->keyboard.makeCode, 0x48);
    EXPECT_EQ(record->keyboard.flags, RI_KEY_E0);
    auto release = MakeNativeKeyEvent(QEvent::KeyRelease, {0x2A, false, false}, Qt::Key_Shift);
    EXPECT_EQ(RawInputFilter::KeyboardRecord(*release)->keyboard.flags, RI_KEY_BREAK);
    EXPECT_EQ(MakeNativeKeyEvent(QEvent::KeyPress, {0x7F, true, false}, 0)->nativeScanCode(), 0u);
}

void SendButton(QWindow* window, QEvent::Type type, Qt::MouseButton button)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(5, 5), QPointF(5, 5), QPointF(5, 5), button, held, Qt::NoModifier);
    QApplication::sendEvent(window, &event);
}

class RawInputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host_.resize(100, 100);
        counter_ = new KeyCounter;
        counter_->setParent(&host_);
        counter_->setFocusPolicy(Qt::StrongFocus);
        host_.show();
        counter_->setFocus();
        window_ = host_.windowHandle();
        ASSERT_NE(window_, nullptr);
    }
    void TearDown() override { Unregister(); }

    CSkinWindow host_;
    KeyCounter* counter_ = nullptr;
    QWindow* window_ = nullptr;
    RawSink sink_;
};

TEST_F(RawInputTest, RegistrationNeedsATargetAndRemovalNeedsNone)
{
    EXPECT_FALSE(Register(nullptr));
    EXPECT_FALSE(GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD));
    const RawInputDevice bad[] = {
        {HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_KEYBOARD, 0, &sink_},
        {HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_MOUSE, RIDEV_REMOVE, &sink_},
    };
    EXPECT_FALSE(RegisterRawInputDevices(bad, 2));
    EXPECT_FALSE(GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD)) << "a refused batch changes nothing";
    const RawInputDevice otherUsage{HID_USAGE_PAGE_GENERIC, 0x05, 0, &sink_};
    EXPECT_FALSE(RegisterRawInputDevices(&otherUsage, 1));

    EXPECT_TRUE(Register(&sink_));
    EXPECT_EQ(GetRawInputRegistration(HID_USAGE_GENERIC_MOUSE)->target, &sink_);
    Unregister();
    EXPECT_FALSE(GetRawInputRegistration(HID_USAGE_GENERIC_MOUSE));
}

TEST_F(RawInputTest, KeysBecomeSet1RecordsWithPrefixFlagsAndGenericVirtualKeys)
{
    ASSERT_TRUE(Register(&sink_));
    SendKey(window_, QEvent::KeyPress, 30, Qt::Key_A);        // A
    SendKey(window_, QEvent::KeyRelease, 30, Qt::Key_A);      // A released
    SendKey(window_, QEvent::KeyPress, 97, Qt::Key_Control);  // right Ctrl
    SendKey(window_, QEvent::KeyPress, 29, Qt::Key_Control);  // left Ctrl
    SendKey(window_, QEvent::KeyPress, 106, Qt::Key_Right);   // Right arrow
    SendKey(window_, QEvent::KeyRelease, 106, Qt::Key_Right); // Right arrow released
    SendKey(window_, QEvent::KeyPress, 54, Qt::Key_Shift);    // right Shift (not extended)
    SendKey(window_, QEvent::KeyPress, 119, Qt::Key_Pause);   // Pause

    ASSERT_EQ(sink_.records.size(), 9u);
    auto expect = [&](size_t i, USHORT make, USHORT flags, USHORT vk, UINT message) {
        SCOPED_TRACE(i);
        const RawInput& r = sink_.records[i];
        EXPECT_EQ(r.type, RIM_TYPEKEYBOARD);
        EXPECT_EQ(r.keyboard.makeCode, make);
        EXPECT_EQ(r.keyboard.flags, flags);
        EXPECT_EQ(r.keyboard.vKey, vk);
        EXPECT_EQ(r.keyboard.message, message);
    };
    expect(0, 0x1E, RI_KEY_MAKE, 'A', WM_KEYDOWN);
    expect(1, 0x1E, RI_KEY_BREAK, 'A', WM_KEYUP);
    expect(2, 0x1D, RI_KEY_E0, VK_CONTROL, WM_KEYDOWN);
    expect(3, 0x1D, RI_KEY_MAKE, VK_CONTROL, WM_KEYDOWN);
    expect(4, 0x4D, RI_KEY_E0, VK_RIGHT, WM_KEYDOWN);
    expect(5, 0x4D, RI_KEY_E0 | RI_KEY_BREAK, VK_RIGHT, WM_KEYUP);
    expect(6, 0x36, RI_KEY_MAKE, VK_SHIFT, WM_KEYDOWN);
    expect(7, 0x1D, RI_KEY_E1, VK_PAUSE, WM_KEYDOWN);
    expect(8, 0x45, RI_KEY_MAKE, 0xFF, WM_KEYDOWN); // the rest of Pause's E1 1D 45
}

TEST_F(RawInputTest, KeypadVirtualKeyFollowsWhatTheKeyProduced)
{
    ASSERT_TRUE(Register(&sink_));
    SendKey(window_, QEvent::KeyPress, 71, Qt::Key_7, Qt::KeypadModifier);      // keypad 7, Num Lock on
    SendKey(window_, QEvent::KeyPress, 71, Qt::Key_Home, Qt::KeypadModifier);   // keypad 7, Num Lock off
    SendKey(window_, QEvent::KeyPress, 83, Qt::Key_Period, Qt::KeypadModifier); // keypad .
    SendKey(window_, QEvent::KeyPress, 102, Qt::Key_Home);                      // the Home key itself
    ASSERT_EQ(sink_.records.size(), 4u);
    EXPECT_EQ(sink_.records[0].keyboard.vKey, VK_NUMPAD0 + 7);
    EXPECT_EQ(sink_.records[1].keyboard.vKey, VK_HOME);
    EXPECT_EQ(sink_.records[1].keyboard.flags, RI_KEY_MAKE);
    EXPECT_EQ(sink_.records[2].keyboard.vKey, VK_DECIMAL);
    EXPECT_EQ(sink_.records[3].keyboard.vKey, VK_HOME);
    EXPECT_EQ(sink_.records[3].keyboard.flags, RI_KEY_E0);
}

TEST_F(RawInputTest, AltMakesSystemKeyMessages)
{
    ASSERT_TRUE(Register(&sink_));
    SendKey(window_, QEvent::KeyPress, 56, Qt::Key_Alt);
    SendKey(window_, QEvent::KeyPress, 62, Qt::Key_F4, Qt::AltModifier);
    SendKey(window_, QEvent::KeyPress, 30, Qt::Key_A, Qt::AltModifier | Qt::ControlModifier);
    ASSERT_EQ(sink_.records.size(), 3u);
    EXPECT_EQ(sink_.records[0].keyboard.message, WM_SYSKEYDOWN);
    EXPECT_EQ(sink_.records[1].keyboard.message, WM_SYSKEYDOWN);
    EXPECT_EQ(sink_.records[2].keyboard.message, WM_KEYDOWN);
}

TEST_F(RawInputTest, RepeatedPressesArriveButRepeatedReleasesDoNot)
{
    ASSERT_TRUE(Register(&sink_));
    SendKey(window_, QEvent::KeyPress, 30, Qt::Key_A);
    SendKey(window_, QEvent::KeyRelease, 30, Qt::Key_A, Qt::NoModifier, true);
    SendKey(window_, QEvent::KeyPress, 30, Qt::Key_A, Qt::NoModifier, true);
    SendKey(window_, QEvent::KeyRelease, 30, Qt::Key_A);
    ASSERT_EQ(sink_.records.size(), 3u);
    EXPECT_EQ(sink_.records[1].keyboard.flags, RI_KEY_MAKE);
    EXPECT_EQ(sink_.records[2].keyboard.flags, RI_KEY_BREAK);
}

TEST_F(RawInputTest, KeysWithoutAScanCodeAreNotReported)
{
    ASSERT_TRUE(Register(&sink_));
    QKeyEvent synthetic(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier); // native scan code 0
    QApplication::sendEvent(window_, &synthetic);
    SendKey(window_, QEvent::KeyPress, 84, Qt::Key_unknown); // no set-1 code
    EXPECT_TRUE(sink_.records.empty());
}

TEST_F(RawInputTest, NoLegacyKeepsKeysFromWidgetsOnlyWhileRegistered)
{
    SendKey(window_, QEvent::KeyPress, 30, Qt::Key_A);
    EXPECT_EQ(counter_->presses, 1);

    ASSERT_TRUE(Register(&sink_, RIDEV_INPUTSINK | RIDEV_NOLEGACY));
    SendKey(window_, QEvent::KeyPress, 30, Qt::Key_A);
    EXPECT_EQ(counter_->presses, 1) << "with no-legacy the key must not reach the focused widget";
    EXPECT_EQ(sink_.records.size(), 1u);

    ASSERT_TRUE(Register(&sink_));
    SendKey(window_, QEvent::KeyPress, 30, Qt::Key_A);
    EXPECT_EQ(counter_->presses, 2);
    EXPECT_EQ(sink_.records.size(), 2u);

    Unregister();
    SendKey(window_, QEvent::KeyPress, 30, Qt::Key_A);
    EXPECT_EQ(sink_.records.size(), 2u);
    EXPECT_EQ(counter_->presses, 3);
}

TEST_F(RawInputTest, MouseButtonsBecomeOneFlagPerTransition)
{
    ASSERT_TRUE(Register(&sink_));
    SendButton(window_, QEvent::MouseButtonPress, Qt::LeftButton);
    SendButton(window_, QEvent::MouseButtonRelease, Qt::LeftButton);
    SendButton(window_, QEvent::MouseButtonDblClick, Qt::LeftButton); // a second click is still a press
    SendButton(window_, QEvent::MouseButtonPress, Qt::RightButton);
    SendButton(window_, QEvent::MouseButtonRelease, Qt::MiddleButton);
    SendButton(window_, QEvent::MouseButtonPress, Qt::XButton1);
    SendButton(window_, QEvent::MouseButtonRelease, Qt::XButton2);
    SendButton(window_, QEvent::MouseButtonPress, Qt::ExtraButton4); // no flag for it
    const std::vector<USHORT> expected = {
        RI_MOUSE_LEFT_BUTTON_DOWN, RI_MOUSE_LEFT_BUTTON_UP, RI_MOUSE_LEFT_BUTTON_DOWN, RI_MOUSE_RIGHT_BUTTON_DOWN,
        RI_MOUSE_MIDDLE_BUTTON_UP, RI_MOUSE_BUTTON_4_DOWN,  RI_MOUSE_BUTTON_5_UP};
    std::vector<USHORT> flags;
    for (const RawInput& r : sink_.records) {
        EXPECT_EQ(r.type, RIM_TYPEMOUSE);
        flags.push_back(r.mouse.buttonFlags);
    }
    EXPECT_EQ(flags, expected);
}

TEST_F(RawInputTest, WheelCarriesItsSignedDelta)
{
    ASSERT_TRUE(Register(&sink_));
    QWheelEvent down(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    QApplication::sendEvent(window_, &down);
    QWheelEvent sideways(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(240, 0), Qt::NoButton, Qt::NoModifier,
                         Qt::NoScrollPhase, false);
    QApplication::sendEvent(window_, &sideways);
    ASSERT_EQ(sink_.records.size(), 2u);
    EXPECT_EQ(sink_.records[0].mouse.buttonFlags, RI_MOUSE_WHEEL);
    EXPECT_EQ(int16_t(sink_.records[0].mouse.buttonData), -120);
    EXPECT_EQ(sink_.records[1].mouse.buttonFlags, RI_MOUSE_HWHEEL);
    EXPECT_EQ(int16_t(sink_.records[1].mouse.buttonData), 240);
}

TEST_F(RawInputTest, DestroyedTargetLosesItsRegistration)
{
    auto* target = new RawSink;
    ASSERT_TRUE(Register(target));
    delete target;
    EXPECT_FALSE(GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD));
    SendKey(window_, QEvent::KeyPress, 30, Qt::Key_A); // must not reach the destroyed window
    EXPECT_EQ(counter_->presses, 1);
}

} // namespace
