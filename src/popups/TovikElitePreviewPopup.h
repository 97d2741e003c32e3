// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikElitePreviewPopup`: the read-only summary of one profile ("PreviewPopup.xml"
// plus the items of the mouse generation in use): what each button does, the
// profile's lights and its sensitivity stages. Nothing in it can be changed.
#include "popups/PopupBox.h"
#include "skin/GUIItems.h"

#include <array>
#include <string>

class IMouseConfig;
class IMouseProfile;

class CTovikElitePreviewPopup : public CPopupBox {
public:
    // The buttons the nine preview lines describe, in line order.
    static constexpr std::array<int, 9> kPreviewButtons{1, 2, 3, 4, 5, 10, 11, 12, 13};

    // Neither the profile nor the configuration is owned; both outlive the run.
    CTovikElitePreviewPopup(QWidget* parent, IMouseProfile* profile, IMouseConfig* config);
    ~CTovikElitePreviewPopup() override;

    // The main window's device code (1, 2, 4, 8 or 0), set before the run: 4 and 8
    // show the earlier generation's lights.
    void SetDeviceCode(int deviceCode) { deviceCode_ = deviceCode; }
    int DeviceCode() const { return deviceCode_; }

    const std::array<std::u16string, 9>& ButtonTexts() const { return buttonTexts_; }
    // The items of the generation file added when the popup was initialised.
    const CGUIItems& GenerationItems() const { return generationItems_; }
    // The file those items come from.
    std::u16string GenerationFile() const;

protected:
    bool OnInitDialog() override;

private:
    void FillButtonTexts();
    void FillEarlierGenerationLights();
    void FillCurrentGenerationLights();
    void FillStages();

    IMouseProfile* profile_;
    IMouseConfig* config_;
    int deviceCode_ = 0;
    std::array<std::u16string, 9> buttonTexts_;
    CGUIItems generationItems_;
};

// The brightness word of a percentage: "$Off" for 0, "$Dim" up to 33, "$Normal" up
// to 66, "$Bright" above.
std::u16string_view BrightnessLevelKey(unsigned percent);
