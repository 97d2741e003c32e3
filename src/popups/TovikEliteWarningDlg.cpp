// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/TovikEliteWarningDlg.h"

#include "controls/TextItem.h"
#include "skin/ItemIds.h"

CTovikEliteWarningDlg::CTovikEliteWarningDlg(std::u16string skinFile, QWidget* parent, std::u16string extraText,
                                             int templateId)
    : CPopupBox(templateId, std::move(skinFile), parent), extraText_(std::move(extraText))
{
}

void CTovikEliteWarningDlg::BindItems()
{
    heading_ = BindItem<CTextItem>(ItemId::TEXT_WARNDLG_HEADING, ItemKind::TEXTITEM);
    if (heading_ && !extraText_.empty())
        heading_->SetText(heading_->GetText().toStdU16String() + extraText_);
}

bool CTovikEliteWarningDlg::OnInitDialog()
{
    if (!CPopupBox::OnInitDialog())
        return false;
    if (heading_ && message_)
        heading_->SetText(*message_);
    return true;
}

std::u16string CTovikEliteWarningDlg::FallbackText() const
{
    std::u16string text = CPopupBox::FallbackText();
    const std::u16string& detail = message_ ? *message_ : extraText_;
    if (!detail.empty())
        text += u"\n\n" + detail;
    return text;
}
