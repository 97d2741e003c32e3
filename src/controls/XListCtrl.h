// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The multi-column list of the profiles and macros pages (`LISTCTRL`, kind 18):
// a header and rows whose cells hold text, a check box, a progress bar or a
// drop-down choice. Check boxes toggle on a click (exclusively in an `exclusive`
// column), every click on a row reports the row's user value, a double click on an
// `EDIT` cell edits it in place, a press on a combo cell's arrow opens its choices,
// a press on a file cell's browse box asks for a file, and a right click opens the
// attached context menu (a list panel).
#include <QFont>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QString>
#include <optional>
#include <string_view>
#include <vector>

#include "controls/ControlDrawing.h"
#include "controls/VScrollBar.h"
#include "platform/SkinWindow.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

struct ListCtrlElement;
class CListPanelItem;

// Cell kinds of a column (`type` of `LISTCOLUMN`).
namespace CellKind {
constexpr int ICON = 0;
constexpr int STATIC = 1;
constexpr int EDIT = 2;
constexpr int COMBO = 3;
constexpr int CHECKBOX = 4;
constexpr int FILEDIALOG = 5;
} // namespace CellKind

// What the cell notifications point to, valid during the call: the row's user value
// (-1 for none), the column, and the new text (a NUL-terminated UTF-16 string) or,
// for check boxes, the new check state (an int32_t, 0 or 1).
struct ListCellRecord {
    int32_t rowUserValue = -1;
    int32_t column = 0;
    const void* value = nullptr;
};

class CXListCtrl : public CSkinWindow, public CGUIItem, public IScrollTarget {
public:
    static constexpr int kHeaderHeight = 20;
    static constexpr int kRowHeight = 20;

    struct Column {
        int columnKind = -1;
        int cellKind = CellKind::STATIC;
        int width = 0;
        QString header;
        QString tooltip;
        bool exclusive = false;
        QImage unchecked; // SBMN
        QImage checked;   // SBMD
        QImage mask;      // SBMM
        bool headerCheckShown = false;
        bool headerChecked = false;
    };
    struct Cell {
        QString text;
        bool checked = false;
        std::optional<int> progress; // percent
        QString progressFormat;      // "%d%%" when empty
        std::vector<QString> choices;
        int chosen = -1;
    };

    CXListCtrl(int itemId, CSkinWindow* parent, CSkinWindow* itemOwner, const SkinRect& rect);
    static std::unique_ptr<CXListCtrl> FromElement(const ListCtrlElement& element, CSkinWindow* itemOwner);

    void AddColumn(const Column& column);
    int ColumnCount() const { return int(columns_.size()); }
    const Column& ColumnAt(int column) const { return columns_.at(std::size_t(column)); }

    // Appends a row (or inserts it in text order of column 0 when sorted); returns its index.
    int AddRow(int userValue, const QString& firstCellText = {});
    void DeleteAllRows();
    int RowCount() const { return int(rows_.size()); }
    int RowUserValue(int row) const;
    int FindRow(int userValue) const;

    bool SetCellText(int row, int column, const QString& text);
    QString CellText(int row, int column) const;
    bool SetCellChecked(int row, int column, bool checked);
    bool IsCellChecked(int row, int column) const;
    // Clamped to [0, 100]; the text is "%d%%" of the value unless a format is given.
    bool SetCellProgress(int row, int column, int percent, const QString& format = {});
    QString CellProgressText(int row, int column) const;
    bool SetCellChoices(int row, int column, const std::vector<QString>& choices, int chosen);

    struct Looks {
        COLORREF text = kDefaultTextColor;
        COLORREF back = RGB(0x0B, 0x0B, 0x0B);
        COLORREF textHighlight = kDefaultTextColor;
        COLORREF backHighlight = RGB(0x36, 0x2E, 0x04);
        COLORREF border = RGB(0x55, 0x49, 0x09);
        COLORREF headerText = kDefaultTextColor;
        COLORREF headerBack = RGB(0x2B, 0x2B, 0x2B);
        int headerBorder = 1;
        // Stretched over each column's header cell, in front of the header colour;
        // transparent where the skin's mask is white. Null: the colour alone.
        QImage headerBitmap;
    };
    // The header picture of a skin's header bitmap and mask (null when the bitmap is).
    static QImage MakeHeaderBitmap(const QImage& data, const QImage& mask);
    void SetLooks(const Looks& looks);
    void SetFont(const QFont& font) { font_ = font; }
    void SetSorted(bool sorted) { sorted_ = sorted; }
    bool IsSorted() const { return sorted_; }

    // A check box in a check-box column's header: once shown, it tells whether every
    // row of the column is checked, and follows every toggle.
    bool ShowHeaderCheck(int column, bool show);
    bool IsHeaderCheckShown(int column) const;
    bool IsHeaderChecked(int column) const;
    int SelectedRow() const { return selected_; }
    // Clicks the check box of a check-box cell as the pointer does (the check and
    // then the row reported to the owner); false for any other cell.
    bool ClickCheck(int row, int column);
    // Selects a row (-1: none; rows that do not exist select none) without telling anyone.
    void SelectRow(int row);
    // The cell of the selected row the keyboard is on (-1: none; then Space ticks the
    // row's first check box). Left and Right move it; a click puts it on the clicked cell.
    int CurrentColumn() const { return currentColumn_; }
    // Does what a click on the cell's active part does: ticks a check box, edits an
    // edit cell, opens a combo cell's choices (starting from its choice) or a file
    // cell's browse dialog, the last two once the caller's event is over. False when
    // the cell has nothing to do or does not exist.
    bool ActivateCell(int row, int column);
    // Scrolls as little as needed for the row to be shown whole.
    void EnsureVisible(int row);
    // The column of a list-column kind (LCITEM_...), -1 when the list has none.
    int ColumnOfKind(int columnKind) const;

    // Scrolling: the first row shown, the skinned scroll bar (none without `VSCROLL`).
    int TopRow() const { return topRow_; }
    int VisibleRows() const;
    void ScrollTo(int top);
    void SetScrollBar(const ScrollBarInfo& info);
    CVScrollBar* ScrollBar() const { return scrollBar_; }
    ScrollState GetScrollState() const override;
    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

    // The list panel shown on a right click (null: no context menu). Its entries
    // "$AssignApplication" and "$UnassignApplication" act on the row's application
    // (column 3) and automatic switch (column 4); any other entry is reported (1544).
    void SetContextMenu(CListPanelItem* panel) { contextMenu_ = panel; }

    // In-place editing of an `EDIT` cell; ending it reports a changed text (1545).
    bool BeginEdit(int row, int column);
    void EndEdit();
    void CancelEdit();
    bool IsEditing() const { return editRow_ >= 0; }
    QLineEdit* Editor() const { return editor_; }
    int EditRow() const { return editRow_; }
    int EditColumn() const { return editColumn_; }

    // The application column and the automatic-switch column the context menu acts on.
    static constexpr int kApplicationColumn = 3;
    static constexpr int kAutoSwitchColumn = 4;
    static constexpr UINT kComboTimer = 1;
    static constexpr UINT kComboDelayMs = 100;
    static constexpr UINT kFileDialogTimer = 2;
    // Any file may be chosen: programs here need no extension.
    static constexpr std::u16string_view kFileCellFilter = u"*|*||";

    // The square browse box at the right end of a `FILEDIALOG` cell (empty for other
    // cells). A press in it opens an open-file dialog once the press is over; a chosen
    // file's name and extension become the cell's text, and the owner hears of the
    // full path (1325, with the cell's column).
    QRect BrowseBoxRect(int row, int column) const;
    // The row and column at a client point (-1 when none); check-box cells only
    // count within 12 pixels around their centre.
    int RowAt(const QPoint& point) const;
    int CellColumnAt(int row, const QPoint& point) const;
    QRect CellRect(int row, int column) const;
    // The column whose header cell holds the client point (-1 when none) and the
    // tooltip shown there (empty when none).
    int HeaderColumnAt(const QPoint& point) const;
    QRect HeaderRect(int column) const;
    QString HeaderTooltipAt(const QPoint& point) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    // Up, Down, Page Up, Page Down, Home and End pick a row as a click on it does;
    // Left and Right move between the row's cells. Space activates the current cell
    // (with none, it ticks the row's first check box); Enter activates a combo, file
    // or edit cell and is the window's otherwise; F4 or Alt+Down opens a combo cell;
    // F2 edits the row's text (with no edit cell: the context menu's "$Rename");
    // the menu key (or Shift+F10) opens the context menu.
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void OnTimer(UINT id) override;

private:
    // Selects the row and tells the owner as a click on the row does (1542).
    void ClickRow(int row);
    int FirstColumnOfKind(int cellKind) const;
    int CurrentCellKind() const;
    void MoveToColumn(int column);
    void DrawCurrentCellMark(QPainter& painter) const;
    Cell* CellAt(int row, int column);
    const Cell* CellAt(int row, int column) const;
    void ToggleCheck(int row, int column);
    void UpdateHeaderCheck(int column);
    void SendCellRecord(UINT msg, int row, int column, const void* value);
    void ShowContextMenu(const QPoint& point);
    // Acts on the context menu's entry of `key` for the row as if it had been chosen;
    // false when the menu has no such entry or it is disabled for the row.
    bool ChooseMenuEntry(int row, std::u16string_view key);
    void ActOnMenuEntry(int row, int chosen);
    void OpenComboList();
    void OpenFileDialog();
    CSkinWindow* NotifyTarget() const;
    void DrawCell(QPainter& painter, const QRect& rect, const Column& column, const Cell& cell, bool selected) const;

    struct Row {
        int userValue = -1;
        std::vector<Cell> cells;
    };
    std::vector<Column> columns_;
    std::vector<Row> rows_;
    Looks looks_;
    QFont font_;
    bool sorted_ = false;
    int selected_ = -1;
    int topRow_ = 0;
    CListPanelItem* contextMenu_ = nullptr;
    CVScrollBar* scrollBar_ = nullptr;
    QPointer<QLineEdit> editor_;
    int editRow_ = -1;
    int editColumn_ = -1;
    QString editOriginal_;
    int currentColumn_ = -1;
    int comboRow_ = -1;
    int comboColumn_ = -1;
    bool comboByKeyboard_ = false;
    int fileRowValue_ = -1;
    int fileColumn_ = -1;
};
