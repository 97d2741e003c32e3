// SPDX-License-Identifier: GPL-3.0-or-later
#include "ListPopupTestSupport.h"
#include "SliderTestSupport.h"

#include "controls/ListPanelPopup.h"
#include "controls/XListCtrl.h"
#include "platform/ModalService.h"
#include "skin/ColorTable.h"
#include "skin/SkinElements.h"

#include <QDir>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QToolTip>
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

    // A header check follows whether every row is checked.
    EXPECT_FALSE(rig.list.ShowHeaderCheck(1, true)); // not a check-box column
    ASSERT_TRUE(rig.list.ShowHeaderCheck(2, true));
    EXPECT_FALSE(rig.list.IsHeaderChecked(2));
    for (int row : {0, 1, 2, 4, 5})
        QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.CellCentre(row, 2));
    EXPECT_TRUE(rig.list.IsHeaderChecked(2));
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.CellCentre(4, 2));
    EXPECT_FALSE(rig.list.IsHeaderChecked(2));
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

namespace {

// Keeps what the cell records of 1325, 1540, 1542, 1544 and 1545 carried.
class CellRecorder : public RecordingWindow {
public:
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_LIST_APP_CELL_CHANGED || msg == WM_LIST_CELL_DOUBLE_CLICKED ||
            msg == WM_LIST_CONTEXT_MENU_OPENING || msg == WM_LIST_CONTEXT_MENU_CHOSEN || msg == WM_LIST_CELL_EDITED ||
            msg == WM_LIST_CHECK_TOGGLED) {
            const auto* record = reinterpret_cast<const ListCellRecord*>(lParam);
            Cell cell{msg, record->rowUserValue, record->column, {}};
            if (record->value && msg != WM_LIST_CHECK_TOGGLED)
                cell.text = QString::fromUtf16(static_cast<const char16_t*>(record->value));
            cells.push_back(cell);
        }
        return RecordingWindow::WindowProc(msg, wParam, lParam);
    }
    struct Cell {
        UINT msg;
        int32_t userValue, column;
        QString text;
    };
    std::vector<Cell> CellsOf(UINT msg) const
    {
        std::vector<Cell> found;
        for (const auto& c : cells)
            if (c.msg == msg)
                found.push_back(c);
        return found;
    }
    std::vector<Cell> cells;
};

struct ProfileListRig {
    CellRecorder owner;
    CXListCtrl list{279, &owner, &owner, SkinRect{0, 0, 400, 200}};
    ProfileListRig()
    {
        ModalScript::Reset();
        ModalScript::SetStrict(true);
        list.AddColumn(MakeColumn(ListColumnKind::LCITEM_PROFILECURRENT, CellKind::CHECKBOX, 30, "", true));
        list.AddColumn(MakeColumn(ListColumnKind::LCITEM_PROFILENAME, CellKind::EDIT, 120, "Name"));
        list.AddColumn(MakeColumn(ListColumnKind::LCITEM_PROFILEID, CellKind::COMBO, 90, "Id"));
        list.AddColumn(MakeColumn(ListColumnKind::LCITEM_PROFILEEXE, CellKind::FILEDIALOG, 100, "Program"));
        list.AddColumn(MakeColumn(ListColumnKind::LCITEM_AUTOSWITCH, CellKind::CHECKBOX, 40, "Auto"));
        for (int i = 0; i < 3; ++i)
            list.AddRow(10 + i, QStringLiteral("row %1").arg(i));
        list.show();
    }
    ~ProfileListRig() { ModalScript::Reset(); }
};

} // namespace

TEST(XListCtrl, InPlaceEditReportsOnlyAChangedText)
{
    ProfileListRig rig;
    rig.list.SetCellText(1, 1, QStringLiteral("Work"));
    QTest::mouseDClick(&rig.list, Qt::LeftButton, {}, rig.list.CellRect(1, 1).center());
    ASSERT_EQ(rig.owner.CellsOf(WM_LIST_CELL_DOUBLE_CLICKED).size(), 1u);
    EXPECT_EQ(rig.owner.CellsOf(WM_LIST_CELL_DOUBLE_CLICKED)[0].userValue, 11);
    ASSERT_TRUE(rig.list.IsEditing());
    // Clicking another row without changing the text sends nothing.
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.list.CellRect(2, 1).center());
    EXPECT_FALSE(rig.list.IsEditing());
    EXPECT_TRUE(rig.owner.CellsOf(WM_LIST_CELL_EDITED).empty());

    ASSERT_TRUE(rig.list.BeginEdit(1, 1));
    rig.list.Editor()->setText(QStringLiteral("Games"));
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.list.CellRect(0, 1).center());
    const auto edited = rig.owner.CellsOf(WM_LIST_CELL_EDITED);
    ASSERT_EQ(edited.size(), 1u);
    EXPECT_EQ(edited[0].userValue, 11);
    EXPECT_EQ(edited[0].column, 1);
    EXPECT_EQ(edited[0].text, QStringLiteral("Games"));
    EXPECT_EQ(rig.list.CellText(1, 1), QStringLiteral("Games"));

    // Escape leaves the text as it was; only EDIT cells are edited.
    ASSERT_TRUE(rig.list.BeginEdit(1, 1));
    rig.list.Editor()->setText(QStringLiteral("Lost"));
    QTest::keyClick(rig.list.Editor(), Qt::Key_Escape);
    EXPECT_EQ(rig.list.CellText(1, 1), QStringLiteral("Games"));
    EXPECT_FALSE(rig.list.BeginEdit(1, 3));
}

TEST(XListCtrl, ContextMenuAssignsAndUnassignsTheApplication)
{
    ProfileListRig rig;
    CListPanelItem menu(289, &rig.owner, SkinRect{0, 0, 150, 60});
    menu.AddEntry(u"$AssignApplication");
    menu.AddEntry(u"$UnassignApplication");
    menu.AddEntry(u"$Rename");
    rig.list.SetContextMenu(&menu);
    auto choose = [](int row) {
        return [row](CSkinWindow& window) {
            auto& popup = dynamic_cast<CListPanel&>(window);
            QTest::mouseClick(popup.List(), Qt::LeftButton, {}, popup.List()->RowRect(row).center());
            QTest::qWait(int(CListPanelPopupList::kCloseDelayMs) + 150);
        };
    };

    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, choose(0));
    ModalScript::AnswerNextOpenFile(u"/opt/games/arena.exe");
    QTest::mouseClick(&rig.list, Qt::RightButton, {}, rig.list.CellRect(2, 1).center());
    ASSERT_EQ(rig.owner.CellsOf(WM_LIST_CONTEXT_MENU_OPENING).size(), 1u);
    EXPECT_EQ(rig.owner.CellsOf(WM_LIST_CONTEXT_MENU_OPENING)[0].userValue, 12);
    EXPECT_EQ(rig.list.CellText(2, 3), QStringLiteral("arena.exe"));
    ASSERT_EQ(rig.owner.CellsOf(WM_LIST_APP_CELL_CHANGED).size(), 1u);
    EXPECT_EQ(rig.owner.CellsOf(WM_LIST_APP_CELL_CHANGED)[0].text, QStringLiteral("arena.exe"));
    ASSERT_FALSE(ModalScript::Records().empty());
    EXPECT_EQ(ModalScript::Records().back().fileRequest.filter, u"*.exe|*.exe||");

    rig.list.SetCellChecked(2, 4, true);
    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, choose(1));
    QTest::mouseClick(&rig.list, Qt::RightButton, {}, rig.list.CellRect(2, 1).center());
    EXPECT_EQ(rig.list.CellText(2, 3), QString());
    EXPECT_FALSE(rig.list.IsCellChecked(2, 4));
    EXPECT_EQ(rig.owner.CellsOf(WM_LIST_APP_CELL_CHANGED).size(), 2u);
    ASSERT_EQ(rig.owner.CellsOf(WM_LIST_CHECK_TOGGLED).size(), 1u);
    EXPECT_EQ(rig.owner.CellsOf(WM_LIST_CHECK_TOGGLED)[0].column, 4);

    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, choose(2));
    QTest::mouseClick(&rig.list, Qt::RightButton, {}, rig.list.CellRect(0, 1).center());
    ASSERT_EQ(rig.owner.CellsOf(WM_LIST_CONTEXT_MENU_CHOSEN).size(), 1u);
    EXPECT_EQ(rig.owner.CellsOf(WM_LIST_CONTEXT_MENU_CHOSEN)[0].text, QStringLiteral("$Rename"));
    EXPECT_EQ(rig.owner.CellsOf(WM_LIST_CONTEXT_MENU_CHOSEN)[0].userValue, 10);
}

TEST(XListCtrl, FileCellBrowseBoxReportsTheChosenPathOnce)
{
    ProfileListRig rig;
    const QRect box = rig.list.BrowseBoxRect(1, 3);
    ASSERT_FALSE(box.isEmpty());
    EXPECT_TRUE(rig.list.BrowseBoxRect(1, 1).isEmpty()) << "only file cells have a browse box";

    // The text part of the cell only selects the row.
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.list.CellRect(1, 3).topLeft() + QPoint(6, 10));
    QTest::qWait(50);
    EXPECT_TRUE(ModalScript::Records().empty());

    struct Case {
        std::optional<std::u16string> answer;
        QString cellText;
        size_t reports;
    };
    const Case cases[] = {
        {std::nullopt, QString(), 0},
        {u"/opt/games/bin/arena", QStringLiteral("arena"), 1},
        {u"/home/me/tools/launcher.sh", QStringLiteral("launcher.sh"), 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answer ? QString::fromStdU16String(*c.answer).toStdString() : std::string("cancelled"));
        ModalScript::AnswerNextOpenFile(c.answer);
        QTest::mouseClick(&rig.list, Qt::LeftButton, {}, box.center());
        ASSERT_TRUE(QTest::qWaitFor([&] { return ModalScript::PendingAnswers() == 0; }, 2000));
        EXPECT_EQ(rig.list.CellText(1, 3), c.cellText);
        const auto reports = rig.owner.CellsOf(WM_LIST_APP_CELL_CHANGED);
        ASSERT_EQ(reports.size(), c.reports);
        if (c.reports > 0) {
            EXPECT_EQ(reports.back().userValue, 11);
            EXPECT_EQ(reports.back().column, 3);
            EXPECT_EQ(reports.back().text, QString::fromStdU16String(*c.answer)) << "the owner gets the full path";
        }
    }
    ASSERT_FALSE(ModalScript::Records().empty());
    EXPECT_EQ(ModalScript::Records().back().kind, ModalRecord::Kind::OpenFile);
}

TEST(XListCtrl, ComboArrowOpensTheChoicesAfterAShortDelay)
{
    ProfileListRig rig;
    rig.list.SetCellChoices(0, 2, {QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")}, 0);
    EXPECT_EQ(rig.list.CellText(0, 2), QStringLiteral("One"));
    // The text part of the cell does not open anything.
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.list.CellRect(0, 2).topLeft() + QPoint(10, 10));
    QTest::qWait(int(CXListCtrl::kComboDelayMs) + 100);
    EXPECT_TRUE(ModalScript::Records().empty());

    ModalScript::EndNextRun(kListPanelRunName, IDCANCEL, [](CSkinWindow& window) {
        auto& popup = dynamic_cast<CListPanel&>(window);
        QTest::mouseClick(popup.List(), Qt::LeftButton, {}, popup.List()->RowRect(2).center());
        QTest::qWait(int(CListPanelPopupList::kCloseDelayMs) + 150);
    });
    const QRect cell = rig.list.CellRect(0, 2);
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, QPoint(cell.right() - 3, cell.center().y()));
    QTest::qWait(int(CXListCtrl::kComboDelayMs) + 100);
    EXPECT_EQ(ModalScript::Records().size(), 1u);
    EXPECT_EQ(rig.list.CellText(0, 2), QStringLiteral("Three"));
}

TEST(XListCtrl, TheKeyboardReachesEveryCellAndDoesWhatAClickDoes)
{
    ProfileListRig rig;
    rig.list.SetCellChoices(0, 2, {QStringLiteral("One"), QStringLiteral("Two"), QStringLiteral("Three")}, 1);
    auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(&rig.list, &event);
        return event.isAccepted();
    };
    auto settle = [] { return QTest::qWaitFor([] { return ModalScript::PendingAnswers() == 0; }, 2000); };

    press(Qt::Key_Down);
    ASSERT_EQ(rig.list.SelectedRow(), 0);
    EXPECT_EQ(rig.list.CurrentColumn(), -1);
    press(Qt::Key_Space);
    EXPECT_TRUE(rig.list.IsCellChecked(0, 0)) << "with no current cell Space ticks the row";
    EXPECT_FALSE(press(Qt::Key_Return)) << "Enter is the window's while no cell wants it";

    // Right stops at the last cell, where Space ticks that column's box.
    for (int i = 0; i < 7; ++i)
        press(Qt::Key_Right);
    ASSERT_EQ(rig.list.CurrentColumn(), 4);
    press(Qt::Key_Space);
    EXPECT_TRUE(rig.list.IsCellChecked(0, 4));
    EXPECT_TRUE(rig.list.IsCellChecked(0, 0)) << "the other check column is left alone";
    EXPECT_FALSE(press(Qt::Key_Return));

    // The file cell: Enter and Space browse, as a press on its box does.
    press(Qt::Key_Left);
    ASSERT_EQ(rig.list.CurrentColumn(), 3);
    ModalScript::AnswerNextOpenFile(u"/opt/games/arena");
    EXPECT_TRUE(press(Qt::Key_Return));
    ASSERT_TRUE(settle());
    EXPECT_EQ(rig.list.CellText(0, 3), QStringLiteral("arena"));
    ModalScript::AnswerNextOpenFile(std::nullopt);
    press(Qt::Key_Space);
    ASSERT_TRUE(settle());
    EXPECT_EQ(rig.list.CellText(0, 3), QStringLiteral("arena")) << "a cancelled browse changes nothing";
    const auto reports = rig.owner.CellsOf(WM_LIST_APP_CELL_CHANGED);
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_EQ(reports[0].text, QStringLiteral("/opt/games/arena"));
    EXPECT_EQ(reports[0].userValue, 10);

    // The combo cell: F4, Alt+Down and Enter open its choices at the current one.
    press(Qt::Key_Left);
    ASSERT_EQ(rig.list.CurrentColumn(), 2);
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int startRow;
        QString chosen;
    };
    const Case cases[] = {
        {"F4", Qt::Key_F4, {}, 1, QStringLiteral("Three")},
        {"Alt+Down", Qt::Key_Down, Qt::AltModifier, 2, QStringLiteral("Three")},
        {"Enter", Qt::Key_Return, {}, 2, QStringLiteral("Three")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        int startRow = -1;
        TakeTheNextRowByKeys(startRow);
        press(c.key, c.modifiers);
        ASSERT_TRUE(settle());
        EXPECT_EQ(startRow, c.startRow);
        EXPECT_EQ(rig.list.CellText(0, 2), c.chosen);
    }
    EXPECT_EQ(rig.list.SelectedRow(), 0) << "Alt+Down opens the combo rather than moving the row";

    // The edit cell: Enter edits it in place; F4 means nothing there.
    press(Qt::Key_Left);
    const size_t runs = ModalScript::Records().size();
    press(Qt::Key_F4);
    QTest::qWait(50);
    EXPECT_EQ(ModalScript::Records().size(), runs);
    press(Qt::Key_Return);
    ASSERT_TRUE(rig.list.IsEditing());
    EXPECT_EQ(rig.list.EditColumn(), 1);
    rig.list.Editor()->setText(QStringLiteral("Arena"));
    QTest::keyClick(rig.list.Editor(), Qt::Key_Return);
    EXPECT_EQ(rig.list.CellText(0, 1), QStringLiteral("Arena"));

    // The current cell stays in its column as the row changes, and a click moves it.
    press(Qt::Key_Down);
    EXPECT_EQ(rig.list.SelectedRow(), 1);
    EXPECT_EQ(rig.list.CurrentColumn(), 1);
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.list.CellRect(2, 3).topLeft() + QPoint(6, 10));
    EXPECT_EQ(rig.list.CurrentColumn(), 3);
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    press(Qt::Key_Left);
    EXPECT_EQ(rig.list.CurrentColumn(), 0) << "Left stops at the first cell";
}

TEST(XListCtrl, ScrolledRowsReportTheirOwnUserValue)
{
    ProfileListRig rig;
    for (int i = 3; i < 15; ++i)
        rig.list.AddRow(10 + i, QStringLiteral("row %1").arg(i));
    ScrollBarInfo looks;
    looks.thumb.image = SolidImage(10, 16, Qt::cyan);
    rig.list.SetScrollBar(looks);
    ASSERT_NE(rig.list.ScrollBar(), nullptr);
    const int visible = rig.list.VisibleRows();
    ASSERT_LT(visible, rig.list.RowCount());

    QWheelEvent wheel(QPointF(50, 50), QPointF(rig.list.mapToGlobal(QPoint(50, 50))), QPoint(), QPoint(0, -240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&rig.list, &wheel);
    EXPECT_EQ(rig.list.TopRow(), 2);
    QTest::mouseClick(&rig.list, Qt::LeftButton, {}, rig.list.CellRect(2, 1).center());
    ASSERT_FALSE(rig.owner.Of(WM_LIST_ROW_CLICKED).empty());
    EXPECT_EQ(rig.owner.Of(WM_LIST_ROW_CLICKED).back().wParam, WPARAM(12));

    rig.list.SendMessage(WM_VSCROLL, MAKEWPARAM(SB_BOTTOM, 0), 0);
    EXPECT_EQ(rig.list.TopRow(), rig.list.RowCount() - visible);
    rig.list.DeleteAllRows();
    EXPECT_EQ(rig.list.TopRow(), 0);
}

namespace {

// A list made as the skin loader makes it: a header with a bitmap of three stripes
// (red, green, and a third cut away by the mask) over a blue header colour, and two
// columns of which the first has a tooltip.
std::unique_ptr<CXListCtrl> ListWithSkinnedHeader(CSkinWindow& owner)
{
    ListCtrlElement element;
    element.id = 279;
    element.parentWindow = &owner;
    element.rect = SkinRect{0, 0, 150, 100};
    ListHeaderInfo header;
    header.backColor = RGB(0, 0, 200);
    header.borderWidth = 1;
    NamedBitmap bitmap;
    bitmap.data.image = QImage(3, 1, QImage::Format_RGB32);
    bitmap.data.image.setPixel(0, 0, qRgb(220, 0, 0));
    bitmap.data.image.setPixel(1, 0, qRgb(0, 220, 0));
    bitmap.data.image.setPixel(2, 0, qRgb(220, 220, 0));
    bitmap.mask.image = QImage(3, 1, QImage::Format_RGB32);
    bitmap.mask.image.fill(Qt::black);
    bitmap.mask.image.setPixel(2, 0, qRgb(255, 255, 255));
    header.bitmapInfos.push_back(NamedBitmap{}); // nothing loaded: passed over
    header.bitmapInfos.push_back(bitmap);
    element.header = header;
    ListColumnInfo program;
    program.columnKind = ListColumnKind::LCITEM_PROFILEEXE;
    program.cellKind = CellKind::STATIC;
    program.width = 90;
    program.tooltip = u"The program that\\nswitches to the profile";
    ListColumnInfo name = program;
    name.columnKind = ListColumnKind::LCITEM_PROFILENAME;
    name.width = 60;
    name.tooltip.clear();
    element.columns = {program, name};
    return CXListCtrl::FromElement(element, &owner);
}

} // namespace

TEST(XListCtrl, HeaderIsDrawnFromItsMaskedBitmapStretchedPerColumn)
{
    RecordingWindow owner;
    owner.resize(200, 120);
    owner.show();
    auto list = ListWithSkinnedHeader(owner);
    const QImage shown = list->grab().toImage();
    const int y = CXListCtrl::kHeaderHeight / 2;
    // First column, 90 wide: 30 pixels of each stripe; the masked stripe shows the colour.
    EXPECT_EQ(shown.pixelColor(15, y), QColor(220, 0, 0));
    EXPECT_EQ(shown.pixelColor(45, y), QColor(0, 220, 0));
    EXPECT_EQ(shown.pixelColor(75, y), QColor(0, 0, 200));
    // Second column, 60 wide: the whole bitmap again, 20 pixels a stripe.
    EXPECT_EQ(shown.pixelColor(90 + 10, y), QColor(220, 0, 0));
    EXPECT_EQ(shown.pixelColor(90 + 30, y), QColor(0, 220, 0));
    EXPECT_EQ(shown.pixelColor(90 + 50, y), QColor(0, 0, 200));

    // Without a mask the whole bitmap shows; without a bitmap there is no picture.
    const QImage unmasked = CXListCtrl::MakeHeaderBitmap(QImage(2, 2, QImage::Format_RGB32), QImage());
    EXPECT_EQ(qAlpha(unmasked.pixel(1, 1)), 255);
    EXPECT_TRUE(CXListCtrl::MakeHeaderBitmap(QImage(), QImage(2, 2, QImage::Format_RGB32)).isNull());
    // A smaller mask cuts only where it lies.
    QImage smallMask(1, 1, QImage::Format_RGB32);
    smallMask.fill(Qt::white);
    const QImage cut = CXListCtrl::MakeHeaderBitmap(QImage(2, 2, QImage::Format_RGB32), smallMask);
    EXPECT_EQ(qAlpha(cut.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(cut.pixel(1, 1)), 255);
}

TEST(XListCtrl, HeaderCellsShowTheirColumnTooltip)
{
    RecordingWindow owner;
    owner.resize(200, 120);
    owner.show();
    auto list = ListWithSkinnedHeader(owner);
    const QPoint programHeader(40, 8);
    QHelpEvent help(QEvent::ToolTip, programHeader, list->mapToGlobal(programHeader));
    QCoreApplication::sendEvent(list.get(), &help);
    ASSERT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), QStringLiteral("The program that\nswitches to the profile"));

    // The tip belongs to the header cell: not the column without one, not the rows,
    // not the space right of the last column.
    EXPECT_TRUE(list->HeaderTooltipAt(QPoint(100, 8)).isEmpty());
    EXPECT_TRUE(list->HeaderTooltipAt(QPoint(40, CXListCtrl::kHeaderHeight + 5)).isEmpty());
    EXPECT_EQ(list->HeaderColumnAt(QPoint(149, 8)), 1);
    list->resize(200, 100);
    EXPECT_EQ(list->HeaderColumnAt(QPoint(160, 8)), -1);
    const QPoint rows(40, 50);
    QHelpEvent overRows(QEvent::ToolTip, rows, list->mapToGlobal(rows));
    QCoreApplication::sendEvent(list.get(), &overRows);
    QTRY_VERIFY(!QToolTip::isVisible());
}
