// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikEliteNameEntryPopup`: asks for a profile or macro name
// ("ProfileNamePopup.xml", "MacroRenamePopup.xml"...). The field starts empty and
// takes at most 20 characters; OK hands its first line to the caller's string
// (empty when the line is empty; the caller decides what that means).
#include <string>

#include "popups/PopupBox.h"

class CEditItem;

class CTovikEliteNameEntryPopup : public CPopupBox {
public:
    static constexpr int kMaxNameLength = 20;

    CTovikEliteNameEntryPopup(std::u16string skinFile, QWidget* parent, std::u16string& name,
                              int templateId = PopupTemplate::Entry);

    CEditItem* NameField() const { return edit_; }

protected:
    bool OnInitDialog() override;
    void BindItems() override;
    void OnOK() override;
    std::u16string& Name() { return name_; }

private:
    std::u16string& name_;
    CEditItem* edit_ = nullptr;
};

// The first line of an entered text: everything before the first line break.
std::u16string FirstLine(const std::u16string& text);
