// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/TovikElitePopupBoxSingleKeyEntry.h"

#include "controls/BitmapBtn.h"
#include "controls/EditItemSingleKey.h"
#include "controls/TextItem.h"
#include "skin/ItemIds.h"

void CTovikElitePopupBoxSingleKeyEntry::OnKeyChanged()
{
    CPopupBoxSingleKeyEntryMMO::OnKeyChanged();
    // The field names only the key; the modifiers that go with it are shown too.
    if (Captured() && ModifierKeyField())
        ModifierKeyField()->SetText(QString::fromStdU16String(SingleKeyText(*Captured())));
}

void CTovikElitePopupBoxMacroSingleKeyEntry::BindItems()
{
    CPopupBoxSingleKeyEntry::BindItems();
    shift_ = BindItem<CBitmapBtn>(ItemId::BUTTON_CHKBOX_SLCT_SHIFT, ItemKind::BUTTON);
    ctrl_ = BindItem<CBitmapBtn>(ItemId::BUTTON_CHKBOX_SLCT_CTRL, ItemKind::BUTTON);
    alt_ = BindItem<CBitmapBtn>(ItemId::BUTTON_CHKBOX_SLCT_ALT, ItemKind::BUTTON);
    shiftText_ = BindItem<CTextItem>(ItemId::TEXT_SLCT_SHIFT, ItemKind::TEXTITEM);
    ctrlText_ = BindItem<CTextItem>(ItemId::TEXT_SLCT_CTRL, ItemKind::TEXTITEM);
    altText_ = BindItem<CTextItem>(ItemId::TEXT_SLCT_ALT, ItemKind::TEXTITEM);
}

bool CTovikElitePopupBoxMacroSingleKeyEntry::OnInitDialog()
{
    if (!CPopupBoxSingleKeyEntry::OnInitDialog())
        return false;
    const std::pair<CBitmapBtn*, int> boxes[] = {
        {shift_, SingleKeyRecord::kShift}, {ctrl_, SingleKeyRecord::kCtrl}, {alt_, SingleKeyRecord::kAlt}};
    for (const auto& [box, flag] : boxes) {
        if (!box)
            continue;
        box->SetCheckBox(true);
        box->SetChecked((Record().modifiers & flag) != 0);
    }
    // A label clicks its box, whether or not the skin linked them.
    const std::pair<CTextItem*, CBitmapBtn*> labels[] = {{shiftText_, shift_}, {ctrlText_, ctrl_}, {altText_, alt_}};
    for (const auto& [label, box] : labels)
        if (label && box && !label->LinkedCheckBox())
            label->LinkCheckBox(box);
    return true;
}

void CTovikElitePopupBoxMacroSingleKeyEntry::FinishRecord(SingleKeyRecord& record)
{
    const std::pair<CBitmapBtn*, int> boxes[] = {
        {shift_, SingleKeyRecord::kShift}, {ctrl_, SingleKeyRecord::kCtrl}, {alt_, SingleKeyRecord::kAlt}};
    for (const auto& [box, flag] : boxes) {
        if (!box)
            continue; // a box the skin lacks leaves its modifier as it was
        if (box->IsChecked())
            record.modifiers |= flag;
        else
            record.modifiers &= ~flag;
    }
}
