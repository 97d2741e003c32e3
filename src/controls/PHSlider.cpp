// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/PHSlider.h"

#include <algorithm>
#include <cmath>

CPHSlider::CPHSlider(int itemId, CSkinWindow* itemOwner, int itemKind) : CSliderBase(itemId, itemKind, itemOwner)
{
    scale_ = SliderScale{1, 32, 1.0f};
    UpdateMaxPosition();
    capMin_ = 1;
    capMax_ = 32;
}

void CPHSlider::Layout()
{
    halfWidth_ = thumbSize_.width() / 2;
    halfHeight_ = thumbSize_.height() / 2;
    // The rectangle marks where the thumb's centre may go; widened by half a thumb
    // on each side, it is where the thumb's left edge may go.
    travelFirst_ = rect_.left - halfWidth_;
    travelLast_ = std::max(travelFirst_, rect_.right + halfWidth_ - thumbSize_.width());
    steps_ = maxPos_ - minPos_;
    // A range with a single position has no steps: every pixel is position 0.
    pixelsPerStep_ = steps_ == 0 ? 0.0f : float(rect_.Width()) / float(steps_);
}

int CPHSlider::PixelOfPosition(uint32_t pos) const
{
    const double offset = std::trunc(double(pos) * double(pixelsPerStep_));
    return int(std::min<double>(travelLast_, travelFirst_ + offset));
}

uint32_t CPHSlider::PositionFromPixel(int x) const
{
    if (!(pixelsPerStep_ > 0.0f))
        return 0;
    const double position = std::floor(double(std::max(x, travelFirst_) - travelFirst_) / pixelsPerStep_ + 0.5);
    return uint32_t(std::clamp<double>(position, minPos_, maxPos_));
}

int CPHSlider::ClampedPixelOfPoint(const QPoint& trackPoint) const
{
    return std::clamp(trackPoint.x() - halfWidth_, travelFirst_, travelLast_);
}

void CPHSlider::PlaceAt(int x, bool)
{
    move(x, rect_.top + (rect_.Height() - thumbSize_.height()) / 2);
    SendFillEdge(WM_SLIDER_THUMB_MOVED_X, x);
}

void CPHSlider::SetPosition(uint32_t pos, bool redraw)
{
    pos = std::clamp(pos, minPos_, maxPos_);
    if (!redraw && pos == pos_)
        return;
    pos_ = pos;
    if (redraw)
        PlaceAt(PixelOfPosition(pos_), false);
    RebuildTooltipText();
}
