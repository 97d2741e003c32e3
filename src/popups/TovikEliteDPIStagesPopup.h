// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CTovikEliteDPIStagesPopup`: the stages popup with its skin items bound.
#include "popups/DPIStagesPopup.h"

class CTovikEliteDPIStagesPopup : public CDPIStagesPopup {
public:
    using CDPIStagesPopup::CDPIStagesPopup;

protected:
    void BindItems() override;
};
