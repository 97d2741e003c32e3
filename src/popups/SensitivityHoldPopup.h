// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CSensitivityHoldPopup`: edits the sensitivity a button switches to while it is
// held, one value or separate X and Y values. The items are bound by
// `CTovikEliteTempDPIPopup`.
#include <cstdint>
#include <string>

#include "popups/PopupBox.h"

class CBitmapBtn;
class CSliderHMulti;
class CTextItem;

struct SensitivityHold {
    int32_t min = 0;
    int32_t max = 0;
    int32_t step = 1;
    bool separate = false;
    int32_t value = 0;
    int32_t x = 0;
    int32_t y = 0;
};

class CSensitivityHoldPopup : public CPopupBox {
public:
    CSensitivityHoldPopup(std::u16string skinFile, QWidget* parent, SensitivityHold& hold,
                          int templateId = PopupTemplate::TempDpi);

    const SensitivityHold& Editing() const { return hold_; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(CGUIItem* sender) override;
    void OnOK() override;

    CTextItem* valueText1_ = nullptr;
    CTextItem* valueText2_ = nullptr;
    CTextItem* headingX_ = nullptr;
    CTextItem* headingY_ = nullptr;
    CGUIItem* secondFrame_ = nullptr;
    CBitmapBtn* separateButton_ = nullptr;
    CSliderHMulti* singleSlider_ = nullptr;
    CSliderHMulti* xSlider_ = nullptr;
    CSliderHMulti* ySlider_ = nullptr;
    CGUIItem* singleTrack_ = nullptr;
    CGUIItem* xTrack_ = nullptr;
    CGUIItem* yTrack_ = nullptr;

private:
    void ApplyMode(bool separate);
    void PutSliders();
    void ShowValues();

    SensitivityHold& caller_;
    SensitivityHold hold_; // the copy edited; the caller's record changes on OK only
};
