// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/MacroDisplayItem.h"
#include "skin/LangTable.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

struct LanguageGuard {
    CLangTable english{0};
    LanguageGuard()
    {
        ResetLanguages();
        english.AddPair(u"seconds delay", u"seconds");
        english.AddPair(u"LeftButtonDown", u"Left button pressed");
        SetCurrentLanguage(&english);
    }
    ~LanguageGuard() { ResetLanguages(); }
};

MacroDisplayEvent Key(std::u16string name, bool down)
{
    return MacroDisplayEvent{MacroDisplayEventKind::Key, std::move(name), down, 0.0};
}

MacroDisplayEvent Delay(double seconds)
{
    return MacroDisplayEvent{MacroDisplayEventKind::Delay, {}, false, seconds};
}

} // namespace

TEST(MacroDisplay, RowDescriptions)
{
    LanguageGuard language;
    EXPECT_EQ(CMacroDisplayItem::Describe(Key(u"A", true)), QStringLiteral("ADown"));
    EXPECT_EQ(CMacroDisplayItem::Describe(Key(u"Shift", false)), QStringLiteral("ShiftUp"));
    EXPECT_EQ(CMacroDisplayItem::Describe(MacroDisplayEvent{MacroDisplayEventKind::MouseButton, u"$LeftButton", true}),
              QStringLiteral("Left button pressed"));
    // A text key without a translation is shown as written.
    EXPECT_EQ(CMacroDisplayItem::Describe(Key(u"$F13", false)), QStringLiteral("$F13Up"));
    EXPECT_EQ(CMacroDisplayItem::Describe(Delay(0.05)), QStringLiteral("0.050 seconds"));
    EXPECT_EQ(CMacroDisplayItem::Describe(Delay(12.3456)), QStringLiteral("12.346 seconds"));
}

TEST(MacroDisplay, AddingSelectsAndScrollsToTheNewRowWithinTheLimit)
{
    LanguageGuard language;
    RecordingWindow parent;
    CMacroDisplayItem display(315, &parent, &parent, SkinRect{0, 0, 200, 100});
    display.SetMaxEvents(6);
    display.show();
    const int visible = display.VisibleRows();
    ASSERT_GE(visible, 2);
    ASSERT_LT(visible, 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(display.AddEvent(i % 2 ? Key(u"A", false) : Key(u"A", true)), i);
    EXPECT_EQ(display.AddEvent(Delay(1.0)), -1);
    EXPECT_EQ(display.Count(), 6);
    EXPECT_EQ(display.Selected(), 5);
    EXPECT_EQ(display.TopRow(), 6 - visible);

    // A click selects the row under the pointer.
    QTest::mouseClick(&display, Qt::LeftButton, {}, QPoint(50, display.RowHeight() / 2));
    EXPECT_EQ(display.Selected(), display.TopRow());
    display.Select(0);
    EXPECT_EQ(display.TopRow(), 0);
    display.Clear();
    EXPECT_EQ(display.Count(), 0);
    EXPECT_EQ(display.Selected(), -1);
}

TEST(MacroDisplay, IconsFollowTheEventKindAndSelection)
{
    LanguageGuard language;
    RecordingWindow parent;
    CMacroDisplayItem display(315, &parent, &parent, SkinRect{0, 0, 220, 120});
    CMacroDisplayItem::Icons icons{SolidImage(12, 12, Qt::green), SolidImage(12, 12, Qt::red),
                                   SolidImage(12, 12, Qt::blue),  SolidImage(12, 12, Qt::cyan),
                                   SolidImage(12, 12, Qt::gray),  SolidImage(12, 12, Qt::white)};
    display.SetIcons(icons);
    display.SetColumns(20, 0);
    display.SetBorderWidth(1);
    display.show();
    display.AddEvent(Key(u"A", true));
    display.AddEvent(Key(u"A", false));
    display.AddEvent(MacroDisplayEvent{MacroDisplayEventKind::MouseButton, u"$LeftButton", true});
    display.AddEvent(Delay(0.25));
    EXPECT_EQ(display.RowIcon(0).pixelColor(0, 0), QColor(Qt::green));
    EXPECT_EQ(display.RowIcon(1).pixelColor(0, 0), QColor(Qt::red));
    EXPECT_EQ(display.RowIcon(2).pixelColor(0, 0), QColor(Qt::blue));
    EXPECT_EQ(display.RowIcon(3).pixelColor(0, 0), QColor(Qt::white)); // selected delay
    display.Select(2);
    EXPECT_EQ(display.RowIcon(2).pixelColor(0, 0), QColor(Qt::cyan));
    EXPECT_EQ(display.RowIcon(3).pixelColor(0, 0), QColor(Qt::gray));
    EXPECT_EQ(display.RowText(3), QStringLiteral("0.250 seconds"));
    display.grab().save(QDir::currentPath() + QStringLiteral("/macro_display.png"));
}

TEST(MacroDisplay, InsertionGoesAfterTheGivenRowAndRespectsTheLimit)
{
    RecordingWindow parent;
    CMacroDisplayItem display(315, &parent, &parent, SkinRect{0, 0, 200, 100});
    display.SetMaxEvents(5);
    display.SetEvents(
        {MacroDisplayEvent::Key(0x1E, 'A', true, false), MacroDisplayEvent::Key(0x1E, 'A', false, false)});
    EXPECT_EQ(display.Selected(), -1);
    EXPECT_EQ(display.InsertEvents(-1, {MacroDisplayEvent::Delay(10)}), 0);
    EXPECT_EQ(display.InsertEvents(1, {MacroDisplayEvent::Delay(20), MacroDisplayEvent::Delay(30)}), 3);
    EXPECT_EQ(display.Selected(), 3);
    std::vector<uint32_t> delays;
    for (const auto& event : display.Events())
        delays.push_back(event.milliseconds);
    EXPECT_EQ(delays, (std::vector<uint32_t>{10, 0, 20, 30, 0}));
    // Full: nothing of a command that does not fit goes in, nor after a row that is not there.
    EXPECT_EQ(display.InsertEvents(4, {MacroDisplayEvent::Delay(40)}), -1);
    ASSERT_TRUE(display.RemoveEvent(0));
    EXPECT_EQ(display.InsertEvents(4, {MacroDisplayEvent::Delay(40)}), -1);
    EXPECT_EQ(display.InsertEvents(3, {MacroDisplayEvent::Delay(40)}), 4);
    EXPECT_EQ(display.Count(), 5);
}

TEST(MacroDisplay, RecordsFromRawInputOnlyWhileRegisteredAndReadOnlyNever)
{
    RecordingWindow parent;
    CMacroDisplayItem display(315, &parent, &parent, SkinRect{0, 0, 200, 100});
    display.Recorder().SetIgnoreDelays(true);
    RawInput click;
    click.type = RIM_TYPEMOUSE;
    click.mouse.buttonFlags = RI_MOUSE_RIGHT_BUTTON_DOWN;

    ASSERT_TRUE(display.StartRecording(nullptr));
    const auto keyboard = GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD);
    const auto mouse = GetRawInputRegistration(HID_USAGE_GENERIC_MOUSE);
    ASSERT_TRUE(keyboard && mouse);
    EXPECT_EQ(keyboard->target, static_cast<HWND>(&display));
    EXPECT_EQ(keyboard->flags, RIDEV_INPUTSINK | RIDEV_NOLEGACY);
    EXPECT_EQ(mouse->flags, RIDEV_INPUTSINK);
    EXPECT_TRUE(DeliverRawInput(click));
    EXPECT_EQ(display.Count(), 1);
    EXPECT_EQ(display.Selected(), 0);

    const auto events = display.StopRecording();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].button, 2);
    EXPECT_FALSE(GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD));
    EXPECT_FALSE(GetRawInputRegistration(HID_USAGE_GENERIC_MOUSE));
    EXPECT_FALSE(DeliverRawInput(click));

    display.SetReadOnly(true);
    EXPECT_FALSE(display.StartRecording(nullptr));
    EXPECT_FALSE(GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD));
}

TEST(MacroDisplay, APreviewPlaysEveryEventAndStopClearsIt)
{
    RecordingWindow parent;
    CMacroDisplayItem display(316, &parent, &parent, SkinRect{0, 0, 200, 100});
    display.SetReadOnly(true);
    const std::vector<MacroDisplayEvent> events{MacroDisplayEvent::Key(0x1E, 'A', true, false),
                                                MacroDisplayEvent::Delay(30),
                                                MacroDisplayEvent::Key(0x1E, 'A', false, false)};
    display.StartPreview(events, 5, 50);
    EXPECT_TRUE(display.IsPreviewing());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !display.IsPreviewing(); }, 5000));
    ASSERT_EQ(display.Count(), 3);
    EXPECT_TRUE(display.Event(2).SameAs(events[2]));
    EXPECT_EQ(display.Selected(), 2);

    display.StartPreview(events, 1000, 1000);
    display.StopPreview();
    EXPECT_FALSE(display.IsPreviewing());
    EXPECT_EQ(display.Count(), 0);
}
