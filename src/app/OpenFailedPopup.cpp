// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/OpenFailedPopup.h"

#include "controls/TextItem.h"
#include "skin/ItemIds.h"
#include "skin/LangTable.h"

namespace {

constexpr std::u16string_view kSkinFile = u"OpenFailedPopup.xml";

} // namespace

COpenFailedPopup::COpenFailedPopup(What what, std::u16string target, QWidget* parent)
    : CTovikEliteWarningDlg(std::u16string(kSkinFile), parent), what_(what), target_(std::move(target))
{
    SetMessage(TranslateText(what_ == What::Manual ? u"$Cannotopenmanual" : u"$Cannotopenpage"));
}

QString COpenFailedPopup::MessageText() const
{
    const std::u16string_view key = what_ == What::Manual ? u"$Cannotopenmanualmessage" : u"$Cannotopenpagemessage";
    return QString::fromStdU16String(TranslateText(key)) + u'\n' + QString::fromStdU16String(target_);
}

void COpenFailedPopup::BindItems()
{
    CTovikEliteWarningDlg::BindItems();
    message_ = BindItem<CTextItem>(ItemId::TEXT_WARNDLG_MESSAGE, ItemKind::TEXTITEM);
    // Shown as it stands: a path or an address is no text key and keeps its case.
    if (message_)
        message_->SetPlainText(MessageText());
}

void ShowOpenFailed(COpenFailedPopup::What what, std::u16string_view target, QWidget* parent)
{
    COpenFailedPopup popup(what, std::u16string(target), parent);
    popup.DoModal();
}
