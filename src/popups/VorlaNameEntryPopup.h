// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CVorlaNameEntryPopup`: the name entry of the earlier generation. When the
// caller's string already holds a name, the heading (`TEXT_WARNDLG_HEADING`) shows
// it after the skin's words: "<heading>: <name>".
#include "popups/TovikEliteNameEntryPopup.h"

class CTextItem;

class CVorlaNameEntryPopup : public CTovikEliteNameEntryPopup {
public:
    CVorlaNameEntryPopup(std::u16string skinFile, QWidget* parent, std::u16string& name,
                         int templateId = PopupTemplate::Entry);

    CTextItem* Heading() const { return heading_; }

protected:
    void BindItems() override;

private:
    CTextItem* heading_ = nullptr;
};
