// SPDX-License-Identifier: GPL-3.0-or-later
// What a page puts into a drop-down beyond plain texts (descriptions, details,
// disabled entries, sub-menus) and what comes back out of it, the closed box the
// skin places inside the control, and the colours of the row a pop-up closes with.
#include "SliderTestSupport.h"

#include "controls/DropdownListItem.h"
#include "controls/ListPanelPopup.h"
#include "platform/ModalService.h"

#include <QPointer>
#include <gtest/gtest.h>

namespace {

// Clicks a row of the open pop-up and waits until the pop-up has closed.
void ChooseRowAndWait(CSkinWindow& window, int row)
{
    auto* popup = dynamic_cast<CListPanel*>(&window);
    ASSERT_NE(popup, nullptr);
    QPointer<CListPanel> alive(popup);
    QTest::mouseClick(popup->List(), Qt::LeftButton, {}, popup->List()->RowRect(row).center());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !alive || alive->isHidden(); }, 5000));
}

class DropdownEntriesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModalScript::Reset();
        ModalScript::SetStrict(true);
    }
    void TearDown() override { ModalScript::Reset(); }
    void Press(CDropdownListItem& box, QPoint at = QPoint(20, 10)) { QTest::mouseClick(&box, Qt::LeftButton, {}, at); }

    RecordingWindow parent;
};

} // namespace

TEST_F(DropdownEntriesTest, EntriesCarryTheirDescriptionDetailAndSubMenuAndTheSubChoiceComesBack)
{
    CListPanelItem profiles(282, &parent, SkinRect{0, 0, 100, 60});
    profiles.AddShownEntry(QStringLiteral("$Travel"));
    profiles.AddShownEntry(QStringLiteral("Work"));
    CDropdownListItem box(43, &parent, &parent, SkinRect{10, 10, 210, 38});
    box.show();
    DropdownEntry key{u"$SingleKey", u"$Assignthisbuttontobehaveasakeyboardkey", u"Ctrl+A"};
    const int keyRow = box.AddEntry(key);
    DropdownEntry macro{u"$macro", {}, {}, true};
    const int macroRow = box.AddEntry(macro);
    DropdownEntry profile;
    profile.text = u"$profile";
    profile.subMenu = &profiles;
    const int profileRow = box.AddEntry(profile);
    DropdownEntry user;
    user.text = u"$click";
    user.plainText = true; // a user's name that happens to look like a key
    const int userRow = box.AddEntry(user);

    EXPECT_EQ(box.Entry(userRow), QStringLiteral("$click"));
    box.SetSelected(keyRow);
    EXPECT_EQ(box.BoxText(), box.Entry(keyRow) + QStringLiteral(": Ctrl+A"));

    // A click on the disabled entry chooses nothing; the pop-up gives each row its
    // description as its tip.
    QString tip;
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) {
        CListPanelRows* list = dynamic_cast<CListPanel&>(window).List();
        tip = list->TooltipAt(list->RowRect(keyRow).center());
        QTest::mouseClick(list, Qt::LeftButton, {}, list->RowRect(macroRow).center());
        EXPECT_EQ(list->SelectedRow(), -1);
    });
    Press(box);
    EXPECT_EQ(tip, box.EntryDescription(keyRow));
    EXPECT_FALSE(tip.isEmpty());
    EXPECT_TRUE(parent.Of(WM_DROPDOWN_SELECTED).empty());

    // Through the sub-menu: the entry and the sub-menu's row come back.
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL,
                            [&](CSkinWindow& window) { ChooseRowAndWait(window, profileRow); });
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) { ChooseRowAndWait(window, 1); });
    Press(box);
    ASSERT_EQ(parent.Of(WM_DROPDOWN_SELECTED).size(), 1u);
    EXPECT_EQ(parent.Of(WM_DROPDOWN_SELECTED)[0].wParam, WPARAM(profileRow));
    EXPECT_EQ(box.LastSubMenuChoice(), 1);

    // The sub-menu closed without a choice: the entry still comes back, but no
    // earlier sub-menu choice with it.
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL,
                            [&](CSkinWindow& window) { ChooseRowAndWait(window, profileRow); });
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL);
    Press(box);
    ASSERT_EQ(parent.Of(WM_DROPDOWN_SELECTED).size(), 2u);
    EXPECT_EQ(box.LastSubMenuChoice(), -1);
}

TEST_F(DropdownEntriesTest, OnlyTheSkinsClosedBoxOpensThePopupWhichOpensUnderIt)
{
    CDropdownListItem box(277, &parent, &parent, SkinRect{10, 10, 210, 50});
    box.show();
    box.SetEntries({u"One", u"Two"});
    EXPECT_EQ(box.BoxRect(), QRect(0, 0, 200, 40)); // no box: the whole control
    box.SetBoxRect(QRect(150, 30, 100, 20));
    EXPECT_EQ(box.BoxRect(), QRect(0, 0, 200, 40)); // one the control cannot show is not used
    box.SetBoxRect(QRect(20, 5, 100, 20));
    parent.messages.clear();
    // Beside the box nothing happens.
    Press(box, QPoint(180, 30));
    EXPECT_TRUE(parent.Of(WM_DROPDOWN_OPENING).empty());
    EXPECT_TRUE(ModalScript::Records().empty());

    QPoint popupAt;
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL,
                            [&](CSkinWindow& window) { popupAt = window.geometry().topLeft(); });
    Press(box, QPoint(30, 10));
    EXPECT_EQ(parent.Of(WM_DROPDOWN_OPENING).size(), 1u);
    EXPECT_EQ(popupAt, box.mapToGlobal(QPoint(20, 25)));
}

TEST_F(DropdownEntriesTest, ThePopupShowsItsClickedRowInTheHighlightColours)
{
    CListPanelItem panel(281, &parent, SkinRect{0, 0, 120, 60});
    ListPanelColours colours;
    colours.back = RGB(10, 10, 10);
    colours.backHighlight = RGB(0, 200, 0);
    colours.backSelected = RGB(200, 0, 0);
    panel.SetColours(colours);
    panel.AddEntry(u"First");
    panel.AddEntry(u"Second");

    // The embedded list keeps its chosen row in the selected colours.
    CListPanelStatic embedded(panel, &parent);
    embedded.SetSelectedRow(1);
    const QImage embeddedPicture = embedded.grab().toImage();
    EXPECT_EQ(embeddedPicture.pixelColor(embedded.RowRect(1).topLeft() + QPoint(2, 2)), QColor(200, 0, 0));

    QColor clickedRow;
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) {
        auto& popup = dynamic_cast<CListPanel&>(window);
        CListPanelRows* list = popup.List();
        QTest::mouseClick(list, Qt::LeftButton, {}, list->RowRect(1).center());
        // Away from the row, so only the click can colour it.
        QTest::mouseMove(list, list->RowRect(0).center());
        const QImage picture = list->grab().toImage();
        clickedRow = picture.pixelColor(list->RowRect(1).topLeft() + QPoint(2, 2));
        QPointer<CListPanel> alive(&popup);
        EXPECT_TRUE(QTest::qWaitFor([&] { return !alive || alive->isHidden(); }, 5000));
    });
    EXPECT_EQ(ShowListPanelPopup(0, &parent, panel, 0, 0), 1);
    EXPECT_EQ(clickedRow, QColor(0, 200, 0));
}
