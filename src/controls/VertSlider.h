// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A vertical thumb (`VSLIDER`): y shrinks as the value grows; a drag truncates
// towards the lower value.
#include "controls/SliderBase.h"

class CVertSlider : public CSliderBase {
public:
    CVertSlider(int itemId, CSkinWindow* itemOwner);

    // Returns early whenever pos is unchanged.
    void SetPosition(uint32_t pos, bool redraw) override;
    int PixelOfPosition(uint32_t pos) const override;
    uint32_t PositionFromPixel(int y) const override;

protected:
    void Layout() override;
    void PlaceAt(int y, bool dragging) override;
    int ClampedPixelOfPoint(const QPoint& trackPoint) const override;
};
