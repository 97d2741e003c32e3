// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The pop-up palette of the colour drop-down: 48 colour cells in 6 rows of 8 and a
// "$Custom" button below them. It reports to the button that opened it: 1244 with
// the hovered colour (lParam 100) or the chosen colour (lParam kPaletteChoice),
// 1245 with the colour from before when it closes without a choice, 1246 for the
// custom button.
#include <QRect>
#include <array>

#include "platform/SkinWindow.h"

// lParam of a 1244 from the palette: a preview while hovering, or a final choice.
constexpr LPARAM kPalettePreview = 100;
constexpr LPARAM kPaletteChoice = 1;

class CColourPalette : public CSkinWindow {
public:
    static constexpr int kColumns = 8;
    static constexpr int kRows = 6;
    static constexpr int kCellSize = 18;
    static constexpr int kCustomHeight = 22;

    // The 48 colours, row by row.
    static const std::array<COLORREF, kColumns * kRows>& Colours();

    // Opens at `screenTopLeft`, telling `button` what happens; `before` is the colour
    // the button showed when the palette opened.
    CColourPalette(CSkinWindow* button, const QPoint& screenTopLeft, COLORREF before);

    QRect CellRect(int index) const;
    QRect CustomButtonRect() const;
    int CellAt(const QPoint& point) const;
    int HoveredCell() const { return hovered_; }
    // The cell index that stands for the custom button among the cells.
    static constexpr int kCustomCell = kColumns * kRows;
    // Shows a cell as hovered and previews its colour (-1: none), as the pointer does.
    void HoverCell(int cell);
    // Chooses a cell or the custom button as a press does; false for anything else
    // or once the palette is done.
    bool ChooseCell(int cell);
    // Closes without reporting anything more (the button closed it).
    void Dismiss();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    // Arrows move through the cells (Down from the last row reaches the custom
    // button), Home and End go to the first and last cell, Enter and Space choose,
    // Escape closes without a choice.
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Report(UINT msg, WPARAM wParam, LPARAM lParam);

    CSkinWindow* button_ = nullptr;
    COLORREF before_ = 0;
    int hovered_ = -1;
    bool finished_ = false;
};
