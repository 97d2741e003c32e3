// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Factories for loader tests that build no controls: each element becomes an item
// that keeps a copy of what the loader parsed, so a test can look at it.
#include <memory>
#include <string>
#include <vector>

#include "skin/ControlRegistry.h"
#include "skin/GUIItems.h"

namespace skintest {

template <class Element>
class RecordedItem : public CGUIItem {
public:
    explicit RecordedItem(const Element& parsed) : element(parsed) {}
    Element element;
};

template <class Element>
void RecordElement(const char* elementName)
{
    RegisterTypedControlFactory<Element>(
        elementName, [](const Element& element, const ControlContext&) -> std::unique_ptr<CGUIItem> {
            return std::make_unique<RecordedItem<Element>>(element);
        });
}

// Registers a recording factory for every control element.
inline void RecordAllElements()
{
    RecordElement<BitmapItemElement>("BITMAPITEM");
    RecordElement<SliderTrackElement>("SLIDERTRACK");
    RecordElement<BitmapWindowElement>("BITMAPWINDOW");
    RecordElement<ButtonElement>("BUTTON");
    RecordElement<AVIButtonElement>("AVIBUTTON");
    RecordElement<VSliderElement>("VSLIDER");
    RecordElement<HSliderMElement>("HSLIDERM");
    RecordElement<HSliderMAPMElement>("HSLIDERMAPM");
    RecordElement<DMarkerElement>("DMARKER");
    RecordElement<TextItemElement>("TEXTITEM");
    RecordElement<DPIStageWindowElement>("DPISTAGEWINDOW");
    RecordElement<MacroDisplayElement>("MACRODISPLAY");
    RecordElement<ListCtrlElement>("LISTCTRL");
    RecordElement<ComboElement>("COMBO");
    RecordElement<ComboElement>("COMBOCOLOR");
    RecordElement<ListPanelElement>("LISTPANEL");
    RecordElement<EditCtrlElement>("EDITCTRL");
    RecordElement<EditCtrlElement>("EDITCTRLSK");
    RecordElement<EditCtrlElement>("EDITCTRLSKMMO");
    RecordElement<KbdKeyElement>("KBDKEY");
    RecordElement<ProgressPanelElement>("PROGRESSPANELITEM");
}

template <class Element>
const Element* ParsedAs(const CGUIItems& items, int id)
{
    auto* item = items.FindAs<RecordedItem<Element>>(id);
    return item ? &item->element : nullptr;
}

} // namespace skintest
