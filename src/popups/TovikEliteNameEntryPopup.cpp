// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/TovikEliteNameEntryPopup.h"

#include <algorithm>

#include <QLineEdit>

#include "controls/EditItem.h"
#include "skin/ItemIds.h"

std::u16string FirstLine(const std::u16string& text)
{
    return text.substr(0, text.find_first_of(u"\r\n"));
}

CTovikEliteNameEntryPopup::CTovikEliteNameEntryPopup(std::u16string skinFile, QWidget* parent, std::u16string& name,
                                                     int templateId)
    : CPopupBox(templateId, std::move(skinFile), parent), name_(name)
{
}

void CTovikEliteNameEntryPopup::BindItems()
{
    edit_ = BindItem<CEditItem>(ItemId::EDITCTRL_POPUP_NAMEENTRY, ItemKind::EDITCTRL);
}

bool CTovikEliteNameEntryPopup::OnInitDialog()
{
    if (!CPopupBox::OnInitDialog())
        return false;
    if (edit_) {
        // Names are stored on the device in at most 20 characters; a skin may ask
        // for fewer but never for more.
        const int skinLimit = edit_->Edit()->maxLength();
        edit_->SetMaxLength(skinLimit > 0 ? std::min(skinLimit, kMaxNameLength) : kMaxNameLength);
        if (!initialName_.empty()) {
            edit_->SetText(QString::fromStdU16String(initialName_));
            edit_->Edit()->selectAll();
        }
        edit_->Edit()->setFocus();
    }
    return true;
}

void CTovikEliteNameEntryPopup::OnOK()
{
    name_ = edit_ ? FirstLine(edit_->GetText().toStdU16String()) : std::u16string();
    CPopupBox::OnOK();
}
