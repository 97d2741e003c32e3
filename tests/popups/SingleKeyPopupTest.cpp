// SPDX-License-Identifier: GPL-3.0-or-later
// The single-key popups: Escape and Return are recorded as keys rather than ending
// the popup, OK needs a key, cancel clears the caller's record, combinations with
// modifiers survive their release, and the Shift/Ctrl/Alt boxes of a macro key.
#include "PopupTestSupport.h"

#include "controls/BitmapBtn.h"
#include "controls/EditItemSingleKey.h"
#include "controls/TextItem.h"
#include "platform/core/RawInput.h"
#include "popups/TovikElitePopupBoxSingleKeyEntry.h"
#include "skin/ItemIds.h"

using namespace popuptest;

namespace {

constexpr Set1ScanCode kEscape{0x01, false, false};
constexpr Set1ScanCode kEnter{0x1C, false, false};
constexpr Set1ScanCode kA{0x1E, false, false};
constexpr Set1ScanCode kLeftCtrl{0x1D, false, false};
constexpr Set1ScanCode kRightArrow{0x4D, true, false};

QWidget* OkButton(CPopupBox& popup)
{
    return popup.Items().FindById(ItemId::BUTTON_POPUP_OK, ItemKind::BUTTON)->window;
}
QWidget* CancelButton(CPopupBox& popup)
{
    return popup.Items().FindById(ItemId::BUTTON_POPUP_CANCEL, ItemKind::BUTTON)->window;
}

class SingleKeyTest : public PopupTest {
protected:
    void SetUp() override
    {
        PopupTest::SetUp();
        CEditItemSingleKeyInputMMO::ResetReferenceTime();
        CEditItemSingleKeyInputMMO::SetSecondsClock([] { return 100u; });
    }
    void TearDown() override
    {
        CEditItemSingleKeyInputMMO::SetSecondsClock({});
        CEditItemSingleKeyInputMMO::ResetReferenceTime();
        PopupTest::TearDown();
    }
};

using Plain = CPopupBoxSingleKeyEntry;
using Combination = CTovikElitePopupBoxSingleKeyEntry;
using MacroKey = CTovikElitePopupBoxMacroSingleKeyEntry;

TEST_F(SingleKeyTest, EscapeAndReturnAreRecordedAsKeysNotAsCancelOrOk)
{
    SingleKeyRecord record;
    Combination escape(u"SingleKey.xml", nullptr, record);
    QString shown;
    const int result = Run<Combination>(escape, [&](Combination& p) {
        PressKey(p, kEscape, Qt::Key_Escape);
        shown = p.KeyField()->GetText();
        // The mark is spent on the refused cancel; a click counts again.
        Click(OkButton(p));
    });
    EXPECT_EQ(shown, QStringLiteral("Esc"));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(record.text, u"Esc");
    EXPECT_EQ(record.scanCode, 0x01);
    EXPECT_EQ(record.virtualKey, 0x1B);

    SingleKeyRecord enterRecord;
    Combination enter(u"SingleKey.xml", nullptr, enterRecord);
    Run<Combination>(enter, [&](Combination& p) { PressKey(p, kEnter, Qt::Key_Return); });
    // Neither OK nor cancel: the run lasted until the script ended it.
    EXPECT_EQ(LastRunResult(), kScriptEnded);
    EXPECT_EQ(enterRecord.text, u"");
}

TEST_F(SingleKeyTest, AClickAfterEscapeStillCancelsAndCancelClearsTheRecord)
{
    SingleKeyRecord record{u"B", 0x42, 0x30, SingleKeyRecord::kCtrl};
    Combination popup(u"SingleKey.xml", nullptr, record);
    QString initial;
    bool markedAfterKey = false;
    Run<Combination>(popup, [&](Combination& p) {
        initial = p.KeyField()->GetText();
        EXPECT_EQ(p.focusWidget(), p.KeyField()->Edit());
        // Raw input alone (no key event follows here): the mark waits for the next OK or cancel.
        RawInput raw;
        raw.keyboard = {0x01, RI_KEY_MAKE, 0x1B, WM_KEYDOWN};
        p.SendMessage(WM_INPUT, 0, reinterpret_cast<LPARAM>(&raw));
        markedAfterKey = p.IsKeyboardMarked();
        Click(CancelButton(p));
    });
    EXPECT_EQ(initial, QStringLiteral("Ctrl+B"));
    EXPECT_TRUE(markedAfterKey);
    EXPECT_EQ(LastRunResult(), IDCANCEL);
    EXPECT_EQ(record, SingleKeyRecord{});
}

TEST_F(SingleKeyTest, ClosingTheWindowIsACancel)
{
    SingleKeyRecord record{u"B", 0x42, 0x30, 0};
    Combination popup(u"SingleKey.xml", nullptr, record);
    EXPECT_EQ(Run<Combination>(popup, [](Combination& p) { p.close(); }), IDCANCEL);
    EXPECT_EQ(LastRunResult(), IDCANCEL);
    EXPECT_EQ(record, SingleKeyRecord{});
}

TEST_F(SingleKeyTest, OkWaitsForAKeyUnlessTheRecordAlreadyHoldsOne)
{
    SingleKeyRecord empty;
    Plain waiting(u"EditSingleKey.xml", nullptr, empty);
    Run<Plain>(waiting, [](Plain& p) { Click(OkButton(p)); });
    EXPECT_EQ(LastRunResult(), kScriptEnded);
    EXPECT_EQ(empty, SingleKeyRecord{});

    SingleKeyRecord held{u"F5", 0x74, 0x3F, 0};
    Plain keeping(u"EditSingleKey.xml", nullptr, held);
    Run<Plain>(keeping, [](Plain& p) { Click(OkButton(p)); });
    EXPECT_EQ(LastRunResult(), IDOK);
    EXPECT_EQ(held, (SingleKeyRecord{u"F5", 0x74, 0x3F, 0}));

    // An extended key brings its extended bit; the caller's modifiers stay.
    SingleKeyRecord arrow{u"F5", 0x74, 0x3F, SingleKeyRecord::kAlt};
    Plain replacing(u"EditSingleKey.xml", nullptr, arrow);
    Run<Plain>(replacing, [](Plain& p) {
        PressKey(p, kRightArrow, Qt::Key_Right);
        Click(OkButton(p));
    });
    EXPECT_EQ(arrow.scanCode, 0x4D);
    EXPECT_FALSE(arrow.text.empty());
    EXPECT_EQ(arrow.modifiers, SingleKeyRecord::kAlt | SingleKeyRecord::kExtended);
}

TEST_F(SingleKeyTest, ACombinationIsKeptAfterItsModifierIsReleased)
{
    SingleKeyRecord record;
    Combination popup(u"SingleKey.xml", nullptr, record);
    QString shown;
    Run<Combination>(popup, [&](Combination& p) {
        PressKey(p, kLeftCtrl, Qt::Key_Control, false);
        PressKey(p, kA, Qt::Key_A);
        ReleaseKey(p, kLeftCtrl, Qt::Key_Control);
        shown = p.KeyField()->GetText();
        skintest::SaveScreenshot(p, QStringLiteral("popup_single_key"));
        Click(OkButton(p));
    });
    EXPECT_EQ(shown, QStringLiteral("Ctrl+A"));
    EXPECT_EQ(LastRunResult(), IDOK);
    EXPECT_EQ(record.text, u"A");
    EXPECT_EQ(record.scanCode, 0x1E);
    EXPECT_EQ(record.modifiers, SingleKeyRecord::kCtrl);
}

TEST_F(SingleKeyTest, TheKeyboardGoesBackToWhoeverHadItWhenThePopupCloses)
{
    CSkinWindow recorder;
    const RawInputDevice before{HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_KEYBOARD, RIDEV_INPUTSINK,
                                recorder.GetHandle()};
    ASSERT_TRUE(RegisterRawInputDevices(&before, 1));
    SingleKeyRecord record;
    Combination popup(u"SingleKey.xml", nullptr, record);
    HWND during = nullptr;
    Run<Combination>(popup, [&](Combination& p) {
        during = GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD)->target;
        Click(CancelButton(p));
    });
    EXPECT_EQ(during, popup.GetHandle());
    auto after = GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->target, recorder.GetHandle());

    const RawInputDevice remove{HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_KEYBOARD, RIDEV_REMOVE, nullptr};
    RegisterRawInputDevices(&remove, 1);
    SingleKeyRecord other;
    Combination alone(u"SingleKey.xml", nullptr, other);
    Run<Combination>(alone, [](Combination& p) { Click(CancelButton(p)); });
    EXPECT_FALSE(GetRawInputRegistration(HID_USAGE_GENERIC_KEYBOARD).has_value());
}

TEST_F(SingleKeyTest, TheMacroKeysBoxesShowAndSetItsModifiers)
{
    SingleKeyRecord record{u"A", 0x41, 0x1E, SingleKeyRecord::kShift | SingleKeyRecord::kAlt};
    MacroKey popup(u"EditSingleKey.xml", nullptr, record);
    std::vector<bool> before;
    Run<MacroKey>(popup, [&](MacroKey& p) {
        ASSERT_TRUE(p.ShiftBox() && p.CtrlBox() && p.AltBox());
        before = {p.ShiftBox()->IsChecked(), p.CtrlBox()->IsChecked(), p.AltBox()->IsChecked()};
        PressKey(p, kEnter, Qt::Key_Return);
        Click(p.ShiftBox());
        auto* ctrlLabel = dynamic_cast<CTextItem*>(p.Items().FindById(ItemId::TEXT_SLCT_CTRL));
        Click(ctrlLabel);
        skintest::SaveScreenshot(p, QStringLiteral("popup_edit_single_key"));
        Click(OkButton(p));
    });
    EXPECT_EQ(before, (std::vector<bool>{true, false, true}));
    EXPECT_EQ(LastRunResult(), IDOK);
    EXPECT_EQ(record.text, u"Enter");
    EXPECT_EQ(record.scanCode, 0x1C);
    EXPECT_EQ(record.modifiers, SingleKeyRecord::kCtrl | SingleKeyRecord::kAlt);
}

TEST(SingleKeyText, ModifiersComeFirstJoinedWithPlus)
{
    EXPECT_EQ(SingleKeyText({u"A", 0, 0, SingleKeyRecord::kShift | SingleKeyRecord::kCtrl | SingleKeyRecord::kAlt}),
              u"Shift+Ctrl+Alt+A");
    EXPECT_EQ(SingleKeyText({u"", 0, 0, SingleKeyRecord::kCtrl | SingleKeyRecord::kExtended}), u"Ctrl");
    EXPECT_EQ(SingleKeyText({u"F1", 0, 0, 0}), u"F1");
}

} // namespace
