// SPDX-License-Identifier: GPL-3.0-or-later
#include "SliderTestSupport.h"

#include "controls/ListPanelItem.h"

#include <gtest/gtest.h>

#include <QHelpEvent>
#include <QToolTip>

TEST(ListPanel, SortedRowsDisabledSubPanelsAndMargins)
{
    CListPanelItem panel(288, nullptr, SkinRect{0, 0, 120, 90});
    panel.SetSorted(true);
    panel.AddEntry(u"b");
    panel.AddEntry(u"A");
    panel.AddEntry(u"c");
    EXPECT_EQ(panel.EntryAt(0).text, QStringLiteral("A"));
    EXPECT_EQ(panel.EntryAt(1).text, QStringLiteral("b"));
    EXPECT_EQ(panel.EntryAt(2).text, QStringLiteral("c"));

    CListPanelItem empty(283, nullptr, SkinRect{0, 0, 120, 90});
    CListPanelItem full(282, nullptr, SkinRect{0, 0, 120, 90});
    full.AddEntry(u"Profile 1");
    const int withEmpty = panel.AddEntry(u"d macros", {}, &empty);
    const int withFull = panel.AddEntry(u"e profiles", {}, &full);
    EXPECT_TRUE(panel.IsRowDisabled(withEmpty));
    EXPECT_FALSE(panel.IsRowDisabled(withFull));
    EXPECT_TRUE(panel.IsRowDisabled(17));

    panel.SetMargins(500, -3);
    EXPECT_EQ(panel.LeftMargin(), 0);
    EXPECT_EQ(panel.RightMargin(), 0);
    panel.SetMargins(6, 4);
    EXPECT_EQ(panel.LeftMargin(), 6);
    panel.SetBorderWidth(0);
    EXPECT_EQ(panel.ShownBorderWidth(), 1);
}

TEST(ListPanel, EmbeddedListReportsAnEnabledRowAtOnce)
{
    RecordingWindow parent;
    CListPanelItem panel(287, &parent, SkinRect{10, 10, 130, 100});
    panel.SetDynamic(false);
    panel.AddEntry(u"Key");
    panel.AddEntry(u"Off", {}, nullptr, true);
    panel.AddEntry(u"Delay");
    CListPanelStatic* list = panel.Embed(&parent);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(panel.window, list);

    const int rowHeight = CListPanelStatic::kRowHeight;
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(20, 1 + rowHeight + 5)); // disabled row
    DeliverPosted();
    EXPECT_TRUE(parent.Of(WM_LIST_PANEL_ROW_CHOSEN).empty());
    QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(20, 1 + 2 * rowHeight + 5));
    DeliverPosted();
    auto chosen = parent.Of(WM_LIST_PANEL_ROW_CHOSEN);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].wParam, WPARAM(2));
    EXPECT_EQ(chosen[0].lParam, LPARAM(287));
    EXPECT_EQ(list->SelectedRow(), 2);
    EXPECT_EQ(panel.SelectionText(), QStringLiteral("Delay"));
}

namespace {

void AskForTooltip(QWidget* widget, const QPoint& point)
{
    QHelpEvent help(QEvent::ToolTip, point, widget->mapToGlobal(point));
    QCoreApplication::sendEvent(widget, &help);
}

} // namespace

TEST(ListPanel, HoveredRowShowsItsOwnTooltip)
{
    RecordingWindow parent;
    parent.resize(200, 160);
    parent.show();
    CListPanelItem panel(287, &parent, SkinRect{10, 10, 130, 100});
    panel.SetDynamic(false);
    panel.AddEntry(u"Key", u"Assigns a key\\nto the button");
    panel.AddEntry(u"Off", u"Never shown", nullptr, true);
    panel.AddEntry(u"Delay");
    panel.AddEntry(u"Macro", u"Plays a macro");
    CListPanelStatic* list = panel.Embed(&parent);
    ASSERT_NE(list, nullptr);

    AskForTooltip(list, list->RowRect(0).center());
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Assigns a key\nto the button"));
    AskForTooltip(list, list->RowRect(3).center());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("Plays a macro"));

    // A disabled row cannot be hovered, a row without a tip and the space below the
    // rows have none.
    EXPECT_TRUE(list->TooltipAt(list->RowRect(1).center()).isEmpty());
    EXPECT_TRUE(list->TooltipAt(list->RowRect(2).center()).isEmpty());
    EXPECT_TRUE(list->TooltipAt(list->RowRect(4).center()).isEmpty());
    AskForTooltip(list, list->RowRect(1).center());
    QTRY_VERIFY(!QToolTip::isVisible());
}
