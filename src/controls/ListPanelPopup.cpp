// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ListPanelPopup.h"

#include "controls/accessibility/AccessibleEvents.h"
#include "platform/ModalService.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

// Rows are returned through the modal result above the two fixed results, so that a
// pop-up closed any other way (IDCANCEL) can never pass for a row.
constexpr int kRowResultBase = 16;
constexpr int kSubPanelMaxRows = 5;

} // namespace

int ShowListPanelPopup(int height, CSkinWindow* anchor, CListPanelItem& panel, int x, int y, int* subPanelChoice,
                       int startRow)
{
    const QPoint origin = anchor ? anchor->mapToGlobal(QPoint(0, 0)) : QPoint(0, 0);
    const int shownHeight = height > 0 ? height : std::max(panel.Rect().Height(), panel.ListHeight());
    CListPanel popup(panel, QRect(origin + QPoint(x, y), QSize(panel.Width(), shownHeight)));
    popup.SetSubPanel(anchor && anchor->windowType() == Qt::Popup);
    popup.List()->HoverRow(startRow);
    const int result = RunModal(popup, kListPanelRunName);
    const int row = result >= kRowResultBase ? result - kRowResultBase : -1;
    if (subPanelChoice)
        *subPanelChoice = row >= 0 ? popup.SubPanelChoice() : -1;
    return row;
}

// ---- the list in the pop-up -----------------------------------------------------------

CListPanelPopupList::CListPanelPopupList(CListPanelItem& panel, CSkinWindow* popup) : CListPanelRows(panel, popup, 0)
{
    SetSelectionDrawnAsHighlight(true);
}

void CListPanelPopupList::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::RightButton)
        Dismiss();
    else if (event->button() == Qt::LeftButton)
        ChooseRow(RowAt(event->position().toPoint()));
}

void CListPanelPopupList::Dismiss()
{
    if (HasTimer(kCloseTimer))
        return; // already closing
    SetHoveredRow(-1);
    chosenRow_ = -1;
    subChoice_ = -1;
    SetTimer(kCloseTimer, kCloseDelayMs);
}

void CListPanelPopupList::MoveHover(int delta)
{
    const int from = HoveredRow() >= 0 ? HoveredRow() : (delta < 0 ? Panel().RowCount() : -1);
    const int row = NextEnabledRow(from, delta);
    if (row < 0)
        return; // at the end: the row stays
    SetHoveredRow(row);
    ScrollIntoView(row);
}

void CListPanelPopupList::HoverRow(int row)
{
    if (row < 0 || row >= Panel().RowCount() || Panel().IsRowDisabled(row))
        return;
    SetHoveredRow(row);
    ScrollIntoView(row);
}

void CListPanelPopupList::HoverFirstOrLast(bool last)
{
    const int row = last ? NextEnabledRow(Panel().RowCount(), -1) : NextEnabledRow(-1, 1);
    if (row < 0)
        return;
    SetHoveredRow(row);
    ScrollIntoView(row);
}

bool CListPanelPopupList::ChooseRow(int row)
{
    if (HasTimer(kCloseTimer))
        return false; // already closing
    if (row < 0 || row >= Panel().RowCount() || Panel().IsRowDisabled(row))
        return false;
    CListPanelItem* sub = Panel().EntryAt(row).subPanel;
    if (sub && sub->RowCount() > 0) {
        // Beside the row, as many rows high as it has, at most five.
        const QPoint rowTop = mapTo(window(), RowRect(row).topLeft());
        const int height =
            CListPanelRows::kRowHeight * std::min(sub->RowCount(), kSubPanelMaxRows) + 2 * sub->ShownBorderWidth();
        subChoice_ =
            ShowListPanelPopup(height, static_cast<CSkinWindow*>(window()), *sub, window()->width(), rowTop.y());
        if (subChoice_ >= 0)
            sub->SetSelectionText(sub->EntryAt(subChoice_).text);
    }
    chosenRow_ = row;
    SetSelectedRow(row);
    SetTimer(kCloseTimer, kCloseDelayMs);
    return true;
}

void CListPanelPopupList::OnTimer(UINT id)
{
    if (id != kCloseTimer) {
        CListPanelRows::OnTimer(id);
        return;
    }
    KillTimer(kCloseTimer);
    if (CSkinWindow* popup = GetParentWindow())
        popup->PostMessage(WM_LIST_PANEL_CLOSE, WPARAM(intptr_t(subChoice_)), LPARAM(chosenRow_));
}

// ---- the pop-up -------------------------------------------------------------------------

CListPanel::CListPanel(CListPanelItem& panel, const QRect& screenRect)
    : CSkinWindow(nullptr, Qt::Popup | Qt::FramelessWindowHint), panel_(panel)
{
    setGeometry(screenRect);
    // The list takes the client area less the border on the left, right and bottom.
    const int border = panel.ShownBorderWidth();
    list_ = new CListPanelPopupList(panel, this);
    list_->setGeometry(border, 0, std::max(0, width() - 2 * border), std::max(0, height() - border));
    list_->SetSelectedRow(-1);
}

LRESULT CListPanel::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_LIST_PANEL_CLOSE) {
        subChoice_ = int(intptr_t(wParam));
        chosenRow_ = int(lParam);
        EndModal(chosenRow_ >= 0 ? kRowResultBase + chosenRow_ : IDCANCEL);
        hide();
        return 0;
    }
    return CSkinWindow::WindowProc(msg, wParam, lParam);
}

void CListPanel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const ListPanelColours& colours = panel_.Colours();
    painter.fillRect(rect(), ToQColor(colours.back));
    DrawInsideFrame(painter, rect(), colours.border, panel_.ShownBorderWidth());
}

void CListPanel::keyPressEvent(QKeyEvent* event)
{
    // Every key is kept here: passed on, it would reach the window under the pop-up.
    event->accept();
    const int hovered = list_->HoveredRow();
    switch (event->key()) {
    case Qt::Key_Up:
        list_->MoveHover(-1);
        break;
    case Qt::Key_Down:
        list_->MoveHover(1);
        break;
    case Qt::Key_PageUp:
        list_->MoveHover(-list_->VisibleRows());
        break;
    case Qt::Key_PageDown:
        list_->MoveHover(list_->VisibleRows());
        break;
    case Qt::Key_Home:
        list_->HoverFirstOrLast(false);
        break;
    case Qt::Key_End:
        list_->HoverFirstOrLast(true);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        list_->ChooseRow(hovered);
        break;
    case Qt::Key_Right:
        // Opens the row's sub-panel; a row without one is not chosen by it.
        if (hovered >= 0 && panel_.EntryAt(hovered).subPanel && panel_.EntryAt(hovered).subPanel->RowCount() > 0)
            list_->ChooseRow(hovered);
        break;
    case Qt::Key_Escape:
    case Qt::Key_Left:
        // Left closes a sub-panel only; the first pop-up closes with Escape.
        if (event->key() == Qt::Key_Left && !parentIsPopup_)
            break;
        EndModal(IDCANCEL);
        hide();
        break;
    default:
        break;
    }
}

void CListPanel::showEvent(QShowEvent* event)
{
    CSkinWindow::showEvent(event);
    AnnounceEvent(list_, QAccessible::PopupMenuStart);
    // The row the keyboard starts from is where a screen reader starts reading.
    if (list_->HoveredRow() >= 0)
        AnnounceEvent(list_, QAccessible::Focus, list_->HoveredRow());
}

void CListPanel::hideEvent(QHideEvent* event)
{
    AnnounceEvent(list_, QAccessible::PopupMenuEnd);
    CSkinWindow::hideEvent(event);
}

void CListPanel::wheelEvent(QWheelEvent* event)
{
    QApplication::sendEvent(list_, event);
}
