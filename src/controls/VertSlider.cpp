// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/VertSlider.h"

#include <algorithm>
#include <cmath>

CVertSlider::CVertSlider(int itemId, CSkinWindow* itemOwner) : CSliderBase(itemId, ItemKind::VSLIDER, itemOwner)
{
    scale_ = SliderScale{1, 32, 1.0f};
    UpdateMaxPosition();
}

void CVertSlider::Layout()
{
    halfWidth_ = thumbSize_.width() / 2;
    halfHeight_ = thumbSize_.height() / 2;
    travelFirst_ = rect_.top - halfHeight_;
    travelLast_ = std::max(travelFirst_, rect_.bottom + halfHeight_ - thumbSize_.height());
    steps_ = maxPos_ - minPos_;
    pixelsPerStep_ = steps_ == 0 ? 0.0f : float(rect_.Height()) / float(steps_);
}

int CVertSlider::PixelOfPosition(uint32_t pos) const
{
    const double offset = std::trunc(double(pos) * double(pixelsPerStep_));
    return int(std::max<double>(travelFirst_, travelLast_ - offset));
}

uint32_t CVertSlider::PositionFromPixel(int y) const
{
    if (!(pixelsPerStep_ > 0.0f))
        return 0;
    const double position = std::trunc(double(travelLast_ - std::min(y, travelLast_)) / pixelsPerStep_);
    return uint32_t(std::clamp<double>(position, minPos_, maxPos_));
}

int CVertSlider::ClampedPixelOfPoint(const QPoint& trackPoint) const
{
    return std::clamp(trackPoint.y() - halfHeight_, travelFirst_, travelLast_);
}

void CVertSlider::PlaceAt(int y, bool)
{
    move(rect_.left + (rect_.Width() - thumbSize_.width()) / 2, y);
    // The fill below the thumb starts at the thumb's lower edge, whether the thumb
    // was dragged or set.
    SendFillEdge(WM_SLIDER_THUMB_MOVED_Y, y + thumbSize_.height());
}

void CVertSlider::SetPosition(uint32_t pos, bool redraw)
{
    pos = std::clamp(pos, minPos_, maxPos_);
    if (pos == pos_)
        return;
    pos_ = pos;
    if (redraw)
        PlaceAt(PixelOfPosition(pos_), false);
    RebuildTooltipText();
}
