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

    EXPECT_EQ(box.EntryKey(keyRow), u"$SingleKey");
    EXPECT_EQ(box.EntryDetail(keyRow), QStringLiteral("Ctrl+A"));
    EXPECT_FALSE(box.EntryDescription(keyRow).isEmpty());
    EXPECT_TRUE(box.IsEntryDisabled(macroRow));
    EXPECT_EQ(box.EntrySubMenu(profileRow), &profiles);
    EXPECT_EQ(box.Entry(userRow), QStringLiteral("$click"));
    box.SetSelected(keyRow);
    EXPECT_EQ(box.BoxText(), box.Entry(keyRow) + QStringLiteral(": Ctrl+A"));

    // The pop-up shows what the box shows, greys the disabled entry and gives the
    // description as the row's tip.
    QString shownKeyRow;
    QString tip;
    bool macroRowDisabled = false;
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) {
        auto& popup = dynamic_cast<CListPanel&>(window);
        CListPanelRows* list = popup.List();
        shownKeyRow = list->Panel().EntryAt(keyRow).text;
        tip = list->TooltipAt(list->RowRect(keyRow).center());
        macroRowDisabled = list->Panel().IsRowDisabled(macroRow);
        // A click on the disabled entry chooses nothing.
        QTest::mouseClick(list, Qt::LeftButton, {}, list->RowRect(macroRow).center());
        EXPECT_EQ(list->SelectedRow(), -1);
    });
    Press(box);
    EXPECT_EQ(shownKeyRow, box.ShownText(keyRow));
    EXPECT_EQ(tip, box.EntryDescription(keyRow));
    EXPECT_TRUE(macroRowDisabled);
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

    box.ClearEntries();
    EXPECT_EQ(box.EntryCount(), 0);
    EXPECT_EQ(box.Selected(), -1);
    EXPECT_EQ(box.BoxText(), QString());
}

TEST_F(DropdownEntriesTest, OnlyTheSkinsClosedBoxOpensThePopupWhichOpensUnderIt)
{
    CDropdownListItem box(277, &parent, &parent, SkinRect{10, 10, 210, 50});
    box.show();
    box.SetEntries({u"One", u"Two"});
    struct Case {
        const char* name;
        QRect boxRect;
        QRect expected;
    };
    const Case cases[] = {
        {"no box: the whole control", QRect(), QRect(0, 0, 200, 40)},
        {"a box in the control", QRect(20, 5, 100, 20), QRect(20, 5, 100, 20)},
        {"a box outside the control is not used", QRect(150, 30, 100, 20), QRect(0, 0, 200, 40)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.boxRect.isNull())
            box.SetBoxRect(c.boxRect);
        EXPECT_EQ(box.BoxRect(), c.expected);
    }

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
