// SPDX-License-Identifier: GPL-3.0-or-later
// Name and number entry: what can be typed and what reaches the caller.
#include "PopupTestSupport.h"

#include <QLineEdit>

#include "controls/EditItem.h"
#include "controls/TextItem.h"
#include "popups/TovikEliteNameEntryPopup.h"
#include "popups/TovikEliteNumEntryPopup.h"
#include "popups/VorlaNameEntryPopup.h"
#include "skin/ItemIds.h"

using namespace popuptest;

namespace {

using NameEntryTest = PopupTest;

QWidget* OkButton(CPopupBox& popup)
{
    return popup.Items().FindById(ItemId::BUTTON_POPUP_OK, ItemKind::BUTTON)->window;
}
QWidget* CancelButton(CPopupBox& popup)
{
    return popup.Items().FindById(ItemId::BUTTON_POPUP_CANCEL, ItemKind::BUTTON)->window;
}

TEST_F(NameEntryTest, ANameStopsAtTwentyCharactersAndOkHandsItBack)
{
    std::u16string name;
    CTovikEliteNameEntryPopup entry(u"NameEntry.xml", nullptr, name);
    const int result = Run<CTovikEliteNameEntryPopup>(entry, [](auto& p) {
        ASSERT_NE(p.NameField(), nullptr);
        EXPECT_EQ(p.focusWidget(), p.NameField()->Edit());
        // The skin would allow 31; a name never holds more than 20.
        QTest::keyClicks(p.NameField()->Edit(), QStringLiteral("Twenty-five characters!!!"));
        EXPECT_EQ(p.NameField()->GetText(), QStringLiteral("Twenty-five characte"));
        skintest::SaveScreenshot(p, QStringLiteral("popup_name_entry"));
        Click(OkButton(p));
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(name, u"Twenty-five characte");
}

TEST_F(NameEntryTest, AnEmptyLineIsAnEmptyNameAndCancelLeavesTheCallersString)
{
    std::u16string name = u"Old";
    CTovikEliteNameEntryPopup empty(u"NameEntry.xml", nullptr, name);
    EXPECT_EQ(Run<CTovikEliteNameEntryPopup>(empty, [](auto& p) { Click(OkButton(p)); }), IDOK);
    EXPECT_EQ(name, u"");

    name = u"Old";
    CTovikEliteNameEntryPopup cancelled(u"NameEntry.xml", nullptr, name);
    EXPECT_EQ(Run<CTovikEliteNameEntryPopup>(cancelled,
                                             [](auto& p) {
                                                 QTest::keyClicks(p.NameField()->Edit(), QStringLiteral("New"));
                                                 Click(CancelButton(p));
                                             }),
              IDCANCEL);
    EXPECT_EQ(name, u"Old");
    EXPECT_EQ(FirstLine(u"one\r\ntwo"), u"one");
    EXPECT_EQ(FirstLine(u"one\ntwo"), u"one");
}

TEST_F(NameEntryTest, ReturnInTheFieldConfirms)
{
    std::u16string name;
    CTovikEliteNameEntryPopup entry(u"NameEntry.xml", nullptr, name);
    Run<CTovikEliteNameEntryPopup>(entry, [](auto& p) {
        QTest::keyClicks(p.NameField()->Edit(), QStringLiteral("Sniper"));
        QTest::keyClick(p.NameField()->Edit(), Qt::Key_Return);
    });
    EXPECT_EQ(LastRunResult(), IDOK);
    EXPECT_EQ(name, u"Sniper");
}

TEST_F(NameEntryTest, TheEarlierGenerationsEntryNamesTheOldNameInItsHeading)
{
    std::u16string name = u"Profile 2";
    CVorlaNameEntryPopup rename(u"NameEntry.xml", nullptr, name);
    QString heading;
    QString field;
    Run<CVorlaNameEntryPopup>(rename, [&](auto& p) {
        heading = p.Heading()->GetText();
        field = p.NameField()->GetText();
        Click(OkButton(p));
    });
    EXPECT_EQ(heading, QStringLiteral("Rename: Profile 2"));
    EXPECT_EQ(field, QString()); // the entry itself starts empty
    EXPECT_EQ(name, u"");

    std::u16string none;
    CVorlaNameEntryPopup fresh(u"NameEntry.xml", nullptr, none);
    Run<CVorlaNameEntryPopup>(fresh, [&](auto& p) { heading = p.Heading()->GetText(); });
    EXPECT_EQ(heading, QStringLiteral("Rename"));
}

using NumEntryTest = PopupTest;

TEST_F(NumEntryTest, DigitsThatLeaveTheBoundsAreRefusedAndOkStoresTheValue)
{
    int count = -1;
    CTovikEliteNumEntryPopup entry(u"NumEntry.xml", nullptr, count, 1, 60);
    QString afterSixOne;
    Run<CTovikEliteNumEntryPopup>(entry, [&](auto& p) {
        ASSERT_NE(p.NumberField(), nullptr);
        EXPECT_TRUE(p.NumberField()->IsNumeric());
        EXPECT_EQ(p.focusWidget(), p.NumberField()->Edit());
        QTest::keyClicks(p.NumberField()->Edit(), QStringLiteral("61"));
        afterSixOne = p.NumberField()->GetText();
        QTest::keyClicks(p.NumberField()->Edit(), QStringLiteral("0x"));
        skintest::SaveScreenshot(p, QStringLiteral("popup_number_entry"));
        Click(OkButton(p));
    });
    EXPECT_EQ(afterSixOne, QStringLiteral("6"));
    EXPECT_EQ(count, 60);

    int empty = -1;
    CTovikEliteNumEntryPopup none(u"NumEntry.xml", nullptr, empty);
    Run<CTovikEliteNumEntryPopup>(none, [](auto& p) { Click(OkButton(p)); });
    EXPECT_EQ(empty, 0);
}

TEST(NumEntryValue, TextsThatAreNoNumberOrOutOfBoundsGiveZeroOrTheBound)
{
    EXPECT_EQ(CTovikEliteNumEntryPopup::ValueOf(u"", 1, 60), 0);
    EXPECT_EQ(CTovikEliteNumEntryPopup::ValueOf(u"42\r\n7", 1, 60), 42);
    EXPECT_EQ(CTovikEliteNumEntryPopup::ValueOf(u"abc", 0, 255), 0);
    EXPECT_EQ(CTovikEliteNumEntryPopup::ValueOf(u"99999999999999999999", 0, 255), 255);
    EXPECT_EQ(CTovikEliteNumEntryPopup::ValueOf(u"300", 0, 255), 255);
    EXPECT_EQ(CTovikEliteNumEntryPopup::ValueOf(u"-5", 0, 255), 0);
}

} // namespace
