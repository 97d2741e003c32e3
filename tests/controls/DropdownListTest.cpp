#include "SliderTestSupport.h"

#include "controls/DropdownColorButton.h"
#include "controls/DropdownListItem.h"

#include "controls/ListPanelPopup.h"
#include "platform/ModalService.h"

#include <gtest/gtest.h>

namespace {

// Clicks a row of the open pop-up and lets its closing delay run out.
void ChooseRow(CSkinWindow& window, int row)
{
    auto* popup = dynamic_cast<CListPanel*>(&window);
    ASSERT_NE(popup, nullptr);
    const QPoint point = popup->List()->RowRect(row).center();
    QTest::mouseClick(popup->List(), Qt::LeftButton, {}, point);
    EXPECT_EQ(popup->List()->SelectedRow(), row);
    QTest::qWait(int(CListPanelPopupList::kCloseDelayMs) + 150);
}

} // namespace

TEST(DropdownList, BoxShowsLabelAndSelectionAndReportsPresses)
{
    RecordingWindow parent;
    CDropdownListItem box(281, &parent, &parent, SkinRect{10, 10, 210, 32});
    box.show();
    box.SetSorted(true);
    box.SetEntries({u"Soft", u"hard", u"Glass"});
    EXPECT_EQ(box.Entry(0), QStringLiteral("Glass"));
    EXPECT_EQ(box.Entry(1), QStringLiteral("hard"));
    EXPECT_TRUE(box.SetSelected(2));
    EXPECT_EQ(box.BoxText(), QStringLiteral("Soft"));
    box.SetLabel(u"Surface");
    EXPECT_EQ(box.BoxText(), QStringLiteral("Surface: Soft"));
    // Adding in order keeps the chosen entry chosen.
    box.AddEntry(u"Cloth");
    EXPECT_EQ(box.BoxText(), QStringLiteral("Surface: Soft"));
    EXPECT_FALSE(box.SetSelected(9));
    EXPECT_EQ(box.Selected(), 3);

    ModalScript::Reset();
    ModalScript::SetStrict(true);
    // A pop-up closed without a choice changes nothing and reports nothing.
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(20, 10));
    auto opening = parent.Of(WM_DROPDOWN_OPENING);
    ASSERT_EQ(opening.size(), 1u);
    EXPECT_EQ(opening[0].lParam, reinterpret_cast<LPARAM>(box.GetHandle()));
    EXPECT_TRUE(parent.Of(WM_DROPDOWN_SELECTED).empty());
    EXPECT_EQ(box.Selected(), 3);

    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [](CSkinWindow& window) { ChooseRow(window, 1); });
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(20, 10));
    auto selected = parent.Of(WM_DROPDOWN_SELECTED);
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(selected[0].wParam, WPARAM(1));
    EXPECT_EQ(box.BoxText(), QStringLiteral("Surface: Glass"));
    EXPECT_FALSE(box.IsOpen());

    box.SetDisabled(true);
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(parent.Of(WM_DROPDOWN_OPENING).size(), 2u);
    EXPECT_EQ(ModalScript::Records().size(), 2u);
    ModalScript::Reset();
}

TEST(DropdownColour, ShowsTheCurrentColour)
{
    RecordingWindow parent;
    CDropdownColorButton button(304, &parent, &parent, SkinRect{10, 10, 110, 34});
    button.SetBorderWidth(1);
    button.SetColour(RGB(255, 0, 0));
    button.show();
    EXPECT_EQ(button.kind, ItemKind::COMBOCOLOR);
    const QImage shot = button.grab().toImage();
    EXPECT_EQ(shot.pixelColor(20, 12), QColor(255, 0, 0));
}
