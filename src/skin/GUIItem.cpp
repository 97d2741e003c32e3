// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/GUIItem.h"

#include "platform/SkinWindow.h"

void CGUIItem::Show(int flag)
{
    if (window)
        window->setVisible(flag == 1);
}
