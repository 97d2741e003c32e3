// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A horizontal thumb: x grows with the value; a drag snaps to the nearest position.
#include "controls/SliderBase.h"

class CPHSlider : public CSliderBase {
public:
    // Kind 6 when the thumb belongs to a multi-stage slider.
    CPHSlider(int itemId, CSkinWindow* itemOwner, int itemKind = ItemKind::THUMB);

    // Returns early only when redraw is not asked for and pos is unchanged.
    void SetPosition(uint32_t pos, bool redraw) override;
    int PixelOfPosition(uint32_t pos) const override;
    uint32_t PositionFromPixel(int x) const override;

protected:
    void Layout() override;
    void PlaceAt(int x, bool dragging) override;
    int ClampedPixelOfPoint(const QPoint& trackPoint) const override;
};
