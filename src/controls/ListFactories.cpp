// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ListFactories.h"

#include "controls/DropdownColorButton.h"
#include "controls/DropdownListItem.h"
#include "controls/EditItem.h"
#include "controls/EditItemSingleKey.h"
#include "controls/ListPanelItem.h"
#include "controls/ProgressPanelItem.h"
#include "controls/XListCtrl.h"
#include "skin/ControlRegistry.h"

void RegisterListControlFactories()
{
    RegisterTypedControlFactory<ListCtrlElement>("LISTCTRL", [](const ListCtrlElement& e, const ControlContext& c) {
        return std::unique_ptr<CGUIItem>(CXListCtrl::FromElement(e, c.owner));
    });
    RegisterTypedControlFactory<ListPanelElement>("LISTPANEL", [](const ListPanelElement& e, const ControlContext& c) {
        return std::unique_ptr<CGUIItem>(CListPanelItem::FromElement(e, c.owner));
    });
    RegisterTypedControlFactory<ComboElement>("COMBO", [](const ComboElement& e, const ControlContext& c) {
        return std::unique_ptr<CGUIItem>(CDropdownListItem::FromElement(e, c.owner));
    });
    RegisterTypedControlFactory<ComboElement>("COMBOCOLOR", [](const ComboElement& e, const ControlContext& c) {
        return std::unique_ptr<CGUIItem>(CDropdownColorButton::FromElement(e, c.owner));
    });
    RegisterTypedControlFactory<EditCtrlElement>("EDITCTRL", [](const EditCtrlElement& e, const ControlContext& c) {
        return std::unique_ptr<CGUIItem>(CEditItem::FromElement(e, c.owner));
    });
    RegisterTypedControlFactory<EditCtrlElement>("EDITCTRLSK", [](const EditCtrlElement& e, const ControlContext& c) {
        return std::unique_ptr<CGUIItem>(CEditItemSingleKeyInput::FromElement(e, c.owner));
    });
    RegisterTypedControlFactory<EditCtrlElement>(
        "EDITCTRLSKMMO", [](const EditCtrlElement& e, const ControlContext& c) {
            return std::unique_ptr<CGUIItem>(CEditItemSingleKeyInputMMO::FromElement(e, c.owner));
        });
    RegisterTypedControlFactory<ProgressPanelElement>(
        "PROGRESSPANELITEM", [](const ProgressPanelElement& e, const ControlContext& c) {
            return std::unique_ptr<CGUIItem>(CProgressPanelItem::FromElement(e, c.owner));
        });
}
