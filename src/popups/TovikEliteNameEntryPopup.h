// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikEliteNameEntryPopup`: asks for a profile or macro name
// ("ProfileNamePopup.xml", "MacroRenamePopup.xml"...). The field starts empty (or
// with the name being renamed, all selected, so typing replaces it) and takes at
// most 20 characters; OK hands its first line to the caller's string (empty when
// the line is empty; the caller decides what that means).
#include <string>

#include "popups/PopupBox.h"

class CEditItem;

class CTovikEliteNameEntryPopup : public CPopupBox {
public:
    static constexpr int kMaxNameLength = 20;

    CTovikEliteNameEntryPopup(std::u16string skinFile, QWidget* parent, std::u16string& name,
                              int templateId = PopupTemplate::Entry);

    CEditItem* NameField() const { return edit_; }
    // The text the field starts with, selected; call before the popup runs.
    void SetInitialName(std::u16string name) { initialName_ = std::move(name); }

protected:
    bool OnInitDialog() override;
    void BindItems() override;
    void OnOK() override;
    std::u16string& Name() { return name_; }

private:
    std::u16string& name_;
    CEditItem* edit_ = nullptr;
    std::u16string initialName_;
};

// The first line of an entered text: everything before the first line break.
std::u16string FirstLine(const std::u16string& text);
