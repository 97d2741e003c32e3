// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikEliteTempDPIPopup`: the temporary sensitivity popup with its skin items
// bound ("TempDPIPopup.xml").
#include "popups/SensitivityHoldPopup.h"

class CTovikEliteTempDPIPopup : public CSensitivityHoldPopup {
public:
    using CSensitivityHoldPopup::CSensitivityHoldPopup;

protected:
    void BindItems() override;
};
