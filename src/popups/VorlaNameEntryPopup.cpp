// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/VorlaNameEntryPopup.h"

#include "controls/TextItem.h"
#include "skin/ItemIds.h"

CVorlaNameEntryPopup::CVorlaNameEntryPopup(std::u16string skinFile, QWidget* parent, std::u16string& name,
                                           int templateId)
    : CTovikEliteNameEntryPopup(std::move(skinFile), parent, name, templateId)
{
}

void CVorlaNameEntryPopup::BindItems()
{
    CTovikEliteNameEntryPopup::BindItems();
    heading_ = BindItem<CTextItem>(ItemId::TEXT_WARNDLG_HEADING, ItemKind::TEXTITEM);
    if (heading_ && !Name().empty())
        heading_->SetText(heading_->GetText().toStdU16String() + u": " + Name());
}
