// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikEliteNumEntryPopup`: asks for a number ("MacroRepeatEntryPopup.xml"). The
// field takes only digits that keep the value within its bounds; OK stores the
// value in the caller's integer (0 when the field is empty).
#include <string>

#include "popups/PopupBox.h"

class CEditItem;

class CTovikEliteNumEntryPopup : public CPopupBox {
public:
    // A repeat count is one byte on the device, hence the default bounds.
    CTovikEliteNumEntryPopup(std::u16string skinFile, QWidget* parent, int& value, int lower = 0, int upper = 255,
                             int templateId = PopupTemplate::Warning);

    CEditItem* NumberField() const { return edit_; }

    // The value of an entered text's first line: 0 when it is empty or holds no
    // number, the nearest bound when it lies outside them (also when it has more
    // digits than any integer).
    static int ValueOf(const std::u16string& text, int lower, int upper);

protected:
    bool OnInitDialog() override;
    void BindItems() override;
    void OnOK() override;

private:
    int& value_;
    int lower_;
    int upper_;
    CEditItem* edit_ = nullptr;
};
