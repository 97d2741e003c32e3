// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/ListPanelPopup.h"
#include "platform/ModalService.h"

#include <gtest/gtest.h>

namespace {

CListPanel& PopupOf(CSkinWindow& window)
{
    return dynamic_cast<CListPanel&>(window);
}

void ClickRow(CListPanel& popup, int row, Qt::MouseButton button = Qt::LeftButton)
{
    QTest::mouseClick(popup.List(), button, {}, popup.List()->RowRect(row).center());
}

void WaitForClose()
{
    QTest::qWait(int(CListPanelPopupList::kCloseDelayMs) + 150);
}

class ListPanelPopupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ModalScript::Reset();
        ModalScript::SetStrict(true);
        anchor.show();
    }
    void TearDown() override { ModalScript::Reset(); }
    RecordingWindow anchor;
};

} // namespace

TEST_F(ListPanelPopupTest, ChosenRowIsHighlightedBeforeThePopupCloses)
{
    CListPanelItem panel(282, &anchor, SkinRect{0, 0, 120, 90});
    panel.AddEntry(u"Rename");
    panel.AddEntry(u"Copy");
    panel.AddEntry(u"Delete");
    bool stillOpenAfterClick = false;
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) {
        CListPanel& popup = PopupOf(window);
        EXPECT_EQ(popup.geometry().topLeft(), anchor.mapToGlobal(QPoint(5, 7)));
        EXPECT_EQ(popup.width(), 120);
        ClickRow(popup, 2);
        stillOpenAfterClick = popup.ChosenRow() == -1 && popup.List()->SelectedRow() == 2;
        WaitForClose();
    });
    EXPECT_EQ(ShowListPanelPopup(0, &anchor, panel, 5, 7), 2);
    EXPECT_TRUE(stillOpenAfterClick);

    // A right click closes without a choice, even after hovering a row.
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [](CSkinWindow& window) {
        ClickRow(PopupOf(window), 1, Qt::RightButton);
        WaitForClose();
    });
    EXPECT_EQ(ShowListPanelPopup(0, &anchor, panel, 0, 0), -1);
    // Closed from outside (cancel) also means no choice, never row 2.
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL);
    EXPECT_EQ(ShowListPanelPopup(0, &anchor, panel, 0, 0), -1);
}

TEST_F(ListPanelPopupTest, SubPanelsOpenBesideTheirRowAtMostFiveRowsHigh)
{
    CListPanelItem macros(283, &anchor, SkinRect{0, 0, 100, 40});
    CListPanelItem profiles(282, &anchor, SkinRect{0, 0, 100, 40});
    profiles.SetBorderWidth(2);
    for (int i = 1; i <= 12; ++i)
        profiles.AddEntry(QStringLiteral("Profile %1").arg(i).toStdU16String());
    CListPanelItem menu(281, &anchor, SkinRect{0, 0, 120, 90});
    const int macroRow = menu.AddEntry(u"Macros", {}, &macros);
    const int profileRow = menu.AddEntry(u"Profiles", {}, &profiles);
    EXPECT_TRUE(menu.IsRowDisabled(macroRow));

    int subHeight = 0;
    int subTop = 0;
    int subTopRowAfterWheel = -1;
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) {
        CListPanel& popup = PopupOf(window);
        // The empty sub-menu's row is grey and cannot be chosen.
        ClickRow(popup, macroRow);
        EXPECT_EQ(popup.List()->SelectedRow(), -1);
        subTop = popup.mapToGlobal(popup.List()->RowRect(profileRow).topLeft()).y();
        ClickRow(popup, profileRow);
        WaitForClose();
    });
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [&](CSkinWindow& window) {
        CListPanel& sub = PopupOf(window);
        subHeight = sub.height();
        EXPECT_EQ(sub.geometry().top(), subTop);
        QWheelEvent wheel(QPointF(5, 5), QPointF(sub.mapToGlobal(QPoint(5, 5))), QPoint(), QPoint(0, -240),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&sub, &wheel);
        subTopRowAfterWheel = sub.List()->TopRow();
        ClickRow(sub, subTopRowAfterWheel + 1);
        WaitForClose();
    });
    int subChoice = -1;
    EXPECT_EQ(ShowListPanelPopup(0, &anchor, menu, 0, 0, &subChoice), profileRow);
    EXPECT_EQ(subChoice, 3);
    EXPECT_EQ(subHeight, 5 * CListPanelRows::kRowHeight + 2 * 2);
    EXPECT_EQ(subTopRowAfterWheel, 2);
    EXPECT_EQ(profiles.SelectionText(), QStringLiteral("Profile 4"));
    EXPECT_EQ(ModalScript::Records().size(), 2u);
}
