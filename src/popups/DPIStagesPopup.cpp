// SPDX-License-Identifier: GPL-3.0-or-later
#include "popups/DPIStagesPopup.h"

#include <algorithm>

#include "controls/BitmapBtn.h"
#include "controls/DPIStageWindow.h"
#include "controls/SliderHMulti.h"
#include "controls/TextItem.h"
#include "popups/PopupSliders.h"
#include "skin/ItemIds.h"
#include "skin/TextFormat.h"

namespace {

int ClampToRange(WPARAM value, int min, int max)
{
    return std::clamp(int(int32_t(uint32_t(value))), std::min(min, max), std::max(min, max));
}

} // namespace

CDPIStagesPopup::CDPIStagesPopup(std::u16string skinFile, QWidget* parent, StageSet& stages, int templateId)
    : CPopupBox(templateId, std::move(skinFile), parent), caller_(stages), edit_(stages)
{
    const int entries = int(edit_.entries.size());
    edit_.count = std::clamp(edit_.count, 1, std::max(1, entries));
    edit_.current = std::clamp(edit_.current, 1, edit_.count);
    for (int i = 0; i < entries; ++i) {
        edit_.entries[size_t(i)].current = i + 1 == edit_.current;
        edit_.entries[size_t(i)].enabled = i < edit_.count;
    }
}

std::u16string CDPIStagesPopup::SkinFileForProduct(uint32_t productId)
{
    return productId == 0x0013 || productId == 0x001B ? u"DPIStagesPopup.xml" : u"DPIStagesPopup_MouseRefresh.xml";
}

StageEntry& CDPIStagesPopup::Current()
{
    return edit_.entries[size_t(edit_.current - 1)];
}

void CDPIStagesPopup::MakeCurrent(int stage)
{
    edit_.current = stage;
    for (size_t i = 0; i < edit_.entries.size(); ++i)
        edit_.entries[i].current = int(i) + 1 == stage;
}

bool CDPIStagesPopup::OnInitDialog()
{
    // Without a single stage there is nothing to edit.
    if (edit_.entries.empty() || !CPopupBox::OnInitDialog())
        return false;
    ShowCount();
    if (separateButton_)
        separateButton_->SetChecked(Current().separate);
    ApplyMode(Current().separate);
    for (CSliderHMulti* slider : {singleSlider_, xSlider_, ySlider_})
        SetSliderRange(slider, edit_.min, edit_.max, edit_.step);
    PutSliders();
    UpdateWindows();
    return true;
}

void CDPIStagesPopup::ShowCount()
{
    if (countText_)
        countText_->SetPlainText(QString::fromStdU16String(FormatText(u"%d", {edit_.count})));
}

void CDPIStagesPopup::PutSliders()
{
    const StageEntry& current = Current();
    PutSliderOn(singleSlider_, current.value);
    PutSliderOn(xSlider_, current.x);
    PutSliderOn(ySlider_, current.y);
}

void CDPIStagesPopup::ApplyMode(bool separate)
{
    StageEntry& current = Current();
    const bool changed = current.separate != separate;
    current.separate = separate;
    ShowSliderAndTrack(xSlider_, xTrack_, separate);
    ShowSliderAndTrack(ySlider_, yTrack_, separate);
    ShowSliderAndTrack(singleSlider_, singleTrack_, !separate);
    for (CTextItem* heading : {headingX_, headingY_})
        if (heading)
            heading->Show(separate ? 1 : 0);
    if (changed) {
        if (separate)
            current.x = current.y = current.value;
        else
            current.value = current.x;
    }
    PutSliders();
    UpdateWindows();
}

void CDPIStagesPopup::UpdateWindows()
{
    // The current stage is always one in use: fewer stages make the last one current.
    if (edit_.current > edit_.count)
        MakeCurrent(edit_.count);
    for (size_t i = 0; i < edit_.entries.size(); ++i)
        edit_.entries[i].enabled = int(i) < edit_.count;
    const size_t shown = std::min<size_t>(edit_.entries.size(), kStageWindows);
    for (size_t i = 0; i < shown; ++i) {
        CDPIStageWindow* window = stageWindows_[i];
        if (!window)
            continue;
        const StageEntry& entry = edit_.entries[i];
        window->SetStageIndex(int(i) + 1);
        window->SetValues(entry.value, entry.x, entry.y);
        window->SetXYMode(entry.separate);
        window->SetSelected(entry.current);
        window->SetClickable(entry.enabled);
        window->setEnabled(entry.enabled);
    }
    PutSliders();
}

void CDPIStagesPopup::TakeSelectionFromWindows()
{
    const size_t shown = std::min<size_t>(edit_.entries.size(), kStageWindows);
    for (size_t i = 0; i < shown; ++i) {
        if (!stageWindows_[i])
            continue;
        const bool selected = stageWindows_[i]->IsSelected();
        edit_.entries[i].current = selected;
        if (selected)
            edit_.current = int(i) + 1;
    }
    // Keep exactly one current stage, and one that is in use.
    MakeCurrent(std::clamp(edit_.current, 1, edit_.count));
    if (separateButton_)
        separateButton_->SetChecked(Current().separate);
    ApplyMode(Current().separate);
    PutSliders();
}

void CDPIStagesPopup::ChangeCount(int delta)
{
    edit_.count = std::clamp(edit_.count + delta, 1, int(edit_.entries.size()));
    ShowCount();
    UpdateWindows();
    TakeSelectionFromWindows();
}

bool CDPIStagesPopup::OnCommand(CGUIItem* sender)
{
    if (sender) {
        switch (sender->id) {
        case ItemId::BUTTON_DPISTAGES_OK:
            OnOK();
            return true;
        case ItemId::BUTTON_DPISTAGES_CANCEL:
            OnCancel();
            return true;
        case ItemId::BUTTON_DPISTAGES_DEC:
            ChangeCount(-1);
            return true;
        case ItemId::BUTTON_DPISTAGES_INC:
            ChangeCount(+1);
            return true;
        case ItemId::BUTTON_ENABLEXY_POPUP:
            if (separateButton_)
                ApplyMode(separateButton_->IsChecked());
            return true;
        default:
            break;
        }
    }
    return CPopupBox::OnCommand(sender);
}

void CDPIStagesPopup::OnOK()
{
    TakeSelectionFromWindows();
    caller_ = edit_;
    CPopupBox::OnOK();
}

void CDPIStagesPopup::OnStageClicked(LPARAM windowId)
{
    for (CDPIStageWindow* window : stageWindows_)
        if (window && window->id != int(windowId))
            window->SetSelected(false);
    TakeSelectionFromWindows();
    update();
}

void CDPIStagesPopup::OnSlider(WPARAM value, LPARAM sliderId)
{
    const int clamped = ClampToRange(value, edit_.min, edit_.max);
    StageEntry& current = Current();
    switch (PopupSliderOfNotification(sliderId)) {
    case ItemId::SLIDER_DPI_MULTI_POPUP:
        current.value = clamped;
        break;
    case ItemId::SLIDER_DPI_MULTI_X_POPUP:
        current.x = clamped;
        break;
    case ItemId::SLIDER_DPI_MULTI_Y_POPUP:
        current.y = clamped;
        break;
    default:
        return;
    }
    UpdateWindows();
}

LRESULT CDPIStagesPopup::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam)
{
    switch (msg) {
    case WM_STAGE_CLICKED:
        if (!edit_.entries.empty())
            OnStageClicked(lParam);
        return 0;
    case WM_SLIDER_RELEASED:
    case WM_SLIDER_CHANGING:
        if (!edit_.entries.empty())
            OnSlider(wParam, lParam);
        return 0;
    default:
        return CPopupBox::WindowProc(msg, wParam, lParam);
    }
}
