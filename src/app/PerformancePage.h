// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The performance page: the current sensitivity (one value, or separate X and Y),
// the sensitivity stages (through the stages popup), acceleration, polling rate,
// the on-screen display of sensitivity changes and surface calibration (through
// the calibration popup). Every edit goes into the configuration or the active
// profile at once and marks the settings as changed; nothing reaches the device
// before Apply or OK.
#include "app/MainWindowPage.h"

#include <array>

#include <QString>

class CBitmapBtn;
class CSliderHMulti;
class CTextItem;

class CPerformancePage : public CMainWindowPage {
public:
    using CMainWindowPage::CMainWindowPage;

    void Bind(CTovikEliteAppDlg& window) override;
    void SetUp(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void OnShown(CTovikEliteAppDlg& window) override;
    void OnPageSwitched(CTovikEliteAppDlg& window, bool isShown) override;
    bool OnItemClick(CTovikEliteAppDlg& window, int itemId) override;
    std::optional<LRESULT> OnControlMessage(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnDeviceChanged(CTovikEliteAppDlg& window, IMouseConfig& config) override;
    void Refresh(CTovikEliteAppDlg& window) override;

    // The earlier generation keeps no current sensitivity of its own for profiles
    // that are not active: each takes its selected stage's. Done after every read
    // of such a mouse, whether or not the page has been made yet.
    static void TakeSelectedStages(IMouseConfig& config);

    // Slider ranges and rate captions, once the device has been read.
    void SetupPerformancePage(CTovikEliteAppDlg& window);
    // Every control from the configuration and the active profile.
    void FillPerformancePage(CTovikEliteAppDlg& window) override;
    // Separate X/Y sensitivity on or off, with the controls that go with it.
    void SetSeparate(CTovikEliteAppDlg& window, bool separate);
    // Acceleration on or off, with the slider that goes with it.
    void SetAcceleration(CTovikEliteAppDlg& window, bool on);
    // The sliders of the earlier generation, after TakeSelectedStages.
    void ApplyEarlierGenerationSensitivity(CTovikEliteAppDlg& window);

    // The caption a rate button shows for polling rate index `index`, given its own
    // skin caption as suffix; the skin caption alone when the mouse does not
    // support the interval that index selects.
    static QString RateCaption(const IMouseConfig& config, int index, const QString& skinCaption);

private:
    bool IsShown(const CTovikEliteAppDlg& window) const;
    void RefreshNumbers(CTovikEliteAppDlg& window);
    void ShowSeparateControls(bool separate);
    void ShowAccelerationControls(bool on);
    void HighlightRate(int index);
    void OnRateClicked(CTovikEliteAppDlg& window, int index);
    void OnSlider(CTovikEliteAppDlg& window, UINT msg, WPARAM wParam, LPARAM lParam);
    void RunStagesPopup(CTovikEliteAppDlg& window);
    void RunCalibrationPopup(CTovikEliteAppDlg& window);

    CBitmapBtn* separateBox_ = nullptr;
    CBitmapBtn* accelerationBox_ = nullptr;
    CBitmapBtn* dpiOsdBox_ = nullptr;
    std::array<CBitmapBtn*, 3> rateButtons_{};
    std::array<QString, 3> rateSkinCaptions_;
    CSliderHMulti* combinedSlider_ = nullptr;
    CSliderHMulti* xSlider_ = nullptr;
    CSliderHMulti* ySlider_ = nullptr;
    CSliderHMulti* accelerationSlider_ = nullptr;
    CSliderHMulti* accelerationShownSlider_ = nullptr; // shown while acceleration is off
    CGUIItem* combinedTrack_ = nullptr;
    CGUIItem* xTrack_ = nullptr;
    CGUIItem* yTrack_ = nullptr;
    CGUIItem* accelerationTrack_ = nullptr;
    CGUIItem* accelerationOffTrack_ = nullptr;
    CGUIItem* secondValueFrame_ = nullptr;
    CTextItem* value1Text_ = nullptr;
    CTextItem* value2Text_ = nullptr;
    CTextItem* dpiLabel_ = nullptr;
    CTextItem* separateNote_ = nullptr;
    CTextItem* headingX_ = nullptr;
    CTextItem* headingY_ = nullptr;
};
