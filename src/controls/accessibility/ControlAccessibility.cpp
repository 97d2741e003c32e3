// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/accessibility/ControlAccessibility.h"

#include "controls/BitmapBtn.h"
#include "controls/DPIStageWindow.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/GUIPanel.h"
#include "controls/ListPanelItem.h"
#include "controls/MacroDisplayItem.h"
#include "controls/ProgressPanelItem.h"
#include "controls/SliderBase.h"
#include "controls/TextItem.h"
#include "controls/XListCtrl.h"
#include "controls/accessibility/AccessibleControls.h"
#include "controls/accessibility/AccessibleMacroDisplay.h"
#include "controls/accessibility/AccessibleTable.h"
#include "controls/accessibility/AccessibleWindow.h"

#include <QAccessible>

namespace {

// The factory is asked for every object on its way to a screen reader; anything
// that is not one of our controls is left to the next factory (Qt's own).
QAccessibleInterface* CreateControlInterface(const QString&, QObject* object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (auto* button = dynamic_cast<CBitmapBtn*>(object))
        return new CAccessibleButton(button);
    if (auto* text = dynamic_cast<CTextItem*>(object))
        return new CAccessibleText(text);
    if (auto* slider = dynamic_cast<CSliderBase*>(object))
        return new CAccessibleSlider(slider);
    if (auto* rows = dynamic_cast<CListPanelRows*>(object))
        return new CAccessibleList(rows);
    if (auto* dropdown = dynamic_cast<CDropdownListItem*>(object))
        return new CAccessibleDropdown(dropdown);
    if (auto* edit = dynamic_cast<CEditItem*>(object))
        return new CAccessibleEdit(edit);
    if (auto* stage = dynamic_cast<CDPIStageWindow*>(object))
        return new CAccessibleStageWindow(stage);
    if (auto* display = dynamic_cast<CMacroDisplayItem*>(object))
        return new CAccessibleMacroDisplay(display);
    if (auto* list = dynamic_cast<CXListCtrl*>(object))
        return new CAccessibleTable(list);
    if (auto* progress = dynamic_cast<CProgressPanelItem*>(object))
        return new CAccessibleProgress(progress);
    if (auto* panel = dynamic_cast<CGUIPanel*>(object); panel && CAccessibleWindow::Fits(*panel))
        return new CAccessibleWindow(panel);
    return nullptr;
}

} // namespace

void InstallControlAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(CreateControlInterface);
        return true;
    }();
    (void)installed;
}
