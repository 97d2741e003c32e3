// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/EditItemSingleKey.h"
#include "platform/NativeKeyEvent.h"

#include <gtest/gtest.h>

namespace {

constexpr USHORT kCtrlScan = 29;
constexpr USHORT kShiftScan = 42;
constexpr USHORT kAScan = 30;
constexpr USHORT kBScan = 48;

RawKeyboard Down(USHORT scan, USHORT vKey, USHORT extra = 0)
{
    return RawKeyboard{scan, USHORT(RI_KEY_MAKE | extra), vKey, WM_KEYDOWN};
}

RawKeyboard Up(USHORT scan, USHORT vKey, USHORT extra = 0)
{
    return RawKeyboard{scan, USHORT(RI_KEY_BREAK | extra), vKey, WM_KEYUP};
}

struct MmoRig {
    RecordingWindow owner;
    CEditItemSingleKeyInputMMO field{310, &owner, &owner, SkinRect{10, 10, 160, 30}, 1};
    uint32_t seconds = 100;
    MmoRig()
    {
        CEditItemSingleKeyInputMMO::ResetReferenceTime();
        CEditItemSingleKeyInputMMO::SetSecondsClock([this] { return seconds; });
        field.show();
    }
    ~MmoRig()
    {
        CEditItemSingleKeyInputMMO::SetSecondsClock({});
        CEditItemSingleKeyInputMMO::ResetReferenceTime();
    }
    // Delivered as the popup's raw-input registration would.
    void Feed(const RawKeyboard& key)
    {
        RawInput record;
        record.type = RIM_TYPEKEYBOARD;
        record.keyboard = key;
        field.SendMessage(WM_INPUT, 0, reinterpret_cast<LPARAM>(&record));
    }
};

} // namespace

TEST(SingleKeyField, ShowsTheNameOfEveryNamedKey)
{
    RecordingWindow owner;
    CEditItemSingleKeyInput field(310, &owner, &owner, SkinRect{10, 10, 160, 30}, 1);
    field.show();
    RawInput record;
    record.keyboard = Down(kAScan, 'A');
    field.SendMessage(WM_INPUT, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(field.GetText(), QStringLiteral("A"));
    EXPECT_EQ(field.LastScanCode(), kAScan);
    EXPECT_EQ(field.Edit()->cursorPosition(), 1);
    // Extended keys are told apart from their plain twins.
    record.keyboard = Down(kCtrlScan, 17, RI_KEY_E0);
    field.SendMessage(WM_INPUT, 0, reinterpret_cast<LPARAM>(&record));
    const QString rightCtrl = field.GetText();
    record.keyboard = Down(kCtrlScan, 17);
    field.SendMessage(WM_INPUT, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_NE(field.GetText(), rightCtrl);
    // Typing does nothing, and mouse records are not keys.
    QTest::keyClicks(field.Edit(), QStringLiteral("xy"));
    record.type = RIM_TYPEMOUSE;
    field.SendMessage(WM_INPUT, 0, reinterpret_cast<LPARAM>(&record));
    EXPECT_EQ(field.LastScanCode(), kCtrlScan);
    EXPECT_FALSE(field.GetText().contains(QStringLiteral("xy")));
}

TEST(SingleKeyField, ModifiersHeldWithAKeyAreRecordedUntilReleased)
{
    MmoRig rig;
    rig.Feed(Down(kCtrlScan, 17));
    EXPECT_EQ(rig.field.GetState(), CEditItemSingleKeyInputMMO::ModifiersHeld);
    EXPECT_EQ(rig.field.Modifiers(), CEditItemSingleKeyInputMMO::kCtrl);
    rig.Feed(Down(kAScan, 'A'));
    EXPECT_EQ(rig.field.GetState(), CEditItemSingleKeyInputMMO::KeyCaptured);
    EXPECT_EQ(rig.field.ShownText(), QStringLiteral("A"));
    EXPECT_EQ(rig.field.Modifiers(), CEditItemSingleKeyInputMMO::kCtrl);
    ASSERT_EQ(rig.owner.Of(WM_SINGLE_KEY_CHANGED).size(), 1u);

    rig.Feed(Up(kCtrlScan, 17));
    EXPECT_EQ(rig.field.Modifiers(), 0);
    EXPECT_EQ(rig.field.ShownText(), QStringLiteral("A"));
    rig.Feed(Up(kAScan, 'A'));
    EXPECT_EQ(rig.field.GetState(), CEditItemSingleKeyInputMMO::Released);

    // Within the same second the field keeps the key; Shift pressed then still counts.
    rig.Feed(Down(kShiftScan, 16));
    EXPECT_EQ(rig.field.ShownText(), QStringLiteral("A"));
    rig.Feed(Down(kBScan, 'B'));
    EXPECT_EQ(rig.field.ShownText(), QStringLiteral("B"));
    EXPECT_EQ(rig.field.Modifiers(), CEditItemSingleKeyInputMMO::kShift);
    EXPECT_EQ(rig.owner.Of(WM_SINGLE_KEY_CHANGED).size(), 2u);
}

TEST(SingleKeyField, InputAfterTheReleasedSecondStartsAgain)
{
    MmoRig rig;
    rig.Feed(Down(kAScan, 'A'));
    rig.Feed(Up(kAScan, 'A'));
    EXPECT_EQ(rig.field.GetState(), CEditItemSingleKeyInputMMO::Released);
    rig.seconds += 2;
    rig.Feed(Down(kCtrlScan, 17));
    EXPECT_EQ(rig.field.ShownText(), QString());
    EXPECT_EQ(rig.field.GetState(), CEditItemSingleKeyInputMMO::ModifiersHeld);
    rig.Feed(Down(kBScan, 'B'));
    EXPECT_EQ(rig.field.ShownText(), QStringLiteral("B"));
    EXPECT_EQ(rig.field.Modifiers(), CEditItemSingleKeyInputMMO::kCtrl);
    // A modifier, the right Ctrl included, is never the key; an extended key brings its bit.
    rig.Feed(Down(kCtrlScan, 17, RI_KEY_E0));
    EXPECT_EQ(rig.field.Modifiers() & CEditItemSingleKeyInputMMO::kExtended, 0);
    rig.Feed(Down(0x47, 36, RI_KEY_E0)); // Home on the navigation block
    EXPECT_EQ(rig.field.Modifiers() & CEditItemSingleKeyInputMMO::kExtended, CEditItemSingleKeyInputMMO::kExtended);
    // A key without a name changes nothing.
    const QString before = rig.field.ShownText();
    rig.Feed(Down(0x7F, 0));
    EXPECT_EQ(rig.field.ShownText(), before);
}

TEST(SingleKeyField, KeyMessagesShowNamesButSkipRepeatsAndEditingKeys)
{
    MmoRig rig;
    auto send = [&rig](Set1ScanCode key, int qtKey, bool repeat = false) {
        auto event = MakeNativeKeyEvent(QEvent::KeyPress, key, qtKey, Qt::NoModifier, repeat);
        QApplication::sendEvent(rig.field.Edit(), event.get());
    };
    send({kAScan, false, false}, Qt::Key_A);
    EXPECT_EQ(rig.field.GetText(), QStringLiteral("A"));
    send({kBScan, false, false}, Qt::Key_B, true); // auto-repeat
    send({0x39, false, false}, Qt::Key_Space);
    send({0x0E, false, false}, Qt::Key_Backspace);
    send({0x47, true, false}, Qt::Key_Home);
    EXPECT_EQ(rig.field.GetText(), QStringLiteral("A"));
    send({kBScan, false, false}, Qt::Key_B);
    EXPECT_EQ(rig.field.GetText(), QStringLiteral("B"));
    EXPECT_EQ(rig.owner.Of(WM_SINGLE_KEY_CHANGED).size(), 2u);
}

TEST(SingleKeyField, RecordedKeysKeepTheirSideAndPauseIsOneKey)
{
    struct Case {
        const char* what;
        RawKeyboard key;
        USHORT virtualKey;
        USHORT scanCode;
    };
    const Case cases[] = {
        {"left shift", Down(kShiftScan, 16), 160, kShiftScan},
        {"right shift", Down(0x36, 16), 161, 0x36},
        {"left ctrl", Down(kCtrlScan, 17), 162, kCtrlScan},
        {"right ctrl", Down(kCtrlScan, 17, RI_KEY_E0), 163, kCtrlScan},
        {"left alt", Down(56, 18), 164, 56},
        {"right alt", Down(56, 18, RI_KEY_E0), 165, 56},
        {"return", Down(0x1C, 13), 13, 0x1C},
        {"keypad return", Down(0x1C, 13, RI_KEY_E0), 108, 0x1C},
        // The keyboard's first record of Pause carries 0x1D, which is not Ctrl.
        {"pause", Down(kCtrlScan, 19, RI_KEY_E1), 19, 0x45},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingWindow owner;
        CEditItemSingleKeyInput field(310, &owner, &owner, SkinRect{10, 10, 160, 30}, 1);
        RawInput record;
        record.keyboard = c.key;
        field.SendMessage(WM_INPUT, 0, reinterpret_cast<LPARAM>(&record));
        EXPECT_EQ(field.LastVirtualKey(), c.virtualKey);
        EXPECT_EQ(field.LastScanCode(), c.scanCode);
        EXPECT_FALSE(field.LastKeyName().empty());
    }
}

TEST(KeyWithModifiersField, PauseIsCapturedAloneNotAsCtrlPause)
{
    MmoRig rig;
    rig.Feed(Down(kCtrlScan, 19, RI_KEY_E1));
    rig.Feed(Down(0x45, 0xFF)); // the second record of the same press
    EXPECT_EQ(rig.field.CapturedVirtualKey(), 19);
    EXPECT_EQ(rig.field.CapturedScanCode(), 0x45);
    EXPECT_EQ(rig.field.Modifiers() & CEditItemSingleKeyInputMMO::kCtrl, 0);
}
