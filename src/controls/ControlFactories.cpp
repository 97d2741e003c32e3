// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/ControlFactories.h"

#include "controls/AVIButton.h"
#include "controls/BitmapBtn.h"
#include "controls/BitmapItem.h"
#include "controls/BitmapWindow.h"
#include "controls/KeyboardKeyItem.h"
#include "controls/ListFactories.h"
#include "controls/SliderFactories.h"
#include "controls/StageWindowFactories.h"
#include "controls/TextItem.h"
#include "skin/ControlRegistry.h"

void RegisterBasicControlFactories()
{
    RegisterTypedControlFactory<BitmapItemElement>(
        "BITMAPITEM", [](const BitmapItemElement& element, const ControlContext&) -> std::unique_ptr<CGUIItem> {
            return CBitmapItem::FromElement(element);
        });
    RegisterTypedControlFactory<BitmapWindowElement>(
        "BITMAPWINDOW", [](const BitmapWindowElement& element, const ControlContext&) -> std::unique_ptr<CGUIItem> {
            return CBitmapWindow::FromElement(element);
        });
    RegisterTypedControlFactory<ButtonElement>(
        "BUTTON", [](const ButtonElement& element, const ControlContext&) -> std::unique_ptr<CGUIItem> {
            return CBitmapBtn::FromElement(element);
        });
    RegisterTypedControlFactory<AVIButtonElement>(
        "AVIBUTTON", [](const AVIButtonElement& element, const ControlContext&) -> std::unique_ptr<CGUIItem> {
            return CAVIButton::FromElement(element);
        });
    RegisterTypedControlFactory<TextItemElement>(
        "TEXTITEM", [](const TextItemElement& element, const ControlContext&) -> std::unique_ptr<CGUIItem> {
            return CTextItem::FromElement(element);
        });
    RegisterTypedControlFactory<KbdKeyElement>(
        "KBDKEY", [](const KbdKeyElement& element, const ControlContext&) -> std::unique_ptr<CGUIItem> {
            return CKeyboardKeyItem::FromElement(element);
        });
}

void RegisterAllControls()
{
    RegisterBasicControlFactories();
    RegisterSliderControlFactories();
    RegisterStageAndMacroControlFactories();
    RegisterListControlFactories();
}
