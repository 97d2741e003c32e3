// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Items that carry data another part of the program owns or looks up process-wide:
// a language table (kind 13) and the keyboard definition (kind 22).
#include <memory>

#include "skin/GUIItem.h"
#include "skin/LangTable.h"

class CKeyboardDef;

// Owns one language table for the collection it is in; the table withdraws itself
// from the process-wide languages when the item goes.
class CLanguageTableItem : public CGUIItem {
public:
    CLanguageTableItem(int itemId, CSkinWindow* itemOwner, std::unique_ptr<CLangTable> table);

    CLangTable& Table() { return *table_; }
    const CLangTable& Table() const { return *table_; }

private:
    std::unique_ptr<CLangTable> table_;
};

// Stands for the process-wide keyboard definition in the collection of the keyboard
// file that filled it; the definition itself outlives the item.
class CKeyboardDefItem : public CGUIItem {
public:
    CKeyboardDefItem(int itemId, CSkinWindow* itemOwner, CKeyboardDef& definition)
        : CGUIItem(itemId, ItemKind::KEYBOARDDEF, nullptr, itemOwner), definition_(definition)
    {
    }

    CKeyboardDef& Definition() const { return definition_; }

private:
    CKeyboardDef& definition_;
};
