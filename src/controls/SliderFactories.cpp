// SPDX-License-Identifier: GPL-3.0-or-later
#include "controls/SliderFactories.h"

#include "controls/APMSlider.h"
#include "controls/ControlDrawing.h"
#include "controls/DMarker.h"
#include "controls/SliderHMulti.h"
#include "controls/SliderTrack.h"
#include "controls/VertSlider.h"
#include "skin/ControlRegistry.h"

namespace {

CSkinWindow* TrackWindow(const CGUIItem* track)
{
    return track ? track->window : nullptr;
}

void ApplyTooltip(CSliderBase& thumb, const TooltipInfo& tooltip)
{
    thumb.SetTooltipSide(tooltip.side);
    thumb.SetTooltipEnabled(tooltip.enabled);
    if (!tooltip.prefix.empty())
        thumb.SetTooltipPrefix(tooltip.prefix);
}

std::unique_ptr<CGUIItem> MakeTrack(const SliderTrackElement& element, const ControlContext& context)
{
    auto track = std::make_unique<CSliderTrack>(element.id, element.parentWindow, context.owner, element.rect);
    track->SetBitmaps(element.bitmaps.normal.image, element.bitmaps.disabled.image, element.bitmaps.mask.image);
    if (element.fill)
        track->SetFill(element.fill->rect.ToQRect(), element.fill->fillColor.value_or(0), element.fill->backColor);
    track->show();
    return track;
}

std::unique_ptr<CGUIItem> MakeVertSlider(const VSliderElement& element, const ControlContext& context)
{
    CSkinWindow* trackWindow = TrackWindow(element.track);
    // A thumb needs a window to live on: its track, else the window of the load.
    if (!trackWindow && !context.owner)
        return nullptr;
    auto slider = std::make_unique<CVertSlider>(element.id, context.owner);
    ApplyTooltip(*slider, element.tooltip);
    slider->Create(element.thumb.normal.image, element.thumb.over.image, trackWindow, element.rect);
    if (auto* track = dynamic_cast<CSliderTrack*>(trackWindow))
        track->AttachThumb(slider.get());
    return slider;
}

std::unique_ptr<CGUIItem> MakeMultiSlider(const HSliderMElement& element, const ControlContext& context)
{
    CSkinWindow* trackWindow = TrackWindow(element.track);
    if (!trackWindow && !context.owner)
        return nullptr;
    auto slider = std::make_unique<CSliderHMulti>(element.id, context.owner, trackWindow, element.rect, element.stages,
                                                  element.thumb.normal.image, element.thumb.over.image);
    for (std::size_t i = 0; i < slider->ThumbCount(); ++i) {
        if (CPHSlider* thumb = slider->Thumb(i))
            ApplyTooltip(*thumb, element.tooltip);
    }
    slider->Enable(element.interactive);
    return slider;
}

std::unique_ptr<CGUIItem> MakeAPMSlider(const HSliderMAPMElement& element, const ControlContext& context)
{
    auto slider = std::make_unique<CAPMSlider>(element.id, element.parentWindow, context.owner, element.rect,
                                               element.thumb.normal.image, element.thumb.over.image);
    if (!element.tooltip.text.empty())
        slider->SetTooltip(element.tooltip.text);
    slider->show();
    return slider;
}

std::unique_ptr<CGUIItem> MakeMarker(const DMarkerElement& element, const ControlContext& context)
{
    auto marker = std::make_unique<CDMarker>(element.id, element.parentWindow, context.owner, element.rect);
    marker->SetBitmaps(element.bitmaps.normal.image, element.mark.image, element.rect);
    marker->show();
    return marker;
}

} // namespace

void RegisterSliderControlFactories()
{
    RegisterTypedControlFactory<SliderTrackElement>("SLIDERTRACK", MakeTrack);
    RegisterTypedControlFactory<VSliderElement>("VSLIDER", MakeVertSlider);
    RegisterTypedControlFactory<HSliderMElement>("HSLIDERM", MakeMultiSlider);
    RegisterTypedControlFactory<HSliderMAPMElement>("HSLIDERMAPM", MakeAPMSlider);
    RegisterTypedControlFactory<DMarkerElement>("DMARKER", MakeMarker);
}
