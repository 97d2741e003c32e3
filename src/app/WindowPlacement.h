// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the program's top-level windows appear: centred on the screen (or over
// the window they belong to).
class QWidget;

void CenterOnScreen(QWidget& window);
void CenterOver(QWidget& window, const QWidget& owner);
