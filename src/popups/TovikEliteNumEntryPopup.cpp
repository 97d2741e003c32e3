// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/TovikEliteNumEntryPopup.h"

#include <algorithm>

#include <QLineEdit>

#include "controls/EditItem.h"
#include "popups/TovikEliteNameEntryPopup.h"
#include "skin/ItemIds.h"

CTovikEliteNumEntryPopup::CTovikEliteNumEntryPopup(std::u16string skinFile, QWidget* parent, int& value, int lower,
                                                   int upper, int templateId)
    : CPopupBox(templateId, std::move(skinFile), parent), value_(value), lower_(std::min(lower, upper)),
      upper_(std::max(lower, upper))
{
}

int CTovikEliteNumEntryPopup::ValueOf(const std::u16string& text, int lower, int upper)
{
    const QString line = QString::fromStdU16String(FirstLine(text)).trimmed();
    if (line.isEmpty())
        return 0;
    bool ok = false;
    const qlonglong value = line.toLongLong(&ok);
    if (!ok) {
        // Digits too many for any integer are still a number, just a large one.
        const bool digitsOnly = std::all_of(line.begin(), line.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
        return digitsOnly ? upper : 0;
    }
    return int(std::clamp<qlonglong>(value, lower, upper));
}

void CTovikEliteNumEntryPopup::BindItems()
{
    edit_ = BindItem<CEditItem>(ItemId::EDITCTRL_POPUP_NUMENTRY, ItemKind::EDITCTRL);
}

bool CTovikEliteNumEntryPopup::OnInitDialog()
{
    if (!CPopupBox::OnInitDialog())
        return false;
    if (edit_) {
        edit_->SetNumeric(true, lower_, upper_);
        edit_->Edit()->setFocus();
    }
    return true;
}

void CTovikEliteNumEntryPopup::OnOK()
{
    value_ = edit_ ? ValueOf(edit_->GetText().toStdU16String(), lower_, upper_) : 0;
    CPopupBox::OnOK();
}
