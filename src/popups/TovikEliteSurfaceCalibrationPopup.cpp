// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/TovikEliteSurfaceCalibrationPopup.h"

#include "controls/BitmapBtn.h"
#include "controls/SliderTrack.h"
#include "controls/TextItem.h"
#include "controls/VertSlider.h"
#include "skin/ItemIds.h"

void CTovikEliteSurfaceCalibrationPopup::BindItems()
{
    onButton_ = BindItem<CBitmapBtn>(ItemId::CALIBRATION_ON, ItemKind::BUTTON);
    offButton_ = BindItem<CBitmapBtn>(ItemId::CALIBRATION_OFF, ItemKind::BUTTON);
    autoButton_ = BindItem<CBitmapBtn>(ItemId::LIFTOFF_AUTO, ItemKind::BUTTON);
    customButton_ = BindItem<CBitmapBtn>(ItemId::LIFTOFF_CUSTOM, ItemKind::BUTTON);
    rangeText_ = BindItem<CTextItem>(ItemId::TEXT_LIFTOFF_RANGE, ItemKind::TEXTITEM);
    highText_ = BindItem<CTextItem>(ItemId::TEXT_LIFTOFF_HIGH, ItemKind::TEXTITEM);
    lowText_ = BindItem<CTextItem>(ItemId::TEXT_LIFTOFF_LOW, ItemKind::TEXTITEM);
    track_ = BindItem<CSliderTrack>(ItemId::BITMAP_LIFTOFF_RANGE, ItemKind::SLIDERTRACK);
    slider_ = BindItem<CVertSlider>(ItemId::SLIDER_LIFTOFF_RANGE, ItemKind::VSLIDER);
}
