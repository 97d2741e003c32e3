// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/SkinDataItems.h"

CLanguageTableItem::CLanguageTableItem(int itemId, CSkinWindow* itemOwner, std::unique_ptr<CLangTable> table)
    : CGUIItem(itemId, ItemKind::LANG, nullptr, itemOwner), table_(std::move(table))
{
}
