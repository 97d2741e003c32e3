// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/SensitivityHoldPopup.h"

#include <algorithm>

#include "controls/BitmapBtn.h"
#include "controls/SliderHMulti.h"
#include "controls/TextItem.h"
#include "popups/PopupSliders.h"
#include "skin/ItemIds.h"
#include "skin/TextFormat.h"

namespace {

QString Number(int value)
{
    return QString::fromStdU16String(FormatText(u"%d", {value}));
}

} // namespace

CSensitivityHoldPopup::CSensitivityHoldPopup(std::u16string skinFile, QWidget* parent, SensitivityHold& hold,
                                             int templateId)
    : CPopupBox(templateId, std::move(skinFile), parent), caller_(hold), hold_(hold)
{
}

bool CSensitivityHoldPopup::OnInitDialog()
{
    if (!CPopupBox::OnInitDialog())
        return false;
    if (separateButton_)
        separateButton_->SetChecked(hold_.separate);
    ApplyMode(hold_.separate);
    for (CSliderHMulti* slider : {singleSlider_, xSlider_, ySlider_})
        SetSliderRange(slider, hold_.min, hold_.max, hold_.step);
    PutSliders();
    ShowValues();
    return true;
}

void CSensitivityHoldPopup::PutSliders()
{
    PutSliderOn(singleSlider_, hold_.value);
    PutSliderOn(xSlider_, hold_.x);
    PutSliderOn(ySlider_, hold_.y);
}

void CSensitivityHoldPopup::ShowValues()
{
    // The record holds what the sliders show, clamped to the range.
    if (valueText1_)
        valueText1_->SetPlainText(Number(hold_.separate ? hold_.x : hold_.value));
    if (valueText2_)
        valueText2_->SetPlainText(Number(hold_.y));
}

void CSensitivityHoldPopup::ApplyMode(bool separate)
{
    const bool changed = hold_.separate != separate;
    hold_.separate = separate;
    ShowSliderAndTrack(xSlider_, xTrack_, separate);
    ShowSliderAndTrack(ySlider_, yTrack_, separate);
    ShowSliderAndTrack(singleSlider_, singleTrack_, !separate);
    for (CGUIItem* item : {static_cast<CGUIItem*>(headingX_), static_cast<CGUIItem*>(headingY_),
                           static_cast<CGUIItem*>(valueText2_), secondFrame_})
        if (item)
            item->Show(separate ? 1 : 0);
    if (changed) {
        if (separate)
            hold_.x = hold_.y = hold_.value;
        else
            hold_.value = hold_.x;
    }
    PutSliders();
    ShowValues();
}

bool CSensitivityHoldPopup::OnCommand(CGUIItem* sender)
{
    if (sender) {
        switch (sender->id) {
        case ItemId::BUTTON_DPISTAGES_OK:
            OnOK();
            return true;
        case ItemId::BUTTON_DPISTAGES_CANCEL:
            OnCancel();
            return true;
        case ItemId::BUTTON_ENABLEXY_POPUP:
            if (separateButton_)
                ApplyMode(separateButton_->IsChecked());
            return true;
        default:
            break;
        }
    }
    return CPopupBox::OnCommand(sender);
}

void CSensitivityHoldPopup::OnOK()
{
    // Equal X and Y are one value: the hold is stored as a single sensitivity.
    if (hold_.separate && hold_.x == hold_.y) {
        hold_.value = hold_.x;
        hold_.x = 0;
        hold_.y = 0;
        hold_.separate = false;
    }
    caller_ = hold_;
    CPopupBox::OnOK();
}

LRESULT CSensitivityHoldPopup::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg != WM_SLIDER_RELEASED && msg != WM_SLIDER_CHANGING)
        return CPopupBox::WindowProc(msg, wParam, lParam);
    const int value =
        std::clamp(int(int32_t(uint32_t(wParam))), std::min(hold_.min, hold_.max), std::max(hold_.min, hold_.max));
    switch (PopupSliderOfNotification(lParam)) {
    case ItemId::SLIDER_DPI_MULTI_POPUP:
        hold_.value = value;
        break;
    case ItemId::SLIDER_DPI_MULTI_X_POPUP:
        hold_.x = value;
        break;
    case ItemId::SLIDER_DPI_MULTI_Y_POPUP:
        hold_.y = value;
        break;
    default:
        return 0;
    }
    ShowValues();
    return 0;
}
