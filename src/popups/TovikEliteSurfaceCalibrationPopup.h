// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikEliteSurfaceCalibrationPopup`: the calibration popup with its skin items
// bound ("SensorCalibration_Popup.xml").
#include "popups/SurfaceCalibrationPopup.h"

class CTovikEliteSurfaceCalibrationPopup : public CSurfaceCalibrationPopup {
public:
    using CSurfaceCalibrationPopup::CSurfaceCalibrationPopup;

protected:
    void BindItems() override;
};
