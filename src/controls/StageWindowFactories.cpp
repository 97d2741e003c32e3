// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/StageWindowFactories.h"

#include "controls/DPIStageWindow.h"
#include "controls/MacroDisplayItem.h"
#include "skin/ControlRegistry.h"

void RegisterStageAndMacroControlFactories()
{
    RegisterTypedControlFactory<DPIStageWindowElement>(
        "DPISTAGEWINDOW", [](const DPIStageWindowElement& element, const ControlContext& context) {
            return std::unique_ptr<CGUIItem>(CDPIStageWindow::FromElement(element, context.owner));
        });
    RegisterTypedControlFactory<MacroDisplayElement>(
        "MACRODISPLAY", [](const MacroDisplayElement& element, const ControlContext& context) {
            return std::unique_ptr<CGUIItem>(CMacroDisplayItem::FromElement(element, context.owner));
        });
}
