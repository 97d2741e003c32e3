// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder fed with raw-input records as the application's input filter makes
// them from key and mouse events.
#include "controls/MacroRecorder.h"
#include "platform/NativeKeyEvent.h"
#include "platform/RawInputFilter.h"
#include "platform/core/VirtualKeys.h"

#include <QMouseEvent>
#include <gtest/gtest.h>

namespace {

constexpr Set1ScanCode kA{0x1E};
constexpr Set1ScanCode kB{0x30};

std::vector<RawInput> KeyRecords(QEvent::Type type, Set1ScanCode key, int qtKey, bool autoRepeat = false)
{
    auto event = MakeNativeKeyEvent(type, key, qtKey, Qt::NoModifier, autoRepeat);
    return RawInputFilter::KeyboardRecords(*event);
}

RawInput MouseRecord(USHORT buttonFlags)
{
    RawInput record;
    record.type = RIM_TYPEMOUSE;
    record.mouse.buttonFlags = buttonFlags;
    return record;
}

// Feeds every record of a key event at `tick`.
void Feed(CMacroRecorder& recorder, const std::vector<RawInput>& records, DWORD tick)
{
    ASSERT_FALSE(records.empty());
    for (const RawInput& record : records)
        recorder.OnRawInput(record, tick, false);
}

std::string Describe(const std::vector<MacroDisplayEvent>& events)
{
    std::string text;
    for (const MacroDisplayEvent& event : events) {
        switch (event.kind) {
        case MacroDisplayEventKind::Key:
            text += "key" + std::to_string(event.scanCode) + (event.down ? "v " : "^ ");
            break;
        case MacroDisplayEventKind::MouseButton:
            text += "btn" + std::to_string(event.button) + (event.down ? "v " : "^ ");
            break;
        case MacroDisplayEventKind::Delay:
            text += std::to_string(event.milliseconds) + "ms ";
            break;
        }
    }
    return text;
}

} // namespace

TEST(MacroRecorder, AHeldKeyIsOnePressAndOneReleaseWithOneDelay)
{
    CMacroRecorder recorder;
    ASSERT_TRUE(recorder.Start());
    Feed(recorder, KeyRecords(QEvent::KeyPress, kA, Qt::Key_A), 1000);
    for (DWORD tick : {1500u, 1530u, 1560u})
        Feed(recorder, KeyRecords(QEvent::KeyPress, kA, Qt::Key_A, true), tick);
    Feed(recorder, KeyRecords(QEvent::KeyRelease, kA, Qt::Key_A), 1800);
    EXPECT_EQ(Describe(recorder.Events()), "key30v 800ms key30^ ");
    EXPECT_EQ(recorder.Events().front().virtualKey, 'A');
    EXPECT_TRUE(recorder.HeldKeys().empty());

    // Once released, the key is taken again.
    Feed(recorder, KeyRecords(QEvent::KeyPress, kA, Qt::Key_A), 1810);
    EXPECT_EQ(Describe(recorder.Events()), "key30v 800ms key30^ 10ms key30v ");
}

TEST(MacroRecorder, OnlySingleButtonTransitionsAreClicks)
{
    struct Case {
        USHORT flags;
        const char* expected;
    };
    const Case cases[] = {
        {RI_MOUSE_LEFT_BUTTON_DOWN, "btn1v "},
        {RI_MOUSE_LEFT_BUTTON_UP, "btn1^ "},
        {RI_MOUSE_RIGHT_BUTTON_DOWN, "btn2v "},
        {RI_MOUSE_RIGHT_BUTTON_UP, "btn2^ "},
        {RI_MOUSE_MIDDLE_BUTTON_DOWN, "btn3v "},
        {RI_MOUSE_MIDDLE_BUTTON_UP, "btn3^ "},
        {RI_MOUSE_BUTTON_4_DOWN, "btn4v "},
        {RI_MOUSE_BUTTON_4_UP, "btn4^ "},
        {RI_MOUSE_BUTTON_5_DOWN, "btn5v "},
        {RI_MOUSE_BUTTON_5_UP, "btn5^ "},
        {RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_RIGHT_BUTTON_DOWN, ""},
        {RI_MOUSE_LEFT_BUTTON_DOWN | RI_MOUSE_LEFT_BUTTON_UP, ""},
        {RI_MOUSE_WHEEL, ""},
        {0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flags);
        CMacroRecorder recorder;
        recorder.Start();
        recorder.OnRawInput(MouseRecord(c.flags), 5, false);
        EXPECT_EQ(Describe(recorder.Events()), c.expected);
    }
}

TEST(MacroRecorder, ClicksOnTheStopControlAreNotRecorded)
{
    CMacroRecorder recorder;
    recorder.Start();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(1, 1), QPointF(1, 1), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    const auto record = RawInputFilter::MouseButtonRecord(press);
    ASSERT_TRUE(record);
    recorder.OnRawInput(*record, 10, true);
    EXPECT_TRUE(recorder.Events().empty());
    Feed(recorder, KeyRecords(QEvent::KeyPress, kB, Qt::Key_B), 20);
    recorder.OnRawInput(*record, 30, false);
    EXPECT_EQ(Describe(recorder.Events()), "key48v 10ms btn1v ");
}

TEST(MacroRecorder, DelaysFollowTheChosenMode)
{
    struct Case {
        const char* name;
        bool ignoreDelays;
        bool useDefault;
        uint32_t defaultDelay;
        const char* expected;
    };
    const Case cases[] = {
        {"measured", false, false, 0, "key30v 120ms key30^ 1ms key48v "},
        {"ignored", true, false, 0, "key30v key30^ key48v "},
        {"default", false, true, 25, "key30v 25ms key30^ 25ms key48v "},
        {"ignore wins over default", true, true, 25, "key30v key30^ key48v "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMacroRecorder recorder;
        recorder.SetIgnoreDelays(c.ignoreDelays);
        recorder.SetUseDefaultDelay(c.useDefault);
        recorder.SetDefaultDelay(c.defaultDelay);
        recorder.Start();
        Feed(recorder, KeyRecords(QEvent::KeyPress, kA, Qt::Key_A), 100);
        Feed(recorder, KeyRecords(QEvent::KeyRelease, kA, Qt::Key_A), 220);
        // The same tick: the shortest delay is 1 ms.
        Feed(recorder, KeyRecords(QEvent::KeyPress, kB, Qt::Key_B), 220);
        EXPECT_EQ(Describe(recorder.Events()), c.expected);
    }
}

TEST(MacroRecorder, LongGapsAreClampedAndTheCounterWrapIsMeasuredRight)
{
    struct Case {
        const char* name;
        DWORD first, second;
        uint32_t expected;
    };
    const Case cases[] = {
        {"five hours", 1000, 1000 + 5u * 3600 * 1000, CMacroRecorder::kMaxDelayMs},
        {"just below the limit", 0, CMacroRecorder::kMaxDelayMs - 1, CMacroRecorder::kMaxDelayMs - 1},
        {"across the wrap", 0xFFFFFF00u, 0x100u, 0x200u},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMacroRecorder recorder;
        recorder.Start();
        Feed(recorder, KeyRecords(QEvent::KeyPress, kA, Qt::Key_A), c.first);
        Feed(recorder, KeyRecords(QEvent::KeyRelease, kA, Qt::Key_A), c.second);
        ASSERT_EQ(recorder.Events().size(), 3u);
        EXPECT_EQ(recorder.Events()[1].milliseconds, c.expected);
    }
}

TEST(MacroRecorder, KeysThatCannotBeStoredAreDropped)
{
    struct Case {
        const char* name;
        RawKeyboard key;
    };
    const Case cases[] = {
        {"scan code 0", {0, RI_KEY_MAKE, 'A', WM_KEYDOWN}},
        {"E1 prefix", {0x1D, RI_KEY_E1, VK_PAUSE, WM_KEYDOWN}},
        {"extended without a virtual key", {0x2A, RI_KEY_E0, 0xFF, WM_KEYDOWN}},
        {"no name", {0x7F, RI_KEY_MAKE, 0x88, WM_KEYDOWN}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CMacroRecorder recorder;
        recorder.Start();
        RawInput record;
        record.keyboard = c.key;
        EXPECT_EQ(recorder.OnRawInput(record, 1, false), 0);
        EXPECT_TRUE(recorder.Events().empty());
    }
}

TEST(MacroRecorder, PauseIsRecordedFromItsSecondRecordAndDoesNotHoldCtrl)
{
    CMacroRecorder recorder;
    recorder.Start();
    Feed(recorder, KeyRecords(QEvent::KeyPress, Set1ScanCode{0x1D, false, true}, Qt::Key_Pause), 10);
    ASSERT_EQ(recorder.Events().size(), 1u);
    EXPECT_EQ(recorder.Events()[0].scanCode, 0x45);
    EXPECT_EQ(recorder.Events()[0].virtualKey, VK_PAUSE);
    // Left Ctrl shares the make code of Pause's E1 record but is another key.
    Feed(recorder, KeyRecords(QEvent::KeyPress, Set1ScanCode{0x1D}, Qt::Key_Control), 20);
    EXPECT_EQ(Describe(recorder.Events()), "key69v 10ms key29v ");
}

TEST(MacroRecorder, AFullRecordingTakesNoMoreAndNeverEndsInADelay)
{
    CMacroRecorder recorder;
    recorder.SetMaxEvents(4);
    recorder.Start();
    Feed(recorder, KeyRecords(QEvent::KeyPress, kA, Qt::Key_A), 10);
    Feed(recorder, KeyRecords(QEvent::KeyRelease, kA, Qt::Key_A), 20);
    EXPECT_FALSE(recorder.IsFull());
    // A delay and an event no longer fit into the one place left.
    Feed(recorder, KeyRecords(QEvent::KeyPress, kB, Qt::Key_B), 30);
    EXPECT_EQ(Describe(recorder.Events()), "key30v 10ms key30^ ");
    recorder.SetIgnoreDelays(true);
    Feed(recorder, KeyRecords(QEvent::KeyRelease, kB, Qt::Key_B), 40);
    EXPECT_TRUE(recorder.IsFull());
    EXPECT_EQ(Describe(recorder.Events()), "key30v 10ms key30^ key48^ ");
}

TEST(MacroRecorder, NothingIsTakenUnlessRecordingAndNeverWhenReadOnly)
{
    CMacroRecorder recorder;
    recorder.OnRawInput(MouseRecord(RI_MOUSE_LEFT_BUTTON_DOWN), 1, false);
    EXPECT_TRUE(recorder.Events().empty());
    recorder.Start();
    recorder.SetReadOnly(true);
    EXPECT_FALSE(recorder.IsRecording());
    EXPECT_FALSE(recorder.Start());
    recorder.OnRawInput(MouseRecord(RI_MOUSE_LEFT_BUTTON_DOWN), 2, false);
    EXPECT_TRUE(recorder.Events().empty());
}
