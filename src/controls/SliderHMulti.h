// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The multi-stage slider (`HSLIDERM`, kind 8): one horizontal thumb per stage on a
// single track, all sharing one range. It has no window of its own; its window is
// the track's. Each thumb is an item of kind 6 named by its `STAGE` element.
#include <QImage>
#include <QPointer>
#include <string_view>
#include <vector>

#include "controls/PHSlider.h"
#include "skin/GUIItem.h"
#include "skin/SkinGeometry.h"

struct SliderStage;

class CSliderHMulti : public CGUIItem {
public:
    // Creates a thumb per stage on `track` (in its client coordinates `rect`).
    CSliderHMulti(int itemId, CSkinWindow* itemOwner, CSkinWindow* track, const SkinRect& rect,
                  const std::vector<SliderStage>& stages, const QImage& normal, const QImage& highlighted);
    ~CSliderHMulti() override;

    std::size_t ThumbCount() const { return thumbs_.size(); }
    // The thumb at `index`, or null (out of range, or already destroyed with its track).
    CPHSlider* Thumb(std::size_t index) const;
    CPHSlider* ThumbById(int thumbId) const;

    void SetRange(int min, int max, float step);
    // The tooltip prefix of one thumb, from a text key.
    void SetTooltipKey(std::size_t index, std::u16string_view key);
    void Enable(bool enable);

private:
    std::vector<QPointer<CPHSlider>> thumbs_;
};
