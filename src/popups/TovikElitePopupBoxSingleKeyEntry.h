// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The single-key popups of the current generation.
//
// `CTovikElitePopupBoxSingleKeyEntry` ("SingleKeyPopup.xml"): the key a mouse button
// sends, with Ctrl, Shift and Alt. The field shows the whole combination
// ("Ctrl+A"), both the caller's at the start and each one pressed.
//
// `CTovikElitePopupBoxMacroSingleKeyEntry` ("EditSingleKeyPopup.xml"): one keystroke
// of a macro. The key is read alone; the check boxes `BUTTON_CHKBOX_SLCT_SHIFT`,
// `BUTTON_CHKBOX_SLCT_CTRL` and `BUTTON_CHKBOX_SLCT_ALT` (with their labels) show
// and set the record's modifiers.
#include "popups/PopupBoxSingleKeyEntry.h"

class CBitmapBtn;
class CTextItem;

class CTovikElitePopupBoxSingleKeyEntry : public CPopupBoxSingleKeyEntryMMO {
public:
    using CPopupBoxSingleKeyEntryMMO::CPopupBoxSingleKeyEntryMMO;

protected:
    std::u16string InitialText() const override { return SingleKeyText(Record()); }
    void OnKeyChanged() override;
};

class CTovikElitePopupBoxMacroSingleKeyEntry : public CPopupBoxSingleKeyEntry {
public:
    using CPopupBoxSingleKeyEntry::CPopupBoxSingleKeyEntry;

    CBitmapBtn* ShiftBox() const { return shift_; }
    CBitmapBtn* CtrlBox() const { return ctrl_; }
    CBitmapBtn* AltBox() const { return alt_; }

protected:
    bool OnInitDialog() override;
    void BindItems() override;
    void FinishRecord(SingleKeyRecord& record) override;

private:
    CBitmapBtn* shift_ = nullptr;
    CBitmapBtn* ctrl_ = nullptr;
    CBitmapBtn* alt_ = nullptr;
    CTextItem* shiftText_ = nullptr;
    CTextItem* ctrlText_ = nullptr;
    CTextItem* altText_ = nullptr;
};
