// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/SliderHMulti.h"

#include "controls/SliderTrack.h"
#include "skin/SkinElements.h"

CSliderHMulti::CSliderHMulti(int itemId, CSkinWindow* itemOwner, CSkinWindow* track, const SkinRect& rect,
                             const std::vector<SliderStage>& stages, const QImage& normal, const QImage& highlighted)
    : CGUIItem(itemId, ItemKind::HSLIDERM, track, itemOwner)
{
    auto* sliderTrack = dynamic_cast<CSliderTrack*>(track);
    for (const auto& stage : stages) {
        auto* thumb = new CPHSlider(stage.id, itemOwner, ItemKind::THUMB);
        thumb->SetRange(1, 32, 1.0f, false);
        thumb->SetCapRange(1, 32);
        thumb->Create(normal, highlighted, track, rect);
        if (sliderTrack)
            sliderTrack->AttachThumb(thumb);
        thumbs_.emplace_back(thumb);
    }
}

CSliderHMulti::~CSliderHMulti()
{
    // The thumbs are children of the track window; if the track went first, Qt has
    // already destroyed them.
    for (auto& thumb : thumbs_)
        delete thumb.data();
}

CPHSlider* CSliderHMulti::Thumb(std::size_t index) const
{
    return index < thumbs_.size() ? thumbs_[index].data() : nullptr;
}

CPHSlider* CSliderHMulti::ThumbById(int thumbId) const
{
    for (const auto& thumb : thumbs_) {
        if (thumb && thumb->id == thumbId)
            return thumb;
    }
    return nullptr;
}

void CSliderHMulti::SetRange(int min, int max, float step)
{
    for (const auto& thumb : thumbs_) {
        if (thumb)
            thumb->SetRange(min, max, step, true);
    }
}

void CSliderHMulti::SetTooltipKey(std::size_t index, std::u16string_view key)
{
    if (CPHSlider* thumb = Thumb(index))
        thumb->SetTooltipPrefix(key);
}

void CSliderHMulti::Enable(bool enable)
{
    for (const auto& thumb : thumbs_) {
        if (thumb)
            thumb->Enable(enable);
    }
}
