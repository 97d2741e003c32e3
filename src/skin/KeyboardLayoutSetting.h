// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A `KBLAYOUT` element: two texts a keyboard skin stores for its user.
#include <string>

#include "skin/GUIItem.h"

class CKeyboardLayoutSetting : public CGUIItem {
public:
    CKeyboardLayoutSetting(int itemId, CSkinWindow* itemOwner, std::u16string layout, std::u16string items)
        : CGUIItem(itemId, ItemKind::KBLAYOUT, nullptr, itemOwner), kbdlayout(std::move(layout)),
          kbditems(std::move(items))
    {
    }

    std::u16string kbdlayout;
    std::u16string kbditems;
};
