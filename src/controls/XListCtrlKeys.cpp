// SPDX-License-Identifier: GPL-3.0-or-later
// The list control's keyboard half: rows picked with the arrows, a current cell in
// the selected row, and each cell kind doing with a key what a click on it does.
#include "controls/FocusMark.h"
#include "controls/XListCtrl.h"
#include "controls/accessibility/AccessibleEvents.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>

namespace {

// Cells whose click opens or edits something, so that Enter means them rather than
// the window's OK.
bool EnterActivates(int cellKind)
{
    return cellKind == CellKind::COMBO || cellKind == CellKind::FILEDIALOG || cellKind == CellKind::EDIT;
}

} // namespace

int CXListCtrl::FirstColumnOfKind(int cellKind) const
{
    for (int column = 0; column < ColumnCount(); ++column)
        if (columns_[std::size_t(column)].cellKind == cellKind)
            return column;
    return -1;
}

int CXListCtrl::CurrentCellKind() const
{
    if (currentColumn_ < 0 || currentColumn_ >= ColumnCount() || !CellAt(selected_, currentColumn_))
        return -1;
    return columns_[std::size_t(currentColumn_)].cellKind;
}

void CXListCtrl::MoveToColumn(int column)
{
    if (column < 0 || column >= ColumnCount() || column == currentColumn_)
        return;
    currentColumn_ = column;
    update();
    if (selected_ >= 0)
        AnnounceEvent(this, QAccessible::Focus, selected_ * ColumnCount() + column);
}

bool CXListCtrl::ActivateCell(int row, int column)
{
    const Cell* cell = CellAt(row, column);
    if (!cell || !isEnabled())
        return false;
    switch (columns_[std::size_t(column)].cellKind) {
    case CellKind::CHECKBOX:
        return ClickCheck(row, column);
    case CellKind::EDIT:
        return BeginEdit(row, column);
    case CellKind::COMBO:
        if (cell->choices.empty())
            return false;
        comboRow_ = row;
        comboColumn_ = column;
        comboByKeyboard_ = true;
        SetTimer(kComboTimer, 0);
        return true;
    case CellKind::FILEDIALOG:
        // The row is remembered by its user value: the owner may refill the rows
        // before the dialog opens.
        fileRowValue_ = RowUserValue(row);
        fileColumn_ = column;
        SetTimer(kFileDialogTimer, 0);
        return true;
    default:
        return false;
    }
}

void CXListCtrl::keyPressEvent(QKeyEvent* event)
{
    const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const int key = event->key();
    const int count = RowCount();
    const int cellKind = CurrentCellKind();
    enum class Action { None, Row, Column, Activate, FirstCheck, Edit, Menu };
    Action action = Action::None;
    int row = -1;
    int column = -1;
    if (plain) {
        switch (key) {
        case Qt::Key_Up:
            action = Action::Row;
            row = selected_ < 0 ? count - 1 : std::max(0, selected_ - 1);
            break;
        case Qt::Key_Down:
            action = Action::Row;
            row = std::min(count - 1, selected_ + 1);
            break;
        case Qt::Key_PageUp:
            action = Action::Row;
            row = std::max(0, (selected_ < 0 ? count : selected_) - VisibleRows());
            break;
        case Qt::Key_PageDown:
            action = Action::Row;
            row = std::min(count - 1, selected_ + VisibleRows());
            break;
        case Qt::Key_Home:
            action = Action::Row;
            row = 0;
            break;
        case Qt::Key_End:
            action = Action::Row;
            row = count - 1;
            break;
        case Qt::Key_Left:
            action = Action::Column;
            column = currentColumn_ < 0 ? 0 : currentColumn_ - 1;
            break;
        case Qt::Key_Right:
            action = Action::Column;
            column = currentColumn_ + 1;
            break;
        case Qt::Key_Space:
            action = currentColumn_ < 0 ? Action::FirstCheck : Action::Activate;
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (EnterActivates(cellKind))
                action = Action::Activate;
            break;
        case Qt::Key_F4:
            if (cellKind == CellKind::COMBO)
                action = Action::Activate;
            break;
        case Qt::Key_F2:
            action = Action::Edit;
            break;
        case Qt::Key_Menu:
            action = Action::Menu;
            break;
        default:
            break;
        }
    } else if (modifiers == Qt::AltModifier && key == Qt::Key_Down && cellKind == CellKind::COMBO) {
        action = Action::Activate;
    } else if (modifiers == Qt::ShiftModifier && key == Qt::Key_F10) {
        action = Action::Menu;
    }
    if (action == Action::None) {
        CSkinWindow::keyPressEvent(event);
        return;
    }
    event->accept();
    if (IsEditing() || count == 0)
        return;
    switch (action) {
    case Action::Row:
        if (row >= 0 && row != selected_) {
            ClickRow(row);
            if (currentColumn_ >= 0 && row < RowCount())
                AnnounceEvent(this, QAccessible::Focus, row * ColumnCount() + currentColumn_);
        }
        return;
    case Action::Column:
        MoveToColumn(column);
        return;
    case Action::Activate:
        ActivateCell(selected_, currentColumn_);
        return;
    case Action::FirstCheck:
        ClickCheck(selected_, FirstColumnOfKind(CellKind::CHECKBOX));
        return;
    case Action::Edit:
        if (selected_ < 0)
            return;
        if (const int column = cellKind == CellKind::EDIT ? currentColumn_ : FirstColumnOfKind(CellKind::EDIT);
            column >= 0)
            BeginEdit(selected_, column);
        else
            ChooseMenuEntry(selected_, u"$Rename");
        return;
    case Action::Menu:
        if (selected_ >= 0)
            ShowContextMenu(CellRect(selected_, std::max(0, currentColumn_)).center());
        return;
    case Action::None:
        return;
    }
}

void CXListCtrl::DrawCurrentCellMark(QPainter& painter) const
{
    // Only for keyboard users, as the focus ring around the list itself.
    if (!hasFocus() || !CFocusMark::KeyboardCuesInUse() || !CellAt(selected_, currentColumn_))
        return;
    const QRect cell = CellRect(selected_, currentColumn_);
    if (cell.isEmpty() || selected_ < topRow_ || cell.top() >= height())
        return;
    painter.save();
    QPen pen(ToQColor(looks_.textHighlight));
    pen.setStyle(Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(cell.adjusted(1, 1, -2, -2));
    painter.restore();
}
