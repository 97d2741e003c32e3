// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CSurfaceCalibrationPopup`: switches surface calibration on or off and chooses an
// automatic or a custom lift-off distance. The items are bound by
// `CTovikEliteSurfaceCalibrationPopup`.
#include <string>

#include "popups/PopupBox.h"

class CBitmapBtn;
class CSliderTrack;
class CTextItem;
class CVertSlider;

struct CalibrationSettings {
    bool on = false;
    bool automatic = true;
    // In the slider's units going in; in steps of `step` (the device's units, a
    // whole number) after OK.
    float liftOff = 0.0f;
    float step = 0.1f;
};

// The device's lift-off range, in its own units.
struct LiftOffRange {
    unsigned lowest = 0;
    unsigned highest = 100;
};

class CSurfaceCalibrationPopup : public CPopupBox {
public:
    // The lift-off distance a new custom choice and automatic mode start from, in
    // the slider's units.
    static constexpr float kDefaultLiftOff = 2.0f;

    CSurfaceCalibrationPopup(std::u16string skinFile, QWidget* parent, CalibrationSettings& settings,
                             LiftOffRange range, int templateId = PopupTemplate::SurfaceCalibration);

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(CGUIItem* sender) override;
    void OnOK() override;

    CBitmapBtn* onButton_ = nullptr;
    CBitmapBtn* offButton_ = nullptr;
    CBitmapBtn* autoButton_ = nullptr;
    CBitmapBtn* customButton_ = nullptr;
    CTextItem* rangeText_ = nullptr;
    CTextItem* highText_ = nullptr;
    CTextItem* lowText_ = nullptr;
    CSliderTrack* track_ = nullptr;
    CVertSlider* slider_ = nullptr;

private:
    void SetCalibration(bool on);
    void SetCustomMode(bool custom, float liftOff);
    void SetAutoSelected(bool selected);
    bool IsAutoSelected() const;

    CalibrationSettings& settings_;
    LiftOffRange range_;
    float liftOff_ = 0.0f;
};
