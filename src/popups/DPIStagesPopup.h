// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// `CDPIStagesPopup`: edits the sensitivity stages of a profile: how many are in use,
// which is current, and each stage's value (one, or separate X and Y). It works on
// a copy and hands it to the caller's set only on OK; cancel leaves the caller's
// set as it was. Only five stages have a window; stages above 5 keep their values.
// The items are bound by `CTovikEliteDPIStagesPopup`.
#include <array>
#include <cstdint>
#include <string>

#include "popups/PopupBox.h"
#include "popups/StageSet.h"

class CBitmapBtn;
class CDPIStageWindow;
class CSliderHMulti;
class CTextItem;

class CDPIStagesPopup : public CPopupBox {
public:
    static constexpr int kStageWindows = 5;

    // `stages` needs at least one entry; the count is kept within 1 and the number
    // of entries and the current stage within 1 and the count.
    CDPIStagesPopup(std::u16string skinFile, QWidget* parent, StageSet& stages,
                    int templateId = PopupTemplate::DpiStages);

    // "DPIStagesPopup.xml" for the earlier generation's products, else the current one's.
    static std::u16string SkinFileForProduct(uint32_t productId);

    // The copy being edited.
    const StageSet& Editing() const { return edit_; }

    LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    bool OnInitDialog() override;
    bool OnCommand(CGUIItem* sender) override;
    void OnOK() override;

    std::array<CDPIStageWindow*, kStageWindows> stageWindows_{};
    CTextItem* countText_ = nullptr;
    CTextItem* headingX_ = nullptr;
    CTextItem* headingY_ = nullptr;
    CBitmapBtn* separateButton_ = nullptr;
    CSliderHMulti* singleSlider_ = nullptr;
    CSliderHMulti* xSlider_ = nullptr;
    CSliderHMulti* ySlider_ = nullptr;
    CGUIItem* singleTrack_ = nullptr;
    CGUIItem* xTrack_ = nullptr;
    CGUIItem* yTrack_ = nullptr;

private:
    StageEntry& Current();
    void MakeCurrent(int stage);
    void ShowCount();
    void ApplyMode(bool separate);
    // Copies every stage into its window (which repaints) and the current one into the sliders.
    void UpdateWindows();
    void TakeSelectionFromWindows();
    void PutSliders();
    void OnSlider(WPARAM value, LPARAM sliderId);
    void OnStageClicked(LPARAM windowId);
    void ChangeCount(int delta);

    StageSet& caller_;
    StageSet edit_;
};
