// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keyboard focus in the skinned windows. The skin places every control by pixel and
// pages are created and shown at different times, so no fixed tab order can be
// kept: the order Tab follows is worked out each time from what the window shows,
// row by row from the top and left to right within a row, each panel of controls
// read whole where it stands.
#include <QRect>
#include <vector>

class QWidget;

// Whether Tab stops at `widget`: it takes focus from the keyboard, is shown and
// enabled, and its control does not say it is inert (a slider or drop-down that
// its page has switched off).
bool TakesKeyboardFocus(const QWidget& widget);

// The rectangles in Tab order, as indices into `rects`: sorted by their top; a
// rectangle whose top lies above the middle of the first one of the current row
// joins that row; each row is read from the left.
std::vector<std::size_t> VisualOrder(const std::vector<QRect>& rects);

// The rectangles in Tab order when some stand on panels (pictures drawn behind a
// group of controls): a panel is read as one block in the visual order of its
// surroundings, its own rectangles in visual order within it, so that two panels
// side by side are not read across. A rectangle belongs to the smallest panel that
// holds it whole; panels within panels likewise; panels holding nothing are ignored.
std::vector<std::size_t> PanelOrder(const std::vector<QRect>& rects, std::vector<QRect> panels);

// The controls of `window` that Tab visits, in order.
std::vector<QWidget*> FocusChain(QWidget& window);

// Moves the focus of `window` to the next (or previous) control of its chain,
// wrapping at the ends. A focused control that is not in the chain (its page was
// just hidden) still counts by where it is placed. False when the chain is empty.
bool MoveFocus(QWidget& window, bool forward);
