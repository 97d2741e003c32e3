#include "SliderTestSupport.h"

#include "controls/XListCtrl.h"
#include "skin/ColorTable.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

// Records the check state a 1326 record points to while the call lasts.
class CheckRecorder : public RecordingWindow {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_LIST_CHECK_TOGGLED) {
            const auto* record = reinterpret_cast<const ListCellRecord*>(lParam);
            checks.push_back({record->rowUserValue, record->column, *static_cast<const int32_t*>(record->value)});
        }
        return RecordingWindow::WindowProc(msg, wParam, lParam);
    }
    struct Check {
        int32_t userValue, column, state;
    };
    std::vector<Check> checks;
};

CXListCtrl::Column MakeColumn(int columnKind, int cellKind, int width, const char* header, bool exclusive = false)
{
    CXListCtrl::Column column;
    column.columnKind = columnKind;
    column.cellKind = cellKind;
    column.width = width;
    column.header = QString::fromLatin1(header);
    column.exclusive = exclusive;
    return column;
}

struct ListRig {
    CheckRecorder owner;
    CXListCtrl list{279, &owner, &owner, SkinRect{0, 0, 300, 200}};
    ListRig()
    {
        list.AddColumn(MakeColumn(ListColumnKind::LCITEM_PROFILECURRENT, CellKind::CHECKBOX, 30, "", true));
        list.AddColumn(MakeColumn(ListColumnKind::LCITEM_PROFILENAME, CellKind::EDIT, 150, "Name"));
        list.AddColumn(MakeColumn(ListColumnKind::LCITEM_AUTOSWITCH, CellKind::CHECKBOX, 40, "Auto"));
        list.AddColumn(MakeColumn(ListColumnKind::LCITEM_PROFILEEXE, CellKind::STATIC, 80, "Program"));
        for (int i = 0; i < 6; ++i)
            list.AddRow(100 + i, QString());
        list.show();
    }
    QPoint CellCentre(int row, int column) { return list.CellRect(row, column).center(); }
};

} // namespace

TEST(XListCtrl, ExclusiveCheckColumnKeepsOneRowChecked)
{
    ListRig rig;
    rig.list.SetCellChecked(2, 0, true);
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.CellCentre(5, 0));
    EXPECT_TRUE(rig.list.IsCellChecked(5, 0));
    EXPECT_FALSE(rig.list.IsCellChecked(2, 0));
    ASSERT_EQ(rig.owner.checks.size(), 1u);
    EXPECT_EQ(rig.owner.checks[0].userValue, 105);
    EXPECT_EQ(rig.owner.checks[0].column, 0);
    EXPECT_EQ(rig.owner.checks[0].state, 1);

    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.CellCentre(5, 0));
    EXPECT_TRUE(rig.list.IsCellChecked(5, 0));
    EXPECT_EQ(rig.owner.checks.size(), 1u);
    // Every click on a row reports the row, check or not.
    auto clicks = rig.owner.Of(WM_LIST_ROW_CLICKED);
    ASSERT_EQ(clicks.size(), 2u);
    EXPECT_EQ(clicks[1].wParam, WPARAM(105));
    EXPECT_EQ(clicks[1].lParam, reinterpret_cast<LPARAM>(rig.list.GetHandle()));
}

TEST(XListCtrl, PlainCheckColumnsToggleOnlyNearTheirCentre)
{
    ListRig rig;
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.CellCentre(1, 2));
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.CellCentre(3, 2));
    EXPECT_TRUE(rig.list.IsCellChecked(1, 2));
    EXPECT_TRUE(rig.list.IsCellChecked(3, 2));
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.CellCentre(1, 2));
    EXPECT_FALSE(rig.list.IsCellChecked(1, 2));
    // The edge of a check cell is not the box.
    const QRect cell = rig.list.CellRect(3, 2);
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, QPoint(cell.left() + 2, cell.center().y()));
    EXPECT_TRUE(rig.list.IsCellChecked(3, 2));
    EXPECT_EQ(rig.owner.checks.size(), 3u);
    EXPECT_EQ(rig.owner.Of(WM_LIST_ROW_CLICKED).size(), 4u);
    // Below the last row nothing is reported.
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, QPoint(100, 195));
    EXPECT_EQ(rig.owner.Of(WM_LIST_ROW_CLICKED).size(), 4u);
}

TEST(XListCtrl, ProgressCellsShowTheirPercent)
{
    ListRig rig;
    rig.list.SetCellText(0, 1, QStringLiteral("Default profile"));
    rig.list.SetCellProgress(1, 1, 50);
    EXPECT_EQ(rig.list.CellProgressText(1, 1), QStringLiteral("50%"));
    rig.list.SetCellProgress(2, 1, 250, QStringLiteral("%d percent"));
    EXPECT_EQ(rig.list.CellProgressText(2, 1), QStringLiteral("100 percent"));
    // A format that would read a text falls back to the plain percent.
    rig.list.SetCellProgress(3, 1, 30, QStringLiteral("%s%n"));
    EXPECT_EQ(rig.list.CellProgressText(3, 1), QStringLiteral("30%"));
    EXPECT_FALSE(rig.list.SetCellProgress(9, 1, 30));
    rig.list.grab().save(QDir::currentPath() + QStringLiteral("/list_control.png"));
    // The left half of the bar's inside is filled, the right half is not.
    const QImage shot = rig.list.grab().toImage();
    const QRect cell = rig.list.CellRect(1, 1);
    const QColor filled = shot.pixelColor(cell.left() + 10, cell.top() + 6);
    const QColor empty = shot.pixelColor(cell.right() - 10, cell.top() + 6);
    EXPECT_NE(filled, empty);
}
