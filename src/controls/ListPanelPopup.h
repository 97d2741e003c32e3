// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A list panel shown on demand as a modal pop-up (`CListPanel`): its rows in a list
// (`CListPanelPopupList`) framed in the panel's border. A left press on an enabled
// row shows the highlight for 250 milliseconds and then closes the pop-up with that
// row; a row with a sub-panel first opens the sub-panel beside it. A right press,
// Escape or a click elsewhere closes it without a choice.
#include "controls/ListPanelItem.h"

// The name of the modal run (for the modal seam's scripts and records).
constexpr const char* kListPanelRunName = "ListPanel";

// Shows `panel` at the anchor's client origin in screen coordinates plus (x, y),
// with the panel's width and `height` (the panel's own height when 0). Returns the
// chosen row, or -1 when the pop-up closed without a choice; `subPanelChoice` (when
// given) receives the row chosen in the chosen row's sub-panel, or -1.
// `startRow` (when it is an enabled row) is the row the arrow keys start from,
// shown as hovered: the current choice when the keyboard opened the pop-up.
int ShowListPanelPopup(int height, CSkinWindow* anchor, CListPanelItem& panel, int x, int y,
                       int* subPanelChoice = nullptr, int startRow = -1);

class CListPanelPopupList : public CListPanelRows {
public:
    static constexpr UINT kCloseTimer = 1;
    static constexpr UINT kCloseDelayMs = 250;

    CListPanelPopupList(CListPanelItem& panel, CSkinWindow* popup);
    int SubPanelChoice() const { return subChoice_; }

    // The keyboard's row: moved with the arrows, shown as the hovered row.
    void MoveHover(int delta);
    // Hovers an enabled row (others are refused) and scrolls it into view.
    void HoverRow(int row);
    void HoverFirstOrLast(bool last);
    // Chooses an enabled row as a left press does (opening its sub-panel first);
    // false for any other row or while the pop-up is already closing.
    bool ChooseRow(int row);
    // Closes without a choice, as a right press does.
    void Dismiss();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void OnTimer(UINT id) override;

private:
    int chosenRow_ = -1;
    int subChoice_ = -1;
};

class CListPanel : public CSkinWindow {
public:
    CListPanel(CListPanelItem& panel, const QRect& screenRect);

    CListPanelPopupList* List() const { return list_; }
    // The row the pop-up closed with and the choice made in its sub-panel (-1: none).
    int ChosenRow() const { return chosenRow_; }
    int SubPanelChoice() const { return subChoice_; }
    // A sub-panel closes with Left too, going back to the pop-up it came from.
    void SetSubPanel(bool subPanel) { parentIsPopup_ = subPanel; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // A screen reader hears a menu open and close.
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    CListPanelItem& panel_;
    CListPanelPopupList* list_ = nullptr;
    int chosenRow_ = -1;
    int subChoice_ = -1;
    bool parentIsPopup_ = false;
};
