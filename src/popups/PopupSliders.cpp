// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/PopupSliders.h"

#include "controls/SliderHMulti.h"
#include "skin/ItemIds.h"

void PutSliderOn(CSliderHMulti* slider, int value)
{
    if (CPHSlider* thumb = slider ? slider->Thumb(0) : nullptr)
        thumb->SetValue(value);
}

int SliderValueOr(const CSliderHMulti* slider, int fallback)
{
    const CPHSlider* thumb = slider ? slider->Thumb(0) : nullptr;
    return thumb ? thumb->GetValue() : fallback;
}

void SetSliderRange(CSliderHMulti* slider, int min, int max, int step)
{
    if (slider)
        slider->SetRange(min, max, float(step));
}

void ShowSliderAndTrack(CSliderHMulti* slider, CGUIItem* track, bool show)
{
    if (track)
        track->Show(show ? 1 : 0);
    if (slider)
        slider->Show(show ? 1 : 0);
}

int PopupSliderOfNotification(LPARAM itemId)
{
    switch (int(itemId)) {
    case ItemId::SLIDER_DPI_MULTI_STAGE1_POPUP:
        return ItemId::SLIDER_DPI_MULTI_POPUP;
    case ItemId::SLIDER_DPI_MULTI_STAGE1_X_POPUP:
        return ItemId::SLIDER_DPI_MULTI_X_POPUP;
    case ItemId::SLIDER_DPI_MULTI_STAGE1_Y_POPUP:
        return ItemId::SLIDER_DPI_MULTI_Y_POPUP;
    default:
        return int(itemId);
    }
}
