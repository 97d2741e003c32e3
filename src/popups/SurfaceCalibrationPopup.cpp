// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/SurfaceCalibrationPopup.h"

#include <cmath>

#include "controls/BitmapBtn.h"
#include "controls/SliderMath.h"
#include "controls/SliderTrack.h"
#include "controls/TextItem.h"
#include "controls/VertSlider.h"
#include "skin/ItemIds.h"

CSurfaceCalibrationPopup::CSurfaceCalibrationPopup(std::u16string skinFile, QWidget* parent,
                                                   CalibrationSettings& settings, LiftOffRange range, int templateId)
    : CPopupBox(templateId, std::move(skinFile), parent), settings_(settings), range_(range), liftOff_(settings.liftOff)
{
}

bool CSurfaceCalibrationPopup::OnInitDialog()
{
    if (!CPopupBox::OnInitDialog())
        return false;
    if (slider_) {
        const float step = settings_.step;
        slider_->SetRange(int(std::floor(step * float(range_.lowest))), int(std::ceil(step * float(range_.highest))),
                          step, true);
    }
    SetCalibration(settings_.on);
    if (settings_.on && !settings_.automatic) {
        SetAutoSelected(false);
        SetCustomMode(true, liftOff_);
    } else {
        SetAutoSelected(settings_.on);
        SetCustomMode(false, kDefaultLiftOff);
    }
    return true;
}

void CSurfaceCalibrationPopup::SetAutoSelected(bool selected)
{
    if (autoButton_)
        autoButton_->SetHighlighted(selected);
}

bool CSurfaceCalibrationPopup::IsAutoSelected() const
{
    return autoButton_ && autoButton_->IsHighlighted();
}

void CSurfaceCalibrationPopup::SetCalibration(bool on)
{
    if (onButton_)
        onButton_->SetHighlighted(on);
    if (offButton_)
        offButton_->SetHighlighted(!on);
    // Disabling the heading also drops a hover highlight it may have had.
    if (rangeText_)
        rangeText_->setEnabled(on);
    for (CBitmapBtn* button : {autoButton_, customButton_})
        if (button)
            button->setEnabled(on);
}

void CSurfaceCalibrationPopup::SetCustomMode(bool custom, float liftOff)
{
    if (customButton_)
        customButton_->SetHighlighted(custom);
    for (CTextItem* text : {highText_, lowText_})
        if (text)
            text->Show(custom ? 1 : 0);
    if (slider_) {
        slider_->SetValue(liftOff);
        slider_->Enable(custom);
    }
    if (track_)
        track_->SetDisabled(!custom);
}

bool CSurfaceCalibrationPopup::OnCommand(CGUIItem* sender)
{
    if (sender) {
        switch (sender->id) {
        case ItemId::BUTTON_SENSOR_OK:
            OnOK();
            return true;
        case ItemId::BUTTON_SENSOR_CANCEL:
            OnCancel();
            return true;
        case ItemId::CALIBRATION_ON:
            SetCalibration(true);
            SetAutoSelected(true);
            SetCustomMode(false, kDefaultLiftOff);
            return true;
        case ItemId::CALIBRATION_OFF:
            SetCalibration(false);
            SetAutoSelected(false);
            SetCustomMode(false, kDefaultLiftOff);
            return true;
        case ItemId::LIFTOFF_AUTO:
            SetAutoSelected(true);
            SetCustomMode(false, kDefaultLiftOff);
            return true;
        case ItemId::LIFTOFF_CUSTOM:
            SetAutoSelected(false);
            SetCustomMode(true, kDefaultLiftOff);
            liftOff_ = kDefaultLiftOff;
            return true;
        default:
            break;
        }
    }
    return CPopupBox::OnCommand(sender);
}

void CSurfaceCalibrationPopup::OnOK()
{
    settings_.on = onButton_ && onButton_->IsHighlighted();
    if (IsAutoSelected()) {
        settings_.automatic = true;
        settings_.liftOff = kDefaultLiftOff;
    } else {
        settings_.automatic = false;
        // A whole number of steps: 0.3 / 0.1 is 2.9999998 in floats, and must stay 3.
        const float step = settings_.step > 0.0f ? settings_.step : 1.0f;
        settings_.liftOff = float(RoundHalfUp(double(liftOff_) / double(step)));
    }
    CPopupBox::OnOK();
}

LRESULT CSurfaceCalibrationPopup::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SLIDER_RELEASED) {
        if (int(lParam) == ItemId::SLIDER_LIFTOFF_RANGE) {
            // Below a whole step the slider reports the exact position; it is kept to
            // the step, so every position the user can choose is the one stored.
            if (settings_.step < 1.0f)
                liftOff_ = FloatFromMessageValue(wParam);
            else
                liftOff_ = float(int32_t(uint32_t(wParam)));
        }
        return 0;
    }
    return CPopupBox::WindowProc(msg, wParam, lParam);
}
