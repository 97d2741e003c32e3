// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/TovikEliteMacroAssignmentPopup.h"

#include "controls/BitmapBtn.h"
#include "controls/ControlDrawing.h"
#include "controls/DropdownListItem.h"
#include "skin/ItemIds.h"

namespace {

constexpr int kModeButtonIds[4] = {ItemId::BUTTON_MACRO_PLAY_ONCE, ItemId::BUTTON_MACRO_PLAY_MULTIPLE,
                                   ItemId::BUTTON_MACRO_PLAY_WHILEPRESSED, ItemId::BUTTON_MACRO_PLAY_UNTILPRESSED};

bool IsMode(int mode)
{
    return mode >= CTovikEliteMacroAssignmentPopup::kModeOnce &&
           mode <= CTovikEliteMacroAssignmentPopup::kModeUntilPressed;
}

} // namespace

CTovikEliteMacroAssignmentPopup::CTovikEliteMacroAssignmentPopup(std::u16string skinFile, QWidget* parent,
                                                                 std::vector<std::u16string> macroNames,
                                                                 std::u16string currentName, int playMode,
                                                                 bool hidePressModes, int templateId)
    : CPopupBox(templateId, std::move(skinFile), parent), names_(std::move(macroNames)),
      currentName_(std::move(currentName)), hidePressModes_(hidePressModes)
{
    mode_ = IsMode(playMode) ? playMode : kModeOnce;
    // A wheel direction cannot play a macro while or until pressed: a hidden mode
    // must not come back as the answer.
    if (hidePressModes_ && mode_ >= kModeWhilePressed)
        mode_ = kModeOnce;
}

CBitmapBtn* CTovikEliteMacroAssignmentPopup::ModeButton(int mode) const
{
    return IsMode(mode) ? modeButtons_[size_t(mode - 1)] : nullptr;
}

void CTovikEliteMacroAssignmentPopup::BindItems()
{
    list_ = BindItem<CDropdownListItem>(ItemId::LIST_DROPDOWN_POPUP, ItemKind::COMBO);
    for (size_t i = 0; i < modeButtons_.size(); ++i)
        modeButtons_[i] = BindItem<CBitmapBtn>(kModeButtonIds[i], ItemKind::BUTTON);
}

bool CTovikEliteMacroAssignmentPopup::OnInitDialog()
{
    if (!CPopupBox::OnInitDialog())
        return false;
    if (list_) {
        list_->SetEntries(names_);
        // Match each shown entry back to a name, first unused match first, so that
        // equal texts still map one to one.
        std::vector<bool> used(names_.size(), false);
        entryToName_.assign(size_t(list_->EntryCount()), -1);
        for (int entry = 0; entry < list_->EntryCount(); ++entry) {
            const QString shown = list_->Entry(entry);
            for (size_t name = 0; name < names_.size(); ++name) {
                if (!used[name] && MakeCaption(names_[name]) == shown) {
                    used[name] = true;
                    entryToName_[size_t(entry)] = int(name);
                    break;
                }
            }
        }
        int selected = list_->EntryCount() > 0 ? 0 : -1;
        for (int entry = 0; entry < list_->EntryCount(); ++entry) {
            const std::u16string* name = NameAt(entry);
            if (name && *name == currentName_) {
                selected = entry;
                break;
            }
        }
        list_->SetSelected(selected);
    }
    for (size_t i = 0; i < modeButtons_.size(); ++i) {
        if (!modeButtons_[i])
            continue;
        modeButtons_[i]->SetToggles(false);
        if (hidePressModes_ && int(i + 1) >= kModeWhilePressed)
            modeButtons_[i]->Show(0);
    }
    SetMode(mode_);
    return true;
}

const std::u16string* CTovikEliteMacroAssignmentPopup::NameAt(int index) const
{
    if (index < 0 || size_t(index) >= entryToName_.size() || entryToName_[size_t(index)] < 0)
        return nullptr;
    return &names_[size_t(entryToName_[size_t(index)])];
}

void CTovikEliteMacroAssignmentPopup::SetMode(int mode)
{
    mode_ = mode;
    for (size_t i = 0; i < modeButtons_.size(); ++i)
        if (modeButtons_[i])
            modeButtons_[i]->SetChecked(int(i + 1) == mode);
}

bool CTovikEliteMacroAssignmentPopup::OnCommand(CGUIItem* sender)
{
    if (sender && sender->kind == ItemKind::BUTTON) {
        for (size_t i = 0; i < modeButtons_.size(); ++i) {
            if (modeButtons_[i] && sender == static_cast<CGUIItem*>(modeButtons_[i])) {
                SetMode(int(i + 1));
                return true;
            }
        }
    }
    return CPopupBox::OnCommand(sender);
}

void CTovikEliteMacroAssignmentPopup::OnOK()
{
    const std::u16string* name = list_ ? NameAt(list_->Selected()) : nullptr;
    selectedName_ = name ? *name : std::u16string();
    // Mode 1 when no button is on (none of them may exist in the skin).
    playMode_ = kModeOnce;
    for (size_t i = 0; i < modeButtons_.size(); ++i)
        if (modeButtons_[i] && modeButtons_[i]->IsChecked())
            playMode_ = int(i + 1);
    CPopupBox::OnOK();
}
