// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ColourPalette.h"

#include "controls/ControlDrawing.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kMargin = 4;
}

const std::array<COLORREF, CColourPalette::kColumns * CColourPalette::kRows>& CColourPalette::Colours()
{
    // The first row holds the plain colours lights are mostly set to, so that one
    // click gives pure red, orange, yellow, green, cyan, blue (0xFF0000, the
    // lights' factory colour), magenta and white. Below them five rows from light
    // to dark of seven hues (red, orange, yellow, green, cyan, blue, violet) and a
    // grey scale that ends in black.
    static const std::array<COLORREF, kColumns* kRows> colours = [] {
        std::array<COLORREF, kColumns * kRows> table{RGB(255, 0, 0),   RGB(255, 128, 0),  RGB(255, 255, 0),
                                                     RGB(0, 255, 0),   RGB(0, 255, 255),  RGB(0, 0, 255),
                                                     RGB(255, 0, 255), RGB(255, 255, 255)};
        const int hues[kColumns - 1] = {0, 30, 60, 120, 180, 240, 280};
        const int lightness[kRows - 1] = {224, 184, 144, 96, 56};
        for (int row = 1; row < kRows; ++row) {
            for (int column = 0; column < kColumns; ++column) {
                const QColor colour = column < kColumns - 1 ? QColor::fromHsl(hues[column], 255, lightness[row - 1])
                                                            : QColor::fromHsl(0, 0, 255 - row * 51);
                table[std::size_t(row * kColumns + column)] = RGB(colour.red(), colour.green(), colour.blue());
            }
        }
        return table;
    }();
    return colours;
}

CColourPalette::CColourPalette(CSkinWindow* button, const QPoint& screenTopLeft, COLORREF before)
    : CSkinWindow(nullptr, Qt::Popup | Qt::FramelessWindowHint), button_(button), before_(before)
{
    setMouseTracking(true);
    const int width = 2 * kMargin + kColumns * kCellSize;
    const int height = 3 * kMargin + kRows * kCellSize + kCustomHeight;
    setGeometry(QRect(screenTopLeft, QSize(width, height)));
}

QRect CColourPalette::CellRect(int index) const
{
    const int row = index / kColumns;
    const int column = index % kColumns;
    return QRect(kMargin + column * kCellSize, kMargin + row * kCellSize, kCellSize, kCellSize);
}

QRect CColourPalette::CustomButtonRect() const
{
    return QRect(kMargin, 2 * kMargin + kRows * kCellSize, kColumns * kCellSize, kCustomHeight);
}

int CColourPalette::CellAt(const QPoint& point) const
{
    for (int i = 0; i < kColumns * kRows; ++i) {
        if (CellRect(i).contains(point))
            return i;
    }
    return -1;
}

void CColourPalette::Report(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (button_)
        button_->PostMessage(msg, wParam, lParam);
}

void CColourPalette::Dismiss()
{
    finished_ = true;
    close();
}

void CColourPalette::mouseMoveEvent(QMouseEvent* event)
{
    HoverCell(CellAt(event->position().toPoint()));
}

void CColourPalette::HoverCell(int cell)
{
    if (cell < -1 || cell > kCustomCell || cell == hovered_)
        return;
    hovered_ = cell;
    update();
    if (cell >= 0 && cell < kCustomCell)
        Report(WM_COLOUR_PICKED, WPARAM(Colours()[std::size_t(cell)]), kPalettePreview);
}

bool CColourPalette::ChooseCell(int cell)
{
    if (finished_ || cell < 0 || cell > kCustomCell)
        return false;
    finished_ = true;
    if (cell == kCustomCell)
        Report(WM_COLOUR_CUSTOM, 0, 0);
    else
        Report(WM_COLOUR_PICKED, WPARAM(Colours()[std::size_t(cell)]), kPaletteChoice);
    return true;
}

void CColourPalette::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint point = event->position().toPoint();
    if (const int cell = CellAt(point); cell >= 0)
        ChooseCell(cell);
    else if (CustomButtonRect().contains(point))
        ChooseCell(kCustomCell);
}

void CColourPalette::keyPressEvent(QKeyEvent* event)
{
    event->accept(); // passed on, keys would reach the window under the palette
    const int cell = hovered_;
    const int last = kCustomCell - 1;
    switch (event->key()) {
    case Qt::Key_Escape:
        close();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        ChooseCell(cell);
        return;
    case Qt::Key_Left:
        HoverCell(cell < 0 ? last : (cell == kCustomCell ? last : std::max(0, cell - 1)));
        return;
    case Qt::Key_Right:
        HoverCell(cell < 0 ? 0 : (cell >= last ? cell : cell + 1));
        return;
    case Qt::Key_Up:
        HoverCell(cell < 0 ? 0 : (cell == kCustomCell ? last : std::max(cell % kColumns, cell - kColumns)));
        return;
    case Qt::Key_Down:
        HoverCell(cell < 0 ? 0 : (cell + kColumns > last ? kCustomCell : cell + kColumns));
        return;
    case Qt::Key_Home:
        HoverCell(0);
        return;
    case Qt::Key_End:
        HoverCell(last);
        return;
    default:
        return;
    }
}

void CColourPalette::closeEvent(QCloseEvent* event)
{
    // Closed by Escape or by a click elsewhere: no choice.
    if (!finished_) {
        finished_ = true;
        Report(WM_COLOUR_CANCELLED, WPARAM(before_), 0);
    }
    CSkinWindow::closeEvent(event);
}

void CColourPalette::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x1C, 0x18, 0x03));
    painter.setPen(QColor(0x81, 0x6E, 0x0B));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    for (int i = 0; i < kColumns * kRows; ++i) {
        const QRect cell = CellRect(i).adjusted(1, 1, -1, -1);
        painter.fillRect(cell, ToQColor(Colours()[std::size_t(i)]));
        if (i == hovered_) {
            painter.setPen(Qt::white);
            painter.drawRect(cell.adjusted(0, 0, -1, -1));
        }
    }
    const QRect custom = CustomButtonRect();
    painter.fillRect(custom, QColor(0x36, 0x2E, 0x05));
    if (hovered_ == kCustomCell) {
        painter.setPen(Qt::white);
        painter.drawRect(custom.adjusted(0, 0, -1, -1));
    }
    painter.setPen(ToQColor(kDefaultTextColor));
    painter.drawText(custom, Qt::AlignCenter, MakeCaption(u"$Custom"));
}
