// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/TovikEliteDPIStagesPopup.h"

#include "controls/BitmapBtn.h"
#include "controls/DPIStageWindow.h"
#include "controls/SliderHMulti.h"
#include "controls/TextItem.h"
#include "skin/ItemIds.h"

void CTovikEliteDPIStagesPopup::BindItems()
{
    for (int i = 0; i < kStageWindows; ++i)
        stageWindows_[size_t(i)] = BindItem<CDPIStageWindow>(ItemId::DPISTAGEWINDOW_01 + i, ItemKind::DPISTAGEWINDOW);
    countText_ = BindItem<CTextItem>(ItemId::TEXT_NUMSTAGES, ItemKind::TEXTITEM);
    headingX_ = BindItem<CTextItem>(ItemId::TEXT_DPI_X, ItemKind::TEXTITEM);
    headingY_ = BindItem<CTextItem>(ItemId::TEXT_DPI_Y, ItemKind::TEXTITEM);
    separateButton_ = BindItem<CBitmapBtn>(ItemId::BUTTON_ENABLEXY_POPUP, ItemKind::BUTTON);
    singleSlider_ = BindItem<CSliderHMulti>(ItemId::SLIDER_DPI_MULTI_POPUP, ItemKind::HSLIDERM);
    xSlider_ = BindItem<CSliderHMulti>(ItemId::SLIDER_DPI_MULTI_X_POPUP, ItemKind::HSLIDERM);
    ySlider_ = BindItem<CSliderHMulti>(ItemId::SLIDER_DPI_MULTI_Y_POPUP, ItemKind::HSLIDERM);
    singleTrack_ = Items().FindById(ItemId::BITMAP_SLSENSTRK_XY_POPUP, ItemKind::SLIDERTRACK);
    xTrack_ = Items().FindById(ItemId::BITMAP_SLSENSTRK_X_POPUP, ItemKind::SLIDERTRACK);
    yTrack_ = Items().FindById(ItemId::BITMAP_SLSENSTRK_Y_POPUP, ItemKind::SLIDERTRACK);
}
