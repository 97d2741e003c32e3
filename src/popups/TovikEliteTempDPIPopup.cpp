// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/TovikEliteTempDPIPopup.h"

#include "controls/BitmapBtn.h"
#include "controls/SliderHMulti.h"
#include "controls/TextItem.h"
#include "skin/ItemIds.h"

void CTovikEliteTempDPIPopup::BindItems()
{
    valueText1_ = BindItem<CTextItem>(ItemId::TEXT_DPIVALUE1, ItemKind::TEXTITEM);
    valueText2_ = BindItem<CTextItem>(ItemId::TEXT_DPIVALUE2, ItemKind::TEXTITEM);
    headingX_ = BindItem<CTextItem>(ItemId::TEXT_TEMPDPI_HEADING_X, ItemKind::TEXTITEM);
    headingY_ = BindItem<CTextItem>(ItemId::TEXT_TEMPDPI_HEADING_Y, ItemKind::TEXTITEM);
    secondFrame_ = Items().FindById(ItemId::BITMAP_TEMPDPI_SENSWINDOW2, ItemKind::BITMAPITEM);
    separateButton_ = BindItem<CBitmapBtn>(ItemId::BUTTON_ENABLEXY_POPUP, ItemKind::BUTTON);
    singleSlider_ = BindItem<CSliderHMulti>(ItemId::SLIDER_DPI_MULTI_POPUP, ItemKind::HSLIDERM);
    xSlider_ = BindItem<CSliderHMulti>(ItemId::SLIDER_DPI_MULTI_X_POPUP, ItemKind::HSLIDERM);
    ySlider_ = BindItem<CSliderHMulti>(ItemId::SLIDER_DPI_MULTI_Y_POPUP, ItemKind::HSLIDERM);
    singleTrack_ = Items().FindById(ItemId::BITMAP_SLSENSTRK_XY_POPUP, ItemKind::SLIDERTRACK);
    xTrack_ = Items().FindById(ItemId::BITMAP_SLSENSTRK_X_POPUP, ItemKind::SLIDERTRACK);
    yTrack_ = Items().FindById(ItemId::BITMAP_SLSENSTRK_Y_POPUP, ItemKind::SLIDERTRACK);
}
